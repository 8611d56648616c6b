#pragma once
// The hourglass cursor for the length of a long operation on the
// user-interface thread; restored however the operation ends.

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

class BusyCursor {
 public:
  explicit BusyCursor(Qt::CursorShape shape = Qt::WaitCursor)
      : active_(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
    if (active_) QGuiApplication::setOverrideCursor(shape);
  }
  ~BusyCursor() {
    if (active_) QGuiApplication::restoreOverrideCursor();
  }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  bool active_;
};
