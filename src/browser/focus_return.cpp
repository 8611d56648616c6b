#include "focus_return.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

FocusReturn::FocusReturn(QWidget& book) : QObject(&book), book_(book) {
  qApp->installEventFilter(this);
}

bool FocusReturn::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Hide || !watched->isWidgetType()) return false;
  auto* closed = static_cast<QWidget*>(watched);
  // Pop-up menus and tips hand the focus back themselves. The widgets'
  // active window is gone by now, but the window system's focus is still
  // on the window closing, unless the user had left it for another program.
  const Qt::WindowType type = closed->windowType();
  if (!closed->isWindow() || closed == &book_ || type == Qt::Popup || type == Qt::ToolTip ||
      closed->windowHandle() == nullptr || QGuiApplication::focusWindow() != closed->windowHandle())
    return false;
  QPointer<QWidget> over = closed->parentWidget() ? closed->parentWidget()->window() : &book_;
  // Once the window is gone: the window system may yet hand the focus on.
  QTimer::singleShot(0, this, [this, over] {
    QWidget* to = QApplication::activeModalWidget();
    if (to == nullptr) to = over ? over.data() : &book_;
    if (!to->isVisible() || to->isMinimized() || to->isActiveWindow()) return;
    to->activateWindow();
  });
  return false;
}
