// Browsing driven through the real book window with mouse and key events at
// points computed from the book's geometry.

#include "browser/browse_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QStyleHints>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <cstdlib>

#include "app/setup_commands.h"
#include "browser/album_browser.h"
#include "browser_fixture.h"
#include "dialogs/pic_view.h"
#include "platform/qt_prompts.h"
#include "support/book_fixture.h"
#include "support/jpeg_test_files.h"
#include "support/scripted_prompts.h"
#include "support/test_files.h"
#include "support/with_modal.h"

namespace {

// An 800 x 600 book window, 3 rows x 4 columns (the book tests' look), over
// the book tests' album with real (tiny) JPEG files; the first file of
// chapter 0 is missing.
class BrowseWindowTest : public BookTest {
 protected:
  QTemporaryDir dir;
  ScriptedPrompts prompts;
  std::unique_ptr<AlbumBrowser> window;
  BrowseWindow* browse = nullptr;

  void SetUp() override {
    BookTest::SetUp();
    look.FormLeft = 0;
    look.FormTop = 0;
    look.FormWidth = 800;
    look.FormHeight = 600;
    window = std::make_unique<AlbumBrowser>(&prompts);
    window->Document().Look = look;
    browse = new BrowseWindow(*window);
    // A click on a thumbnail waits this long for a second one.
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(50);
  }
  void TearDown() override { QGuiApplication::styleHints()->setMouseDoubleClickInterval(-1); }

  void Open(const std::vector<int>& counts) {
    MakeAlbum(counts);
    const QByteArray jpeg = EncodeJpeg(Filled(16, 12, Qt::darkGreen));
    for (size_t k = 0; k < counts.size(); ++k) {
      QStringList files;
      for (int i = 0; i < model.ImageCount(static_cast<int>(k)); ++i) {
        files << dir.filePath(QStringLiteral("%1-%2.jpg").arg(k).arg(i));
        if (k > 0 || i > 0) WriteAll(files[i], jpeg);
      }
      ImageEdits::SetChapter(model, static_cast<int>(k), ImagesOf(files));
    }
    window->Album() = album;
    window->PositionWindow();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }

  std::pair<int, int> Spread() const {
    return {window->View().CurrentChapter, window->View().CurrentPage};
  }
  // A move to where the pointer already is sends no event: step off first.
  BookCursor CursorAt(QPoint p) {
    QTest::mouseMove(window.get(), p - QPoint(1, 1));
    QTest::mouseMove(window.get(), p);
    return window->CursorShowing();
  }
  void Click(QPoint p, Qt::MouseButton button = Qt::LeftButton) {
    CursorAt(p);
    QTest::mouseClick(window.get(), button, {}, p);
  }
  // The centre of the cell of page position pos, in window coordinates.
  QPoint Cell(bool right, int pos) const {
    const QSize page = PageSizeFor(window->size());
    const QRect cell = CellRect(right, pos, page, look).ToQRect();
    return cell.center() + QPoint(right ? window->Book().SpineX() : 0, 0);
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
    const int perPage = look.ImagesPerPage();
    for (int i = 0; i < window->Model().ImageCount(c); ++i) {
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
      window->ShowSpread(e.from.first, e.from.second);
      const QImage shown = window->grab().toImage();
      const QColor colour = ToQColor(look.BM[chapter - 1]);
      QList<int> rows;
      for (int y = 0; y < shown.height(); ++y)
        if (shown.pixelColor(e.x, y) == colour) rows << y;
      ASSERT_FALSE(rows.isEmpty()) << chapter;
      for (int y : {rows.front() + 1, rows.back() - 1}) {
        window->ShowSpread(e.from.first, e.from.second);
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
  window->ShowSpread(0, 0);
  QList<std::pair<int, int>> opened;
  browse->SetDetails({{}, [&](int a, int b) { opened << std::make_pair(a, b); }, {}, {}});
  const QPoint at = Cell(true, 1);
  ASSERT_EQ(CursorAt(at), BookCursor::Zoom);
  EXPECT_EQ(WithModal([&] { QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, at); }),
            nullptr);
  EXPECT_EQ(opened, (QList<std::pair<int, int>>{{1, -1}}));
  EXPECT_FALSE(browse->Browsing().IsClickPending());
}

// One notch, one spread, however finely a wheel or touchpad sends it;
// Ctrl+wheel turns nothing.
TEST_F(BrowseWindowTest, TheWheelTurnsASpreadANotch) {
  Open({30, 3});
  window->ShowSpread(0, 0);
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
    QWheelEvent wheel(at, window->mapToGlobal(at), {}, {0, s.delta}, Qt::NoButton, s.mods,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(window.get(), &wheel);
    EXPECT_EQ(Spread(), s.to) << s.delta;
  }
}

TEST_F(BrowseWindowTest, SpaceShowsLettersOverTheThumbnails) {
  Open({30});
  QTest::keyClick(window.get(), Qt::Key_PageDown);
  QTest::keyClick(window.get(), Qt::Key_PageDown);
  ASSERT_EQ(Spread(), std::make_pair(0, 2));
  const QRect mark(window->Book().LetterMarks().front().At, QSize(12, 14));
  const QImage before = window->grab(mark).toImage();
  QTest::keyClick(window.get(), Qt::Key_Space);
  EXPECT_TRUE(window->Action(QStringLiteral("ShowLetters"))->isChecked());
  EXPECT_NE(window->grab(mark).toImage(), before);
}

TEST_F(BrowseWindowTest, RightClickOffersShowImageOnlyForAnExistingFile) {
  Open({30});
  window->ShowSpread(0, 0);
  QAction* show = window->Action(QStringLiteral("ShowPicture"));
  const struct {
    int pos;
    bool enabled;
  } cases[] = {{0, false}, {1, true}};
  for (const auto& c : cases) {
    // The release goes to the menu that the press pops up.
    const QPoint at = Cell(true, c.pos);
    CursorAt(at);
    QTest::mousePress(window.get(), Qt::RightButton, {}, at);
    QTRY_VERIFY(window->PictureMenu()->isVisible());
    window->UpdateActions();  // as after any command while the menu shows
    EXPECT_EQ(show->isEnabled(), c.enabled) << c.pos;
    EXPECT_EQ(window->View().SelEnd, c.pos);
    window->PictureMenu()->hide();
  }
}

// Dialogs open centred on what shows of the book: on the cover (the right
// half of the window) while it is closed, on the whole book once it is open.
TEST_F(BrowseWindowTest, DialogsOpenCentredOnWhatShowsOfTheBook) {
  Open({30});
  AttachSetupCommands(*window);
  QtPrompts boxes(window.get());
  const QRect cover(window->mapToGlobal(QPoint(400, 0)), QSize(400, 600));
  const QRect book(window->mapToGlobal(QPoint(0, 0)), QSize(800, 600));
  auto centredOn = [](QRect area) {
    return [area](QWidget* dialog) {
      const QPoint off = dialog->frameGeometry().center() - area.center();
      EXPECT_LE(std::abs(off.x()) + std::abs(off.y()), 2)
          << dialog->objectName().toStdString() << " off by " << off.x() << ", " << off.y();
    };
  };
  const std::function<void()> opens[] = {
      [&] { QTest::keyClick(window.get(), Qt::Key_G, Qt::ControlModifier); },
      [&] { window->RunAction(QStringLiteral("DoRunGuide")); },
      [&] { boxes.ShowWarning(QStringLiteral("The file could not be written.")); },
  };
  for (const auto& open : opens) EXPECT_NE(WithModal(open, centredOn(cover)), nullptr);
  QTest::keyClick(window.get(), Qt::Key_PageDown);
  ASSERT_EQ(Spread(), std::make_pair(0, 0));
  window->activateWindow();  // shortcuts reach the active window only
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  EXPECT_NE(WithModal(opens[0], centredOn(book)), nullptr);
}

}  // namespace
