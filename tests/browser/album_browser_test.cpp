// The window's chrome driven with real mouse and key events: placement,
// outline, drags, the tool panel, help, and its picture against the render
// command's.
#include <QDialog>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QScreen>

#include "browser/tool_panel.h"
#include "browser_fixture.h"
#include "dialogs/pic_view.h"
#include "init/profile_file.h"
#include "support/test_files.h"

namespace {

using WindowTest = BrowserTest;

// A double click; Qt 6.4's QTest leaves the button down after one.
void DoubleClick(QWidget* w, QPoint p) {
  QTest::mouseDClick(w, Qt::LeftButton, {}, p);
  if (QGuiApplication::mouseButtons() != Qt::NoButton)
    QTest::mouseRelease(w, Qt::LeftButton, {}, p);
}

QRect Place(const AlbumLook& l) { return QRect(l.FormLeft, l.FormTop, l.FormWidth, l.FormHeight); }

}  // namespace

TEST_F(WindowTest, PlacedFromTheLookWithItsOutline) {
  EXPECT_EQ(W().geometry(), QRect(20, 30, 600, 400));
  EXPECT_EQ(W().Book().SpineX(), 300);
  // Closed: only the cover half, with round corners.
  EXPECT_FALSE(W().mask().contains(QPoint(150, 200)));
  EXPECT_FALSE(W().mask().contains(QPoint(599, 0)));
  EXPECT_TRUE(W().mask().contains(QPoint(450, 200)));
  EXPECT_FALSE(W().findChild<QWidget*>("imgResize")->isVisible());
  // The caption buttons highlight under the pointer.
  auto* maximize = W().findChild<CaptionButton*>("btMaximize");
  QTest::mouseMove(maximize, QPoint(7, 7));
  EXPECT_TRUE(maximize->IsHighlighted());
  QTest::mouseMove(&W(), QPoint(450, 200));
  EXPECT_FALSE(maximize->IsHighlighted());
  EXPECT_EQ(W().CursorShowing(), BookCursor::Default);

  NewAlbumWith(0);  // opens the book
  EXPECT_TRUE(W().mask().contains(QPoint(150, 200)));
  EXPECT_FALSE(W().mask().contains(QPoint(0, 0)));
  EXPECT_TRUE(W().findChild<QWidget*>("imgResize")->isVisible());
}

TEST_F(WindowTest, ALookTooLargeOrFarOffOpensHeldToTheScreenAndKeepsItsValuesUntilMoved) {
  const QRect screen = W().screen()->availableGeometry();
  const char* looks[] = {
      "FormWidth=2147483647\r\nFormHeight=2147483647\r\n",
      "FormLeft=-2147483648\r\nFormTop=2147483647\r\nFormWidth=100000\r\nFormHeight=100000\r\n",
      "FormLeft=2147483647\r\nFormTop=-2147483648\r\nFormWidth=20000\r\nFormHeight=12000\r\n",
  };
  for (const char* lines : looks) {
    WriteAll(Path("big.AFM"), lines);
    ask_.OpenFileNames = {Path("big.AFM")};
    QTest::keyClick(&W(), Qt::Key_O, Qt::ControlModifier);
    AlbumLook stored;
    ASSERT_TRUE(LoadProfile(Path("big.AFM"), stored));
    EXPECT_TRUE(screen.contains(W().geometry())) << lines;
    EXPECT_EQ(W().Book().SpineX(), W().width() / 2) << lines;
    EXPECT_EQ(Look().FormLeft, stored.FormLeft) << lines;
    EXPECT_EQ(Look().FormTop, stored.FormTop) << lines;
    EXPECT_EQ(Look().FormWidth, stored.FormWidth) << lines;
    EXPECT_EQ(Look().FormHeight, stored.FormHeight) << lines;
    EXPECT_FALSE(Model().FormatModified) << lines;
  }

  // Moved, the look holds the window the person sees, and saves it.
  const QRect moved = W().geometry().translated(-30, 0);
  const QPoint from(W().Book().SpineX() + 10, 200);  // the closed cover's move strip
  EXPECT_EQ(CursorAt(from), BookCursor::Move);
  QTest::mousePress(&W(), Qt::LeftButton, {}, from);
  QTest::mouseMove(&W(), from - QPoint(30, 0));
  QTest::mouseRelease(&W(), Qt::LeftButton, {}, from - QPoint(30, 0));
  EXPECT_EQ(Place(Look()), moved);
  EXPECT_EQ(W().geometry(), moved);
  QTest::keyClick(&W(), Qt::Key_F4);
  AlbumLook saved;
  ASSERT_TRUE(LoadProfile(Path("big.AFM"), saved));
  EXPECT_EQ(Place(saved), moved);
}

TEST_F(WindowTest, DragsMoveAndResizeUnlessMaximised) {
  NewAlbumWith(3);
  Model().FormatModified = false;
  const QRect before = Place(Look());

  // Move: the top strip of the open book.
  EXPECT_EQ(CursorAt(QPoint(100, 5)), BookCursor::Move);
  QTest::mousePress(&W(), Qt::LeftButton, {}, QPoint(100, 5));
  QTest::mouseMove(&W(), QPoint(130, 25));
  QTest::mouseRelease(&W(), Qt::LeftButton, {}, QPoint(100, 5));
  EXPECT_EQ(Place(Look()), before.translated(30, 20));
  EXPECT_EQ(W().pos(), before.topLeft() + QPoint(30, 20));
  EXPECT_TRUE(Model().FormatModified);

  // Resize: the bottom-right corner.
  const QPoint corner(W().width() - 5, W().height() - 5);
  EXPECT_EQ(CursorAt(corner), BookCursor::Resize);
  QTest::mousePress(&W(), Qt::LeftButton, {}, corner);
  QTest::mouseMove(&W(), corner + QPoint(40, 10));
  EXPECT_TRUE(W().IsResizing());
  QTest::mouseRelease(&W(), Qt::LeftButton, {}, corner + QPoint(40, 10));
  EXPECT_FALSE(W().IsResizing());
  EXPECT_EQ(W().size(), QSize(640, 410));
  EXPECT_EQ(Place(Look()).size(), QSize(640, 410));
  EXPECT_EQ(W().Book().SpineX(), 320);

  // Double click in the move zone: maximised; then drags do nothing.
  Model().FormatModified = false;
  QTest::mouseMove(&W(), QPoint(100, 5));
  DoubleClick(&W(), QPoint(100, 5));
  EXPECT_TRUE(Look().FormMaximized);
  EXPECT_TRUE(Model().FormatModified);
  EXPECT_EQ(W().geometry(), W().screen()->availableGeometry());
  const QRect maximised = W().geometry();
  const QRect stored = Place(Look());
  for (QPoint from : {QPoint(100, 5), QPoint(W().width() - 5, W().height() - 5)}) {
    QTest::mouseMove(&W(), from);
    QTest::mousePress(&W(), Qt::LeftButton, {}, from);
    QTest::mouseMove(&W(), from - QPoint(30, 30));
    QTest::mouseRelease(&W(), Qt::LeftButton, {}, from - QPoint(30, 30));
  }
  EXPECT_EQ(W().geometry(), maximised);
  EXPECT_EQ(Place(Look()), stored);
  QTest::mouseMove(&W(), QPoint(100, 5));
  DoubleClick(&W(), QPoint(100, 5));
  EXPECT_FALSE(Look().FormMaximized);
  EXPECT_EQ(W().geometry(), stored);
}

TEST_F(WindowTest, ThePanelSlidesByKeyAndTabOnlyWhileTheBookIsOpen) {
  ToolPanelFrame* panel = W().ToolPanel();
  QTest::keyClick(&W(), Qt::Key_F10);
  EXPECT_FALSE(W().IsMenuShown()) << "the closed book has no panel";

  NewAlbumWith(0);  // slides the panel out
  QV_WAIT(panel->isVisible() && !panel->IsAnimating());
  EXPECT_EQ(panel->geometry(), QRect(300 - 13, panel->y(), 27, ToolPanelFrame::EditHeight));
  QTest::keyClick(&W(), Qt::Key_F10);
  QV_WAIT(!panel->isVisible());

  const QPoint tab(300, 3);
  EXPECT_EQ(CursorAt(tab), BookCursor::Hand);
  QTest::mouseClick(&W(), Qt::LeftButton, {}, tab);
  QV_WAIT(panel->isVisible() && !panel->IsAnimating());
  EXPECT_EQ(panel->width(), 27);

  // Closing the book takes the panel away; opening brings it back.
  W().ShowSpread(0, -1);
  EXPECT_FALSE(panel->isVisible());
  W().ShowSpread(0, 0);
  EXPECT_TRUE(panel->isVisible());
}

// F1 opens the handbook at the section of the window it is pressed in, also
// in a modal dialog, which blocks the book window's own F1 shortcut.
TEST_F(WindowTest, HelpOpensAtTheSectionOfTheWindowF1IsPressedIn) {
  QStringList opened;
  W().SetHelpOpener([&](const QUrl& url) {
    EXPECT_TRUE(url.isLocalFile()) << url.toString().toStdString();
    opened << url.fragment();
    return true;
  });
  W().setFocus();
  QTest::keyClick(&W(), Qt::Key_F1);
  for (const char* name : {"fGoto", "fSetup", "fPicView", "fSomethingElse"}) {
    QDialog dialog(&W());
    dialog.setObjectName(QLatin1String(name));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_F1);
  }
  // The image view covers the screen: F1 there closes it, so the handbook
  // does not open unseen behind it.
  PicViewDialog view(Look(), &W());
  view.setWindowModality(Qt::ApplicationModal);
  view.show();
  QTest::keyClick(&view, Qt::Key_F1);
  EXPECT_FALSE(view.isVisible());
  EXPECT_EQ(opened, QStringList({"browse", "goto", "setup", "view", "contents", "view"}));
}

TEST_F(WindowTest, ItsPictureIsTheRenderCommandsPicture) {
  const QString demo = QStringLiteral(QV_BINARY_DIR "/samples/demo/Demo.ALB");
  W().OpenFile(demo);
  ASSERT_EQ(Model().AlbumFileName, demo);
  W().ShowSpread(0, 2);
  ASSERT_EQ(View().CurrentPage, 2);
  W().ToolPanel()->hide();
  for (const char* chrome : {"btClose", "btMaximize", "btMinimize", "imgResize"})
    W().findChild<QWidget*>(chrome)->hide();
  const QImage shown = W().grab().toImage().convertToFormat(QImage::Format_RGB32);

  QProcess render;
  render.start(QStringLiteral(QV_BINARY_DIR "/bin/quirevale"),
               {"--render", demo, "--out", Path("out"), "--size",
                QStringLiteral("%1x%2").arg(W().width()).arg(W().height()), "--chapter", "0",
                "--spread", "2"});
  ASSERT_TRUE(render.waitForFinished(60000));
  ASSERT_EQ(render.exitCode(), 0) << render.readAllStandardError().toStdString();
  const QImage drawn =
      QImage(Path("out/chapter00-spread0002.png")).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(drawn.size(), shown.size());
  EXPECT_TRUE(drawn == shown);  // every pixel
}

TEST_F(WindowTest, WhatTheChromeLeavesGoesToTheInputs) {
  struct Recorder : BrowserInput {
    QStringList Log;
    bool CursorAt(QPoint p, BookCursor& cursor) override {
      cursor = BookCursor::Zoom;
      return p.x() > 400;
    }
    bool MouseRelease(BookCursor c, QPoint p, Qt::MouseButton, Qt::KeyboardModifiers) override {
      Log << QStringLiteral("release %1 %2,%3").arg(int(c)).arg(p.x()).arg(p.y());
      return true;
    }
    bool KeyDown(QKeyEvent& key) override {
      Log << QStringLiteral("key %1").arg(key.key(), 0, 16);
      return true;
    }
  } input;
  W().AddInput(&input);
  NewAlbumWith(0);
  W().setFocus();
  EXPECT_EQ(CursorAt({450, 200}), BookCursor::Zoom);
  QTest::mouseClick(&W(), Qt::LeftButton, {}, {450, 200});
  EXPECT_EQ(CursorAt({100, 200}), BookCursor::Default);
  QTest::mouseMove(&W(), {100, 5});  // the move zone is the window's own
  QTest::mouseClick(&W(), Qt::LeftButton, {}, {100, 5});
  QTest::keyClick(&W(), Qt::Key_PageDown);
  // Delete is a shortcut, but its action is disabled with nothing selected.
  ASSERT_EQ(View().SelEnd, -1);
  QTest::keyClick(&W(), Qt::Key_Delete);
  QTest::keyClick(&W(), Qt::Key_F10);  // the window's own
  EXPECT_EQ(input.Log.join(" | ").toStdString(),
            "release 9 450,200 | release 3 100,5 | key 1000017 | key 1000007");
}
