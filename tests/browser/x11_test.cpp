// The book window on a real X server (run under xvfb-run): the outline the
// server cuts, cursors, drags, focus and keys from real input (xdotool).
#include <QApplication>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>

#include "browser/browse_window.h"
#include "browser_fixture.h"

namespace {

class X11Test : public BrowserTest {
 protected:
  void SetUp() override {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
      GTEST_SKIP() << "needs an X server (run under xvfb-run with QT_QPA_PLATFORM=xcb)";
    xdotool_ = QStandardPaths::findExecutable("xdotool");
    if (xdotool_.isEmpty()) GTEST_SKIP() << "needs xdotool";
    BrowserTest::SetUp();
    // The window system maps and places the window in its own time.
    QV_WAIT(W().geometry().topLeft() == QPoint(20, 30));
  }

  // Real input through the X server.
  void Input(const QStringList& arguments) {
    ASSERT_EQ(QProcess::execute(xdotool_, arguments), 0) << arguments.join(' ').toStdString();
  }
  void MoveTo(QPoint local) {
    const QPoint p = W().mapToGlobal(local);
    Input({"mousemove", "--sync", QString::number(p.x()), QString::number(p.y())});
  }
  // The colour the screen shows at a point of the window.
  QRgb ScreenAt(QPoint local) {
    const QPoint p = W().mapToGlobal(local);
    return W().screen()->grabWindow(0, p.x(), p.y(), 1, 1).toImage().pixel(0, 0);
  }

  QString xdotool_;
};

}  // namespace

TEST_F(X11Test, TheServerCutsTheOutline) {
  QRgb book = 0;
  QRgb outside = 0;
  QV_WAIT((outside = ScreenAt({150, 200})) != (book = ScreenAt({450, 200})));
  EXPECT_EQ(ScreenAt({599, 0}), outside) << "the cover's round corner";
  NewAlbumWith(0);
  QV_WAIT(ScreenAt({150, 200}) != outside);
  EXPECT_EQ(ScreenAt({0, 0}), outside);
}

TEST_F(X11Test, CursorsAndDragsFromThePointer) {
  NewAlbumWith(0);
  Model().FormatModified = false;
  MoveTo({450, 200});
  MoveTo({100, 5});
  QV_WAIT(W().CursorShowing() == BookCursor::Move);
  EXPECT_EQ(W().cursor().shape(), Qt::SizeAllCursor);
  Input({"mousedown", "1"});
  MoveTo({140, 35});
  Input({"mouseup", "1"});
  QV_WAIT(W().geometry().topLeft() == QPoint(60, 60));
  EXPECT_EQ(Look().FormLeft, 60);
  EXPECT_TRUE(Model().FormatModified);

  // Inside the round corner, which the server cuts away.
  const QPoint corner(W().width() - 8, W().height() - 8);
  MoveTo(corner);
  QV_WAIT(W().CursorShowing() == BookCursor::Resize);
  EXPECT_EQ(W().cursor().shape(), Qt::SizeFDiagCursor);
  Input({"mousedown", "1"});
  MoveTo(corner + QPoint(30, 20));
  Input({"mouseup", "1"});
  QV_WAIT(W().size() == QSize(630, 420));
  QV_WAIT(!W().IsResizing());
}

// No window manager hands the focus back when a dialog closes: the book
// takes it itself, so its keys work at once.
TEST_F(X11Test, KeysWorkAtOnceAfterADialogCloses) {
  new BrowseWindow(W());
  NewAlbumWith(30);  // in edit mode
  QV_WAIT(W().isActiveWindow());
  // The go-to dialog runs its own loop: it is answered from within it.
  bool answered = false;
  int polls = 0;
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || answered) return;
    if (modal->isActiveWindow()) {
      answered = true;
      Input({"key", "Escape"});
    } else if (++polls > 300) {
      modal->close();  // it never had the keys: fail rather than hang
    }
  });
  poll.start();
  Input({"key", "--clearmodifiers", "ctrl+g"});
  QV_WAIT(answered && QApplication::activeModalWidget() == nullptr);
  QV_WAIT(W().isActiveWindow());
  Input({"key", "F5"});
  QV_WAIT(!W().IsEditMode());
}
