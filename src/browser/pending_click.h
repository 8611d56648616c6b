#pragma once
// Tells a single click from the first click of a double click. The release
// of a click that may be the first of two is held for the desktop's
// double-click interval and acted on only when no press followed in that
// time; any press drops it (the press either starts a double click, or a
// click of its own that its own release decides). The release that ends a
// double click acted on is no click of its own.

#include <QPoint>
#include <QTimer>
#include <functional>

class PendingClick {
 public:
  // act runs for a single click, with the point it was released at.
  explicit PendingClick(std::function<void(QPoint)> act);

  // A release a single click acts on: act runs once the interval has passed.
  void Release(QPoint p);
  // Any button pressed: the held click, if any, is dropped.
  void Press();
  // A double click was acted on.
  void DoubleClicked() { endsDoubleClick_ = true; }
  // True, once, for the release that ends a double click acted on.
  bool TakeDoubleClickEnd();
  // A click is held and will run.
  bool IsPending() const { return timer_.isActive(); }

 private:
  std::function<void(QPoint)> act_;
  QTimer timer_;
  QPoint at_;
  bool endsDoubleClick_ = false;
};
