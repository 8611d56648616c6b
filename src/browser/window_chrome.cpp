#include "browser/window_chrome.h"

#include <QPainterPath>
#include <limits>

namespace {

// The squared distance between the centres of two rectangles.
qint64 CentreDistance(const QRect& a, const QRect& b) {
  const QPoint d = a.center() - b.center();
  return qint64(d.x()) * d.x() + qint64(d.y()) * d.y();
}

}  // namespace

QRect PlaceWindow(const QRect& stored, const QList<QRect>& available) {
  if (available.isEmpty()) return stored;
  for (const QRect& screen : available) {
    if (screen.intersects(stored)) return stored;
  }
  QRect screen = available.first();
  qint64 best = std::numeric_limits<qint64>::max();
  for (const QRect& candidate : available) {
    const qint64 distance = CentreDistance(candidate, stored);
    if (distance < best) {
      best = distance;
      screen = candidate;
    }
  }
  QRect placed(stored.topLeft(), stored.size().boundedTo(screen.size()));
  // Pulled onto the screen along each axis it left.
  placed.moveLeft(std::clamp(placed.left(), screen.left(), screen.right() - placed.width() + 1));
  placed.moveTop(std::clamp(placed.top(), screen.top(), screen.bottom() - placed.height() + 1));
  return placed;
}

QRegion BookOutline(QSize window, int spineX, bool bookClosed) {
  const int left = bookClosed ? spineX : 0;
  QPainterPath path;
  path.addRoundedRect(QRectF(left, 0, window.width() - left, window.height()), 12.5, 12.5);
  return QRegion(path.toFillPolygon().toPolygon());
}

bool OnMenuTab(QPoint p, const TChromeState& s) {
  const int half = s.MenuBitmap.width() / 2;
  return p.y() < s.MenuBitmap.height() + 2 && p.x() >= s.SpineX - half && p.x() <= s.SpineX + half;
}

std::optional<TBookCursor> ChromeZone(QPoint p, const TChromeState& s) {
  const int w = s.Window.width();
  const int h = s.Window.height();
  if (p.x() >= w - 60 && p.y() <= 20) return TBookCursor::Arrow;
  if (OnMenuTab(p, s)) return TBookCursor::Hand;
  if ((s.CurrentPage > -1 && p.y() < 14) || (s.CurrentPage == -1 && p.x() < s.SpineX + 28))
    return TBookCursor::Move;
  if (!s.BookClosed && p.x() >= w - 27 && p.y() >= h - 27) return TBookCursor::Resize;
  return std::nullopt;
}

bool InCloseZone(QPoint p, QSize window) {
  return p.x() >= window.width() - 20 && p.x() <= window.width() - 10 && p.y() >= 5 && p.y() <= 15;
}
