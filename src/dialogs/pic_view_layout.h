#pragma once
// The image view's decisions as pure functions: where the picture lies on the
// screen at a zoom, what a key does to the zoom, how a drag pans a picture
// larger than the screen, and when a click closes the view.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <Qt>

// zoom is the look's Zoom in percent; 0 (or less) fits the picture to the
// screen, never enlarging it. Picture is in screen coordinates (the screen's
// top-left is 0, 0): centred on every axis; on an axis where it is larger
// than the screen it overhangs both edges and can be panned.
struct PicLayout {
  QRect Picture;
  bool FitsScreen(QSize screen) const {
    return Picture.width() <= screen.width() && Picture.height() <= screen.height();
  }
};
PicLayout PicViewLayout(QSize picture, QSize screen, int zoom);
// The percentage the picture is shown at: zoom, or in fit mode the fitted one.
double PicViewShownPercent(QSize picture, QSize screen, int zoom);

// What a key does: it may change zoom, and it closes the view or not.
// Plus and minus (the keypad's, or the main keyboard's with or without
// Shift) go from shown, the percentage shown now, to the next step of the
// zoom ladder up or down (ZoomLadder); the keypad's "*" fits and its "/"
// shows the actual size. Modifier, lock and editing keys (Shift, Ctrl, Alt,
// Enter, Tab, Backspace and the like) do nothing; every other key closes.
bool PicViewKeyCloses(int key, Qt::KeyboardModifiers modifiers, int& zoom, double shown);

// A press, a move with the left button held, and the release, all in screen
// coordinates. A drag pans once it has gone 11 pixels along an axis on which
// the picture is larger than the screen, and then follows the pointer,
// stopping at the picture's edges. A release closes the view unless the
// press panned, or the release is 10 pixels or more away from the press.
class PicPan {
 public:
  void Reset();
  void Press(QPoint at);
  // The picture's new top-left.
  QPoint Move(QPoint at, QRect picture, QSize screen);
  bool ReleaseCloses(QPoint at);
  bool Moved() const { return moved_; }

 private:
  QPoint press_{-1, -1};
  bool pressed_ = false;
  bool moved_ = false;
};
