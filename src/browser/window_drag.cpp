#include "browser/window_drag.h"

#include "browser/album_browser.h"
#include "init/profile.h"

void WindowDrag::Press(QPoint global) {
  moveStartGlobal_ = global;
  moveStartWindow_ = window_.pos();
}

bool WindowDrag::Follow(BookCursor cursor, QPoint pressPoint, QPoint p, QPoint global) {
  AlbumModel& model = window_.Model();
  AlbumLook& look = window_.Document().Look;
  if (look.FormMaximized) return false;
  if (cursor == BookCursor::Move) {
    // Measured on the screen: the window follows the pointer even when the
    // window system moves it a little later than asked.
    const QPoint to = moveStartWindow_ + (global - moveStartGlobal_);
    if (to == QPoint(look.FormLeft, look.FormTop)) return false;
    // From the window as placed: the look now holds what the person sees.
    look.FormLeft = to.x();
    look.FormTop = to.y();
    look.FormWidth = window_.width();
    look.FormHeight = window_.height();
    window_.move(to);
    model.FormatModified = true;
    window_.UpdateActions();
  } else if (cursor == BookCursor::Resize) {
    if (p == pressPoint) return false;
    if (!resizing_) {
      // The gesture starts from the window as placed, which a look too
      // large or off the screens was held to.
      look.FormLeft = window_.x();
      look.FormTop = window_.y();
      look.FormWidth = window_.width();
      look.FormHeight = window_.height();
    }
    resizing_ = true;
    const QPoint by = p - pressPoint;
    look.FormWidth = std::max(window_.minimumWidth(), look.FormWidth + by.x());
    look.FormHeight = std::max(window_.minimumHeight(), look.FormHeight + by.y());
    model.FormatModified = true;
    window_.PositionWindow();
    window_.UpdateActions();
    return true;
  }
  return false;
}

bool WindowDrag::Release() {
  if (!resizing_) return false;
  resizing_ = false;
  // Thumbnails are made for the new page size, and the pages drawn with
  // their pictures again.
  window_.RunAction(QStringLiteral("RecreateThumbnails"));
  window_.Book().RebuildPages();
  return true;
}

void WindowDrag::ToggleMaximized() {
  window_.RunAction(QStringLiteral("RecreateThumbnails"));
  AlbumLook& look = window_.Document().Look;
  look.FormMaximized = !look.FormMaximized;
  window_.PositionWindow();
  window_.Model().FormatModified = true;
  window_.UpdateActions();
}
