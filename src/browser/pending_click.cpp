#include "pending_click.h"

#include <QGuiApplication>
#include <QStyleHints>

PendingClick::PendingClick(std::function<void(QPoint)> act) : act_(std::move(act)) {
  timer_.setSingleShot(true);
  QObject::connect(&timer_, &QTimer::timeout, [this] { act_(at_); });
}

void PendingClick::Release(QPoint p) {
  at_ = p;
  // The desktop's setting, read each time: the user may change it meanwhile.
  timer_.start(QGuiApplication::styleHints()->mouseDoubleClickInterval());
}

void PendingClick::Press() {
  timer_.stop();
  // A press starts anew: a double click whose release never came (a dialog
  // took it) leaves nothing behind.
  endsDoubleClick_ = false;
}

bool PendingClick::TakeDoubleClickEnd() {
  const bool ends = endsDoubleClick_;
  endsDoubleClick_ = false;
  return ends;
}
