// Browsing driven through the real book window with mouse and key events at
// points computed from the book's geometry.

#include "browser/browse_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdlib>

#include "../book/book_fixture.h"
#include "../book/jpeg_test_files.h"
#include "app/setup_commands.h"
#include "browser/album_browser.h"
#include "dialogs/pic_view.h"
#include "platform/qt_prompts.h"
#include "support/scripted_prompts.h"
#include "support/test_files.h"

namespace {

// An 800 x 600 book window, 3 rows x 4 columns (the book tests' look), over
// the book tests' album with real (tiny) JPEG files; the first file of
// chapter 0 is missing.
class BrowseWindowTest : public BookTest {
 protected:
  QTemporaryDir dir;
  ScriptedPrompts prompts;
  std::unique_ptr<TfAlbumBrowser> window;
  TBrowseWindow* browse = nullptr;

  void SetUp() override {
    BookTest::SetUp();
    AlbumProfile.FormLeft = 0;
    AlbumProfile.FormTop = 0;
    AlbumProfile.FormWidth = 800;
    AlbumProfile.FormHeight = 600;
    window = std::make_unique<TfAlbumBrowser>(&prompts);
    browse = new TBrowseWindow(*window);
  }

  void Open(const std::vector<int>& counts) {
    MakeAlbum(counts);
    const QByteArray jpeg = EncodeJpeg(Filled(16, 12, Qt::darkGreen));
    for (size_t k = 0; k < counts.size(); ++k) {
      QStringList& files = model.Chapters[k].Files;
      for (int i = 0; i < files.size(); ++i) {
        files[i] = dir.filePath(QStringLiteral("%1-%2.jpg").arg(k).arg(i));
        if (k > 0 || i > 0) WriteAll(files[i], jpeg);
      }
    }
    window->Model() = model;
    window->PositionWindow();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }

  std::pair<int, int> Spread() const {
    return {window->Model().CurrentChapter, window->Model().CurrentPage};
  }
  // A move to where the pointer already is sends no event: step off first.
  TBookCursor CursorAt(QPoint p) {
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
    const QRect cell = CellRect(right, pos, page, AlbumProfile).ToQRect();
    return cell.center() + QPoint(right ? window->Book().SpineX() : 0, 0);
  }
  // Runs act; a modal window it shows is given to step and then closed
  // with Escape. The modal window seen, or nullptr.
  static QWidget* WithModal(const std::function<void()>& act,
                            const std::function<void(QWidget*)>& step = {}) {
    QWidget* seen = nullptr;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr) return;
      poll.stop();
      seen = modal;
      if (step) step(modal);
      if (modal->isVisible()) QTest::keyClick(modal, Qt::Key_Escape);
    });
    poll.start();
    act();
    return seen;
  }
};

TEST_F(BrowseWindowTest, TheMouseAloneVisitsEverySpreadAndOpensEveryImage) {
  Open({14, 3, 7});
  const QPoint next(700, 590);
  const QPoint previous(100, 590);
  QList<std::pair<int, int>> forward{Spread()};
  int opened = 0;
  int images = 0;
  while (CursorAt(next) == TBookCursor::Next) {
    Click(next);
    forward << Spread();
    // Every image of the spread opens in the view (but the missing file).
    const auto [c, p] = Spread();
    const int perPage = AlbumProfile.ImagesPerPage();
    for (int i = 0; i < window->Model().ImageCount(c); ++i) {
      const int page = i / perPage + 1;
      if (page != p && page != p + 1) continue;
      ++images;
      const QPoint at = Cell(page == p + 1, i % perPage);
      ASSERT_EQ(CursorAt(at), TBookCursor::Zoom) << c << " " << i;
      if (WithModal([&] { Click(at); }) == &browse->PicView()) ++opened;
      ASSERT_FALSE(browse->PicView().isVisible());
    }
  }
  const QList<std::pair<int, int>> spreads{{0, -1}, {0, 0}, {0, 2}, {1, 0}, {1, 2}, {2, 0}, {2, 2}};
  EXPECT_EQ(forward, spreads);
  EXPECT_EQ(images, 24);
  EXPECT_EQ(opened, 23);
  QList<std::pair<int, int>> back{Spread()};
  while (CursorAt(previous) == TBookCursor::Previous) {
    Click(previous);
    back.prepend(Spread());
  }
  EXPECT_EQ(back, spreads);
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
    EXPECT_EQ(window->Model().SelEnd, c.pos);
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
