#include "pic_view_layout.h"

#include <algorithm>
#include <cstdlib>

#include "book/page_geometry.h"
#include "dialogs/pic_view_zoom.h"

PicLayout PicViewLayout(QSize picture, QSize screen, int zoom) {
  const qint64 pw = std::max(0, picture.width());
  const qint64 ph = std::max(0, picture.height());
  const qint64 sw = std::max(1, screen.width());
  const qint64 sh = std::max(1, screen.height());
  qint64 w = pw;
  qint64 h = ph;
  if (zoom > 0) {
    w = pw * zoom / 100;
    h = ph * zoom / 100;
  } else if (pw > 0 && ph > 0 && (pw > sw || ph > sh)) {
    // Fit on both axes, so a 4:3 photo on a wide screen is not cut off.
    if (pw * sh > ph * sw) {
      w = sw;
      h = RoundHalfEven(sw * ph, pw);
    } else {
      h = sh;
      w = RoundHalfEven(sh * pw, ph);
    }
  }
  // Integer division truncates toward zero: an overhang is split evenly.
  const auto left = static_cast<int>((sw - w) / 2);
  const auto top = static_cast<int>((sh - h) / 2);
  return {QRect(left, top, static_cast<int>(w), static_cast<int>(h))};
}

double PicViewShownPercent(QSize picture, QSize screen, int zoom) {
  if (zoom > 0 || picture.width() <= 0) return zoom;
  return 100.0 * PicViewLayout(picture, screen, zoom).Picture.width() / picture.width();
}

bool PicViewKeyCloses(int key, Qt::KeyboardModifiers modifiers, int& zoom, double shown) {
  const bool keypad = modifiers & Qt::KeypadModifier;
  switch (key) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:  // "+" without Shift on many layouts
      zoom = ZoomLadder::In(shown).value_or(zoom);
      return false;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
      zoom = ZoomLadder::Out(shown).value_or(zoom);
      return false;
    case Qt::Key_Asterisk:
      if (!keypad) return true;
      zoom = 0;
      return false;
    case Qt::Key_Slash:
      if (!keypad) return true;
      zoom = 100;
      return false;
    case Qt::Key_Backspace:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Clear:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Pause:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
      return false;
    default:
      return true;
  }
}

void PicPan::Reset() {
  press_ = QPoint(-1, -1);
  pressed_ = false;
  moved_ = false;
}

void PicPan::Press(QPoint at) {
  press_ = at;
  pressed_ = true;
}

namespace {

// One axis of a pan: the picture's new start, kept so that it always covers
// the screen (start <= 0, start + length >= screen).
int PanAxis(int start, int length, int screen, int delta) {
  return std::clamp(start + delta, screen - length, 0);
}

}  // namespace

QPoint PicPan::Move(QPoint at, QRect picture, QSize screen) {
  QPoint topLeft = picture.topLeft();
  if (!pressed_) return topLeft;
  const int dx = at.x() - press_.x();
  const int dy = at.y() - press_.y();
  if ((moved_ || std::abs(dx) >= 11) && screen.width() < picture.width()) {
    moved_ = true;
    topLeft.setX(PanAxis(picture.left(), picture.width(), screen.width(), dx));
    press_.setX(at.x());
  }
  if (!moved_ && std::abs(dy) < 11) return topLeft;
  if (screen.height() < picture.height()) {
    moved_ = true;
    topLeft.setY(PanAxis(picture.top(), picture.height(), screen.height(), dy));
    press_.setY(at.y());
  }
  return topLeft;
}

bool PicPan::ReleaseCloses(QPoint at) {
  if (moved_) {
    moved_ = false;
    return false;
  }
  return pressed_ && std::abs(at.x() - press_.x()) < 10 && std::abs(at.y() - press_.y()) < 10;
}
