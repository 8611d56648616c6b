// Browsing driven through the real book window with mouse and key events at
// points computed from the book's geometry.

#include "browser/browse_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QScreen>
#include <QStyleHints>
#include <QWheelEvent>
#include <cstdlib>
#include <optional>
#include <tuple>

#include "app/setup_commands.h"
#include "browser_fixture.h"
#include "dialogs/pic_view.h"
#include "dialogs/slideshow.h"
#include "platform/qt_prompts.h"
#include "support/jpeg_test_files.h"
#include "support/test_files.h"
#include "support/with_modal.h"

namespace {

// An 800 x 600 book window, 3 rows x 4 columns (the book tests' look), over
// an album like the book tests' with real (tiny) JPEG files; the first file of
// chapter 0 is missing.
class BrowseWindowTest : public BrowserTest {
 protected:
  BrowseWindow* browse = nullptr;

  void SetUp() override {
    BrowserTest::SetUp();
    UseBookLook();
    browse = new BrowseWindow(W());
    // A click on a thumbnail waits this long for a second one.
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(50);
  }
  void TearDown() override { QGuiApplication::styleHints()->setMouseDoubleClickInterval(-1); }

  // counts[k] images in chapter k, their thumbnails loaded; the book closed.
  void Open(const std::vector<int>& counts) {
    W().Album().ResetToStart();
    AlbumModel& model = Model();
    const QByteArray jpeg = EncodeJpeg(Filled(16, 12, Qt::darkGreen));
    const QSize box = W().Book().ThumbnailBox();
    QImage thumb(box, QImage::Format_ARGB32_Premultiplied);
    thumb.fill(QColor(10, 200, 30));
    for (int k = 0; k < static_cast<int>(counts.size()); ++k) {
      if (k > 0) {
        model.DataFiles << QStringLiteral("c%1.xml").arg(k);
        model.ImageDirs << QString();
        model.ChapterNames << QStringLiteral("Chapter %1").arg(k);
        model.DataTitles << QString();
      }
      QStringList files;
      for (int i = 0; i < counts[k]; ++i) {
        files << Path(QStringLiteral("%1-%2.jpg").arg(k).arg(i));
        if (k > 0 || i > 0) WriteAll(files[i], jpeg);
      }
      ImageEdits::SetChapter(model, k, ImagesOf(files));
      Thumbs().Lists[k] = QList<Thumbnail>(counts[k], {thumb, QPoint(), box});
      Thumbs().Loaded[k] = true;
    }
    W().RebuildPages();
    W().ShowSpread(0, -1);
  }

  std::pair<int, int> Spread() { return {View().CurrentChapter, View().CurrentPage}; }
  void Click(QPoint p, Qt::MouseButton button = Qt::LeftButton) {
    CursorAt(p);
    QTest::mouseClick(&W(), button, {}, p);
  }
  QPoint Cell(bool right, int pos) { return CellAt(right, pos).center(); }

  // The slideshow's album: chapter 2 empty, chapter 3's second entry a video.
  void OpenShowAlbum() {
    Open({5, 3, 0, 2});
    WriteAll(Path("3-1.avi"), "RIFF");
    ImageEdits::SetChapter(Model(), 3, ImagesOf({Path("3-0.jpg"), Path("3-1.avi")}));
  }
  // F11 on the book, and the show it opened.
  SlideshowView* Play() {
    Key(Qt::Key_F11);
    auto* show = W().findChild<SlideshowView*>(QStringLiteral("fSlideshow"));
    return show != nullptr && show->isVisible() ? show : nullptr;
  }
};

TEST_F(BrowseWindowTest, TheMouseAloneVisitsEverySpreadAndOpensEveryImage) {
  Open({14, 3, 7});
  const QPoint next(700, 590);
  const QPoint previous(100, 590);
  QList<std::pair<int, int>> forward{Spread()};
  int opened = 0;
  int images = 0;
  while (CursorAt(next) == BookCursor::Next) {
    Click(next);
    forward << Spread();
    // Every image of the spread opens in the view (but the missing file).
    const auto [c, p] = Spread();
    const int perPage = Look().ImagesPerPage();
    for (int i = 0; i < W().Model().ImageCount(c); ++i) {
      const int page = i / perPage + 1;
      if (page != p && page != p + 1) continue;
      ++images;
      const QPoint at = Cell(page == p + 1, i % perPage);
      ASSERT_EQ(CursorAt(at), BookCursor::Zoom) << c << " " << i;
      // The view opens once no second click can follow.
      const auto click = [&] {
        Click(at);
        QV_WAIT(!browse->Browsing().IsClickPending());
      };
      if (WithModal(click) == &browse->PicView()) ++opened;
      ASSERT_FALSE(browse->PicView().isVisible());
    }
  }
  const QList<std::pair<int, int>> spreads{{0, -1}, {0, 0}, {0, 2}, {1, 0}, {1, 2}, {2, 0}, {2, 2}};
  EXPECT_EQ(forward, spreads);
  EXPECT_EQ(images, 24);
  EXPECT_EQ(opened, 23);
  QList<std::pair<int, int>> back{Spread()};
  while (CursorAt(previous) == BookCursor::Previous) {
    Click(previous);
    back.prepend(Spread());
  }
  EXPECT_EQ(back, spreads);
}

// Each tab acts over all the rows it is drawn on, found in the window's
// picture: near its top and near its bottom it opens where its chapter
// begins.
TEST_F(BrowseWindowTest, ABookmarkTabActsWhereverItIsDrawn) {
  Open({30, 3, 7});
  const int last[] = {4, 2};  // the last spreads of chapters 0 and 1
  const struct {
    std::pair<int, int> from;
    int x;  // a column of the edge band
  } edges[] = {{{2, 2}, 20}, {{0, 2}, 780}};
  for (const auto& e : edges) {
    for (int chapter = 1; chapter <= 2; ++chapter) {
      W().ShowSpread(e.from.first, e.from.second);
      const QImage shown = W().grab().toImage();
      const QColor colour = ToQColor(Look().BM[chapter - 1]);
      QList<int> rows;
      for (int y = 0; y < shown.height(); ++y)
        if (shown.pixelColor(e.x, y) == colour) rows << y;
      ASSERT_FALSE(rows.isEmpty()) << chapter;
      for (int y : {rows.front() + 1, rows.back() - 1}) {
        W().ShowSpread(e.from.first, e.from.second);
        Click({e.x, y});
        EXPECT_EQ(Spread(), std::make_pair(chapter - 1, last[chapter - 1]))
            << "tab " << chapter << " at " << e.x << "," << y;
      }
    }
  }
}

// Both clicks reach the book: the properties open and the view never does.
TEST_F(BrowseWindowTest, ADoubleClickOnAThumbnailOpensItsProperties) {
  Open({30});
  W().ShowSpread(0, 0);
  QList<std::pair<int, int>> opened;
  browse->SetDetails({{}, [&](int a, int b) { opened << std::make_pair(a, b); }, {}, {}});
  const QPoint at = Cell(true, 1);
  ASSERT_EQ(CursorAt(at), BookCursor::Zoom);
  EXPECT_EQ(WithModal([&] { QTest::mouseDClick(W().windowHandle(), Qt::LeftButton, {}, at); }),
            nullptr);
  EXPECT_EQ(opened, (QList<std::pair<int, int>>{{1, -1}}));
  EXPECT_FALSE(browse->Browsing().IsClickPending());
}

// One notch, one spread, however finely a wheel or touchpad sends it;
// Ctrl+wheel turns nothing.
TEST_F(BrowseWindowTest, TheWheelTurnsASpreadANotch) {
  Open({30, 3});
  W().ShowSpread(0, 0);
  const struct {
    int delta;  // eighths of a degree: a notch is 120, down is negative
    Qt::KeyboardModifiers mods;
    std::pair<int, int> to;
  } steps[] = {
      {-120, {}, {0, 2}}, {-60, {}, {0, 2}}, {-60, {}, {0, 4}}, {-120, Qt::ControlModifier, {0, 4}},
      {-240, {}, {1, 2}}, {120, {}, {1, 0}},
  };
  const QPoint at(400, 300);
  for (const auto& s : steps) {
    QWheelEvent wheel(at, W().mapToGlobal(at), {}, {0, s.delta}, Qt::NoButton, s.mods,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&W(), &wheel);
    EXPECT_EQ(Spread(), s.to) << s.delta;
  }
}

TEST_F(BrowseWindowTest, SpaceShowsLettersAndRightClickOffersShowImageForAnExistingFile) {
  Open({30});
  QTest::keyClick(&W(), Qt::Key_PageDown);
  QTest::keyClick(&W(), Qt::Key_PageDown);
  ASSERT_EQ(Spread(), std::make_pair(0, 2));
  const QRect mark(W().Book().LetterMarks().front().At, QSize(12, 14));
  const QImage before = W().grab(mark).toImage();
  QTest::keyClick(&W(), Qt::Key_Space);
  EXPECT_TRUE(W().Action(QStringLiteral("ShowLetters"))->isChecked());
  EXPECT_NE(W().grab(mark).toImage(), before);

  W().ShowSpread(0, 0);
  QAction* show = W().Action(QStringLiteral("ShowPicture"));
  const struct {
    int pos;
    bool enabled;
  } cases[] = {{0, false}, {1, true}};
  for (const auto& c : cases) {
    // The release goes to the menu that the press pops up.
    const QPoint at = Cell(true, c.pos);
    CursorAt(at);
    QTest::mousePress(&W(), Qt::RightButton, {}, at);
    QTRY_VERIFY(W().PictureMenu()->isVisible());
    W().UpdateActions();  // as after any command while the menu shows
    EXPECT_EQ(show->isEnabled(), c.enabled) << c.pos;
    EXPECT_EQ(W().View().SelEnd, c.pos);
    W().PictureMenu()->hide();
  }
}

// Dialogs open centred on what shows of the book: on the cover (the right
// half of the window) while it is closed, on the whole book once it is open.
TEST_F(BrowseWindowTest, DialogsOpenCentredOnWhatShowsOfTheBook) {
  Open({30});
  AttachSetupCommands(W());
  QtPrompts boxes(&W());
  const QRect cover(W().mapToGlobal(QPoint(400, 0)), QSize(400, 600));
  const QRect book(W().mapToGlobal(QPoint(0, 0)), QSize(800, 600));
  auto centredOn = [](QRect area) {
    return [area](QWidget* dialog) {
      const QPoint off = dialog->frameGeometry().center() - area.center();
      EXPECT_LE(std::abs(off.x()) + std::abs(off.y()), 2)
          << dialog->objectName().toStdString() << " off by " << off.x() << ", " << off.y();
    };
  };
  const std::function<void()> opens[] = {
      [&] { QTest::keyClick(&W(), Qt::Key_G, Qt::ControlModifier); },
      [&] { W().RunAction(QStringLiteral("DoRunGuide")); },
      [&] { boxes.ShowWarning(QStringLiteral("The file could not be written.")); },
  };
  for (const auto& open : opens) EXPECT_NE(WithModal(open, centredOn(cover)), nullptr);
  QTest::keyClick(&W(), Qt::Key_PageDown);
  ASSERT_EQ(Spread(), std::make_pair(0, 0));
  W().activateWindow();  // shortcuts reach the active window only
  ASSERT_TRUE(QTest::qWaitForWindowActive(&W()));
  EXPECT_NE(WithModal(opens[0], centredOn(book)), nullptr);
}

}  // namespace

// The show's order, its keys, and the spread it leaves the book at.
TEST_F(BrowseWindowTest, TheSlideshowStepsThroughTheAlbumAndEndsAtTheLastPhotoShown) {
  using Seen = std::tuple<SlideKind, int, int>;  // nothing: the show closed
  const Seen title1{SlideKind::Title, 1, -1}, title3{SlideKind::Title, 3, -1};
  auto photo = [](int k, int i) { return Seen{SlideKind::Photo, k, i}; };
  const struct {
    const char* what;
    std::function<void()> start;
    QList<std::pair<int, std::optional<Seen>>> keys;  // key 0: the first item
    std::pair<int, int> spread;
  } cases[] = {
      {"the closed book: the missing first file left out, cards before chapters 1 and 3",
       [] {},
       {{0, photo(0, 1)},
        {Qt::Key_Right, photo(0, 2)},
        {Qt::Key_PageDown, photo(0, 3)},
        {Qt::Key_Right, photo(0, 4)},
        {Qt::Key_Right, title1},
        {Qt::Key_Right, photo(1, 0)},
        {Qt::Key_End, Seen{SlideKind::Video, 3, 1}},
        {Qt::Key_Left, photo(3, 0)},
        {Qt::Key_PageUp, title3},
        {Qt::Key_Home, photo(0, 1)},
        {Qt::Key_Left, photo(0, 1)},
        {Qt::Key_Escape, std::nullopt}},
       {0, 0}},
      {"chapter 1's spread, past the album's end",
       [this] { W().ShowSpread(1, 0); },
       {{0, photo(1, 0)},
        {Qt::Key_End, Seen{SlideKind::Video, 3, 1}},
        {Qt::Key_Right, std::nullopt}},
       {3, 0}},
      {"edit mode: from the selection's moving end",
       [this] {
         W().ShowSpread(0, 0);
         W().RunAction(QStringLiteral("EditMode"));
         View().SelStart = 1, View().SelEnd = 3;
       },
       {{0, photo(0, 3)}, {Qt::Key_Right, photo(0, 4)}},
       {0, 0}},
  };
  for (const auto& c : cases) {
    OpenShowAlbum();
    c.start();
    SlideshowView* show = Play();
    ASSERT_NE(show, nullptr) << c.what;
    EXPECT_EQ(show->geometry(), W().screen()->geometry());
    EXPECT_TRUE(show->windowState() & Qt::WindowFullScreen);
    QTest::keyClick(&W(), Qt::Key_Space);  // the book hears no key while the show is on
    EXPECT_FALSE(W().Action(QStringLiteral("ShowLetters"))->isChecked());
    for (const auto& [key, seen] : c.keys) {
      if (key != 0) QTest::keyClick(show, static_cast<Qt::Key>(key));
      const SlideItem* now = show->Current();
      EXPECT_EQ(now ? std::optional(Seen{now->Kind, now->Chapter, now->Index}) : std::nullopt, seen)
          << c.what << " key " << key;
    }
    if (show->isVisible()) QTest::mouseClick(show, Qt::LeftButton);
    EXPECT_FALSE(show->isVisible());
    EXPECT_EQ(Spread(), c.spread) << c.what;
    if (W().IsEditMode()) W().RunAction(QStringLiteral("EditMode"));
  }
}

// What shows: cards, photos upright and fitted, captions on the band; pause,
// timed steps, and a video opened in the player.
TEST_F(BrowseWindowTest, TheSlideshowShowsCaptionsCardsAndStepsOnItsOwn) {
  OpenShowAlbum();
  WriteAll(Path("0-1.jpg"), EncodeJpeg(Filled(16, 16, Qt::darkGreen)));
  WriteAll(Path("0-2.jpg"), EncodeJpeg(Filled(32, 16, Qt::red), {90, false, 6}));
  ImageList chapter = Model().Images(0);
  chapter[1].Title = QStringLiteral("At the lake");
  ImageEdits::SetChapter(Model(), 0, chapter);
  Settings().SlideshowInterval = 1;
  Settings().SlideshowOpensVideos = true;
  QList<QUrl> opened;
  SlideshowView* show = Play();
  ASSERT_NE(show, nullptr);
  show->SetUrlOpener([&](const QUrl& url) {
    opened << url;
    return true;
  });
  auto frame = [show] {
    EXPECT_TRUE(QTest::qWaitFor([show] { return !show->IsFading(); }));
    return show->grab().toImage();
  };
  QImage shown = frame();
  const int w = shown.width(), h = shown.height();
  EXPECT_NEAR(qGreen(shown.pixel(w / 2, h / 2)), 128, 10);  // the photo fills the screen
  EXPECT_LT(qGray(shown.pixel(w / 2, h - 4)), qGray(shown.pixel(w / 2, h / 2)) - 20);  // the band
  EXPECT_EQ(shown.pixel(w / 2, h * 4 / 5 - 2), shown.pixel(w / 2, h / 2));  // a fifth at most
  QTest::keyClick(show, Qt::Key_Right);
  shown = frame();
  EXPECT_EQ(shown.pixel(2, h / 2), qRgb(0, 0, 0));  // upright: portrait, black beside it
  EXPECT_GT(qRed(shown.pixel(w / 2, h / 2)), 200);
  QTest::keyClick(show, Qt::Key_Space);
  EXPECT_TRUE(show->IsPaused());
  EXPECT_FALSE(show->findChild<QTimer*>(QStringLiteral("tmSlide"))->isActive());
  QTest::keyClick(show, Qt::Key_Space);
  QV_WAIT(show->Current()->Index == 3);  // a second on
  for (int key : {Qt::Key_Right, Qt::Key_Right}) QTest::keyClick(show, static_cast<Qt::Key>(key));
  EXPECT_EQ(frame().pixel(2, h / 2), ToQColor(Look().BM[0]).rgb());
  QTest::keyClick(show, Qt::Key_End);
  EXPECT_EQ(opened, QList<QUrl>{QUrl::fromLocalFile(Path("3-1.avi"))});
  EXPECT_TRUE(show->IsPaused());
  show->close();
}
