#pragma once
// Runs a call once the event loop turns, such as the loop a modal dialog
// starts: the way a test answers a dialog that blocks its caller. The call
// is dropped when the object goes before the loop turns.

#include <QTimer>
#include <functional>
#include <utility>

class Soon {
 public:
  explicit Soon(std::function<void()> call) {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, std::move(call));
    timer_.start(0);
  }

 private:
  QTimer timer_;
};
