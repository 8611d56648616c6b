#pragma once
// How the image view zooms from what it shows: a ladder of steps for the
// "+" and "-" keys and the mouse wheel, starting from the percentage shown
// (a fitted picture's own), and the picture's place after a zoom, keeping
// the point under the pointer (or the screen's centre, for keys) in place.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

class ZoomLadder {
 public:
  // The steps in percent, from the smallest to the largest. The largest is
  // what the format file keeps (it reads Zoom as 0..200).
  static constexpr int Steps[] = {10, 15, 20, 25, 33, 50, 67, 100, 150, 200};

  // The first step above shown, or none at the top. A step within half a
  // percent of shown counts as shown, so a fitted 49.8 % goes on to 67.
  static std::optional<int> In(double shown);
  // The first step below shown, or none at the bottom.
  static std::optional<int> Out(double shown);
};

// The picture's place after a zoom: placed is where the layout puts it at
// the new zoom (centred). On an axis where it overhangs the screen, the
// point of the picture at anchor (before the zoom, at before) stays at
// anchor as far as the picture's edges allow; on an axis where it fits, it
// stays centred.
QRect PicViewZoomedAround(QRect before, QRect placed, QSize screen, QPoint anchor);
