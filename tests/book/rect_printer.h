#pragma once
// Lets GoogleTest print EdgeRect values in failure messages.

#include <ostream>

#include "book/page_geometry.h"

inline void PrintTo(const EdgeRect& r, std::ostream* os) {
  *os << "(" << r.Left << ", " << r.Top << ")-(" << r.Right << ", " << r.Bottom << ")";
}
