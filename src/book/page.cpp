#include "page.h"

TRect TPage::BandRect() const {
  if (IsLeft()) return TRect{0, Area.Top - 1, Area.Left, Area.Bottom + 1};
  return TRect{Area.Right, Area.Top - 1, Width(), Area.Bottom + 1};
}
