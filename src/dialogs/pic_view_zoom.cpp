#include "pic_view_zoom.h"

#include <algorithm>
#include <cmath>
#include <iterator>

std::optional<int> ZoomLadder::In(double shown) {
  const auto* step =
      std::find_if(std::begin(Steps), std::end(Steps), [shown](int s) { return s > shown + 0.5; });
  if (step == std::end(Steps)) return std::nullopt;
  return *step;
}

std::optional<int> ZoomLadder::Out(double shown) {
  const auto step = std::find_if(std::rbegin(Steps), std::rend(Steps),
                                 [shown](int s) { return s < shown - 0.5; });
  if (step == std::rend(Steps)) return std::nullopt;
  return *step;
}

namespace {

// One axis: the new start of the picture.
int AroundAxis(int beforeStart, int beforeLength, int placedStart, int length, int screen,
               int anchor) {
  if (length <= screen || beforeLength <= 0) return placedStart;
  const double scale = double(length) / beforeLength;
  const auto start = static_cast<int>(std::lround(anchor - (anchor - beforeStart) * scale));
  return std::clamp(start, screen - length, 0);
}

}  // namespace

QRect PicViewZoomedAround(QRect before, QRect placed, QSize screen, QPoint anchor) {
  const int left = AroundAxis(before.left(), before.width(), placed.left(), placed.width(),
                              screen.width(), anchor.x());
  const int top = AroundAxis(before.top(), before.height(), placed.top(), placed.height(),
                             screen.height(), anchor.y());
  return {QPoint(left, top), placed.size()};
}
