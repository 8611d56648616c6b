#include "browser/window_chrome.h"

#include <QPainterPath>
#include <algorithm>
#include <limits>

#include "book/book_window.h"

namespace {

// A rectangle in wide integers: a look's values may be anything.
struct WideRect {
  qint64 Left, Top, Width, Height;
  qint64 Right() const { return Left + Width; }  // one past the last pixel
  qint64 Bottom() const { return Top + Height; }
};

WideRect Wide(const QRect& r) { return {r.left(), r.top(), r.width(), r.height()}; }

// The area two rectangles share (0 when they do not meet).
qint64 Overlap(const WideRect& a, const WideRect& b) {
  const qint64 w = std::min(a.Right(), b.Right()) - std::max(a.Left, b.Left);
  const qint64 h = std::min(a.Bottom(), b.Bottom()) - std::max(a.Top, b.Top);
  return w > 0 && h > 0 ? w * h : 0;
}

// The squared distance between the centres of two rectangles, in halves of
// a pixel so that the centres are whole; in floating point, as it may exceed
// any integer far off.
double CentreDistance(const WideRect& a, const WideRect& b) {
  const auto dx = double((2 * a.Left + a.Width) - (2 * b.Left + b.Width));
  const auto dy = double((2 * a.Top + a.Height) - (2 * b.Top + b.Height));
  return dx * dx + dy * dy;
}

// Keeps start so that [start, start + length) lies in [low, high) where it
// can; low wins when it cannot.
qint64 ClampInto(qint64 start, qint64 length, qint64 low, qint64 high) {
  return std::max(low, std::min(start, high - length));
}

}  // namespace

QRect PlaceWindow(int left, int top, int width, int height, const QList<QRect>& available) {
  const qint64 w = std::max(width, 1);
  const qint64 h = std::max(height, 1);
  if (available.isEmpty()) {
    // Far enough for any screen, near enough that the edges stay in range.
    constexpr int kFar = 1 << 24;
    return QRect(std::clamp(left, -kFar, kFar), std::clamp(top, -kFar, kFar),
                 int(std::min<qint64>(w, kLargestWindowSide)),
                 int(std::min<qint64>(h, kLargestWindowSide)));
  }
  WideRect placed{left, top, w, h};
  // The screen the window is most on, else the nearest.
  WideRect screen = Wide(available.first());
  qint64 most = 0;
  double nearest = std::numeric_limits<double>::infinity();
  for (const QRect& area : available) {
    const WideRect candidate = Wide(area);
    const qint64 overlap = Overlap(candidate, placed);
    const double distance = CentreDistance(candidate, placed);
    if (overlap > most || (most == 0 && overlap == 0 && distance < nearest)) {
      screen = candidate;
      most = overlap;
      nearest = distance;
    }
  }
  const bool reduced = placed.Width > screen.Width || placed.Height > screen.Height;
  placed.Width = std::min(placed.Width, screen.Width);
  placed.Height = std::min(placed.Height, screen.Height);
  // A window that fits and is on some screen may span several; one reduced
  // to its screen, or off every screen, is pulled onto that screen along
  // each axis it left.
  WideRect bounds = screen;
  if (most > 0 && !reduced) {
    for (const QRect& area : available) {
      const WideRect a = Wide(area);
      const qint64 right = std::max(bounds.Right(), a.Right());
      const qint64 bottom = std::max(bounds.Bottom(), a.Bottom());
      bounds.Left = std::min(bounds.Left, a.Left);
      bounds.Top = std::min(bounds.Top, a.Top);
      bounds.Width = right - bounds.Left;
      bounds.Height = bottom - bounds.Top;
    }
  }
  placed.Left = ClampInto(placed.Left, placed.Width, bounds.Left, bounds.Right());
  placed.Top = ClampInto(placed.Top, placed.Height, bounds.Top, bounds.Bottom());
  return QRect(int(placed.Left), int(placed.Top), int(placed.Width), int(placed.Height));
}

QRegion BookOutline(QSize window, int spineX, bool bookClosed) {
  const int left = bookClosed ? spineX : 0;
  QPainterPath path;
  path.addRoundedRect(QRectF(left, 0, window.width() - left, window.height()), 12.5, 12.5);
  return QRegion(path.toFillPolygon().toPolygon());
}

bool OnMenuTab(QPoint p, const ChromeInputs& s) {
  const int half = s.MenuBitmap.width() / 2;
  return p.y() < s.MenuBitmap.height() + 2 && p.x() >= s.SpineX - half && p.x() <= s.SpineX + half;
}

std::optional<BookCursor> ChromeZone(QPoint p, const ChromeInputs& s) {
  const int w = s.Window.width();
  const int h = s.Window.height();
  if (p.x() >= w - 60 && p.y() <= 20) return BookCursor::Arrow;
  if (OnMenuTab(p, s)) return BookCursor::Hand;
  if ((s.CurrentPage > -1 && p.y() < 14) || (s.CurrentPage == -1 && p.x() < s.SpineX + 28))
    return BookCursor::Move;
  if (!s.BookClosed && p.x() >= w - 27 && p.y() >= h - 27) return BookCursor::Resize;
  return std::nullopt;
}

bool InCloseZone(QPoint p, QSize window) {
  return p.x() >= window.width() - 20 && p.x() <= window.width() - 10 && p.y() >= 5 && p.y() <= 15;
}
