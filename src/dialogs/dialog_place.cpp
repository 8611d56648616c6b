#include "dialog_place.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QRegion>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

QRect VisiblePart(const QWidget& window) {
  const QRect shown = window.mask().isEmpty() ? window.rect() : window.mask().boundingRect();
  return {window.mapToGlobal(shown.topLeft()), shown.size()};
}

QPoint CentredPlace(QRect visible, QSize dialog, QRect available) {
  QPoint at = visible.topLeft() + QPoint((visible.width() - dialog.width()) / 2,
                                         (visible.height() - dialog.height()) / 2);
  if (available.isEmpty()) return at;
  // The top-left wins when the dialog is larger than the screen.
  at.setX(std::max(std::min(at.x(), available.right() + 1 - dialog.width()), available.left()));
  at.setY(std::max(std::min(at.y(), available.bottom() + 1 - dialog.height()), available.top()));
  return at;
}

namespace {

// Watches windows becoming visible. Qt centres a dialog in its show event,
// before its native window is shown; the platform window's own show event
// comes after that and still before it appears, so the dialog is moved
// there, once Qt has settled its size (a message box sizes itself then).
class DialogPlacer : public QObject {
 public:
  explicit DialogPlacer(QWidget* window) : QObject(window), window_(window) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && watched->isWindowType()) Place(DialogOf(watched));
    return QObject::eventFilter(watched, event);
  }

 private:
  static QDialog* DialogOf(QObject* platformWindow) {
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->windowHandle() == platformWindow) return qobject_cast<QDialog*>(top);
    return nullptr;
  }

  void Place(QDialog* dialog) const {
    // A dialog moved by its own code keeps its place.
    if (dialog == nullptr || dialog->testAttribute(Qt::WA_Moved) || !window_->isVisible()) return;
    const QWidget* owner = dialog->parentWidget();
    if (owner == nullptr || owner->window() != window_) return;
    const QRect visible = VisiblePart(*window_);
    const QScreen* screen = QGuiApplication::screenAt(visible.center());
    if (screen == nullptr) screen = window_->screen();
    dialog->move(CentredPlace(visible, dialog->frameGeometry().size(),
                              screen != nullptr ? screen->availableGeometry() : QRect()));
    // As after Qt's own centring: not a place of the dialog's choosing, so
    // the next showing is centred again on wherever the window is then.
    dialog->setAttribute(Qt::WA_Moved, false);
  }

  QWidget* window_;  // the filter's owner
};

}  // namespace

void CentreDialogsOnVisiblePart(QWidget* window) {
  QCoreApplication::instance()->installEventFilter(new DialogPlacer(window));
}
