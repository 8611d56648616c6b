// The book window on a real X server (run under xvfb-run): focus and keys
// from real input (xdotool).
#include <QApplication>
#include <QGuiApplication>
#include <QProcess>
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

  QString xdotool_;
};

}  // namespace

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
