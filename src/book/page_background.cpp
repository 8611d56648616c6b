// The layers under the content: the board and the page-stack edges, drawn
// on every re-layout, and the spread's colour, bookmarks, paper, spine shade
// and corner pictures.

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <cstring>

#include "book/book_layout.h"
#include "book/decoration_bitmaps.h"
#include "book/page_painter.h"
#include "book/paint_tools.h"
#include "book/spread_table.h"
#include "core/open_album.h"
#include "init/profile.h"

namespace {

const QColor Black(0, 0, 0);
const QColor SpineGrey(0x80, 0x80, 0x80);

// A brush pattern, or none when the bitmap is missing.
void FillPattern(QPainter& p, const QPolygon& polygon, const QImage& pattern) {
  if (pattern.isNull()) return;
  p.setPen(Qt::NoPen);
  p.setBrush(QBrush(pattern));
  p.drawPolygon(polygon);
}

// The page's own resolution, at which the window draws it.
constexpr int ScreenDpi = 96;

// The texture over r, or the colour when there is none (false). At more
// than the page's resolution the texture is scaled to dpi and drawn at its
// size on screen: the same grain, each texel sharp on paper.
bool TileAt(QPainter& p, const QRectF& r, const QImage& texture, const QColor& colour, int dpi) {
  if (texture.isNull()) {
    p.fillRect(r, colour);
    return false;
  }
  const double f = double(dpi) / ScreenDpi;
  QBrush brush(texture.scaled(texture.size() * f, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  brush.setTransform(QTransform::fromScale(1 / f, 1 / f));
  p.save();
  p.setBrushOrigin(r.topLeft());
  p.fillRect(r, brush);
  p.restore();
  return true;
}

void DrawPicture(QPainter& p, int x, int y, const QImage& picture) {
  if (!picture.isNull()) p.drawImage(x, y, picture);
}

// Copies the page as InitPage left it into the page's own pixels: a fresh
// copy each spread would take new memory, which costs a page turn more than
// the copying.
void RestoreBackground(BookPage& page) {
  const QImage& from = page.Background;
  QImage& to = page.Image;
  if (to.size() != from.size() || to.format() != from.format() ||
      to.bytesPerLine() != from.bytesPerLine()) {
    to = from.copy();
    return;
  }
  std::memcpy(to.bits(), from.constBits(), static_cast<std::size_t>(from.sizeInBytes()));
}

// Labels run along the edge: upwards on the left page, downwards on the right.
void DrawLabel(QPainter& p, const QFont& font, const QColor& colour, int x, int y, bool upwards,
               const QString& text) {
  p.save();
  p.setFont(font);
  p.setPen(colour);
  p.translate(x, y);
  p.rotate(upwards ? -90 : 90);
  // Measured on the page, whose resolution the font is sized for.
  p.drawText(0, p.fontMetrics().ascent(), text);
  p.restore();
}

}  // namespace

PagePainter::PagePainter(const OpenAlbum& album, const AlbumLook& look, const BookLayout& layout,
                         const BookWindow& window)
    : model_(album.Model),
      view_(album.View),
      thumbs_(album.Thumbs),
      look_(look),
      layout_(layout),
      window_(window) {}

void PagePainter::LoadDecorations() {
  // Read when the open book is first drawn: a closed book shows none.
  if (decorationsLoaded_) return;
  decorationsLoaded_ = true;
  vertical_ = DecorationBitmap(QStringLiteral("VERTICAL"));
  horizontal_ = DecorationBitmap(QStringLiteral("HORIZONTAL"));
  menu_ = DecorationBitmap(QStringLiteral("MENU"));
  middle_ = DecorationBitmap(QStringLiteral("MIDDLE"));
  leftCorner_ = DecorationBitmap(QStringLiteral("LEFT"));
  rightCorner_ = DecorationBitmap(QStringLiteral("RIGHT"));
}

void PagePainter::InitPage(BookPage& page) {
  const QSize pageSize = layout_.PageSize();
  page.Image = QImage(pageSize, QImage::Format_ARGB32_Premultiplied);
  page.Image.setDotsPerMeterX(PageDotsPerMeter);
  page.Image.setDotsPerMeterY(PageDotsPerMeter);
  page.Image.fill(Qt::transparent);
  page.Area = PageArea(page.IsLeft(), pageSize);
  page.Background = QImage();
  if (pageSize.isEmpty()) return;
  QPainter p(&page.Image);
  PaintBoard(page, p, ScreenDpi);
  p.end();
  if (!page.IsCover()) page.Background = page.Image.copy();
}

void PagePainter::PaintBoard(const BookPage& page, QPainter& p, int dpi) {
  const QSize pageSize = layout_.PageSize();
  if (pageSize.isEmpty()) return;
  const int w = pageSize.width();
  const int h = pageSize.height();
  const EdgeRect a = page.Area;
  const bool pixels = dpi == ScreenDpi;
  p.save();
  // The hard cover. Only the outer corners are rounded: the board runs on
  // under the spine. Outside the outline the page stays transparent, as the
  // window's rounded shape cuts it away.
  QRectF board(0, 0, w, h);
  if (page.IsLeft()) board.setRight(w + 15);
  if (page.IsRight()) board.setLeft(-15);
  QPainterPath outline;
  outline.addRoundedRect(board, 12.5, 12.5);
  p.setRenderHint(QPainter::Antialiasing);
  p.setClipPath(outline, Qt::IntersectClip);
  const QImage& coverTexture = textures_.Picture(look_.CoverTexture);
  const QColor coverColour = ToQColor(look_.CoverColor);
  const bool textured = pixels ? TileTexture(p, EdgeRect{0, 0, w, h}, coverTexture, coverColour)
                               : TileAt(p, QRectF(0, 0, w, h), coverTexture, coverColour, dpi);
  p.restore();
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Black, 4));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(board.adjusted(1, 1, -1, -1), 11.5, 11.5);
  p.setRenderHint(QPainter::Antialiasing, false);
  // On paper a line of one page pixel lies over the pixels the window fills.
  const QPointF onPixels = pixels ? QPointF() : QPointF(0.5, 0.5);

  p.setPen(QPen(Black, 1));
  if (page.IsCover()) {
    // The hinge, with a faint highlight beside it.
    p.translate(onPixels);
    p.drawLine(28, 0, 28, h - 1);
    p.setPen(QPen(QColor(255, 255, 255, 50), 1));
    p.drawLine(29, 0, 29, h - 1);
    p.restore();
    return;
  }

  // The page stacks: a band beside the outer edge, slanting in at its top,
  // and a band under the page, meeting it at the bottom corner.
  const int slantY = h - a.Bottom + a.Top - 16;
  QPolygon side;
  QPolygon bottom;
  QPolygon sideLine;
  QPolygon bottomLine;
  if (page.IsRight()) {
    side << QPoint(a.Right, a.Top - 1) << QPoint(a.Right + 13, slantY)
         << QPoint(a.Right + 13, h - 15) << QPoint(a.Right, a.Bottom);
    bottom << QPoint(0, a.Bottom) << QPoint(a.Right, a.Bottom) << QPoint(a.Right + 13, h - 15)
           << QPoint(0, h - 15);
    bottomLine << QPoint(a.Right + 13, h - 15) << QPoint(0, h - 15) << QPoint(0, a.Bottom);
  } else {
    side << QPoint(a.Left - 1, a.Top - 1) << QPoint(14, slantY) << QPoint(14, h - 15)
         << QPoint(a.Left - 1, a.Bottom);
    bottom << QPoint(a.Left - 1, a.Bottom) << QPoint(a.Right, a.Bottom) << QPoint(a.Right, h - 15)
           << QPoint(14, h - 15);
    bottomLine << QPoint(14, h - 15) << QPoint(a.Right, h - 15) << QPoint(a.Right, a.Bottom);
  }
  sideLine = side;
  // The bands are filled first, so that the lines bound them as a flood fill
  // bounded by black would.
  LoadDecorations();
  FillPattern(p, side, vertical_);
  FillPattern(p, bottom, horizontal_);
  p.translate(onPixels);
  p.setPen(QPen(Black, 1));
  p.setBrush(textured ? QBrush(Qt::NoBrush) : QBrush(coverColour));
  p.drawRect(a.Left - 1, a.Top - 1, a.Width() + 1, a.Height() + 1);
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(sideLine);
  p.drawPolyline(bottomLine);
  p.restore();
}

void PagePainter::PaintBackground(BookPage& page) {
  if (page.IsCover()) {
    InitPage(page);
    return;
  }
  if (page.Image.isNull()) return;
  // Start from the page as InitPage left it: the half-transparent pictures
  // by the spine and the bookmarks must not pile up on the last spread's.
  if (!page.Background.isNull()) RestoreBackground(page);
  const PageLook look = PageLookFor(page.Kind, model_, view_, look_);
  page.Color = look.Color;
  PaintBookmarks(page);

  const EdgeRect a = page.Area;
  const QColor color = ToQColor(page.Color);
  QPainter p(&page.Image);
  if (page.Color == look_.PageColor)
    TileTexture(p, a, textures_.Picture(look_.PageTexture), color);  // falls back to the colour
  else
    p.fillRect(a.ToQRect(), color);
  PaintPaperEdges(page, p, ScreenDpi);
}

void PagePainter::PaintPaperEdges(const BookPage& page, QPainter& p, int dpi) {
  const EdgeRect a = page.Area;
  const QColor color = ToQColor(PageLookFor(page.Kind, model_, view_, look_).Color);
  p.save();
  // The paper darkens towards the spine: column by column on the window's
  // pixels, on paper as the gradient those columns step through.
  const EdgeRect shade = page.IsRight() ? EdgeRect{a.Left, a.Top, a.Left + 20, a.Bottom}
                                        : EdgeRect{a.Right - 20, a.Top, a.Right - 1, a.Bottom};
  const QColor from = page.IsRight() ? SpineGrey : color;
  const QColor to = page.IsRight() ? color : SpineGrey;
  if (dpi == ScreenDpi) {
    SpineShade(p, shade, from, to);
  } else if (shade.Bottom > shade.Top) {
    QLinearGradient gradient(shade.Left + 0.5, 0, shade.Right + 0.5, 0);
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    p.fillRect(QRectF(shade.Left, shade.Top, shade.Width() + 1, shade.Height()), gradient);
  }

  LoadDecorations();
  const int spineSide = page.IsRight() ? a.Left - 21 : a.Right - 19;
  DrawPicture(p, spineSide, a.Top - 12, menu_);
  DrawPicture(p, spineSide, a.Bottom, middle_);
  if (!middle_.isNull()) {
    const int x = page.IsRight() ? a.Left - 1 : a.Right + 1;
    if (dpi != ScreenDpi) p.translate(0.5, 0.5);
    p.setPen(QPen(Black, 1));
    p.drawLine(x, a.Bottom, x, a.Bottom + middle_.height() - 1);
    if (dpi != ScreenDpi) p.translate(-0.5, -0.5);
  }
  if (page.IsRight() && !rightCorner_.isNull())
    p.drawImage(a.Right - rightCorner_.width(), a.Bottom - rightCorner_.height(), rightCorner_);
  if (page.IsLeft() && !leftCorner_.isNull())
    p.drawImage(a.Left, a.Bottom - leftCorner_.height(), leftCorner_);
  p.restore();
}

void PagePainter::PaintBookmarks(BookPage& page) const {
  // The tabs of the previous spread are gone: PaintBackground starts from
  // the page's Background.
  QPainter p(&page.Image);
  PaintBookmarkTabs(page, p);
}

void PagePainter::PaintBookmarkTabs(const BookPage& page, QPainter& p) const {
  const QFont& bookmarkFont = look_.BookmarkFont.Font;
  // The labels are always bold Arial of the bookmark font's size.
  QFont labelFont(QStringLiteral("Arial"));
  if (bookmarkFont.pixelSize() > 0)
    labelFont.setPixelSize(bookmarkFont.pixelSize());
  else
    labelFont.setPointSizeF(bookmarkFont.pointSizeF());
  labelFont.setBold(true);
  const QColor textColour = ToQColor(look_.BookmarkFont.Color);
  // In page coordinates: the right page starts at the spine.
  const int originX = page.IsRight() ? layout_.SpineX() : 0;

  for (const BookmarkTab& tab : layout_.Bookmarks().Tabs()) {
    if (tab.OnRight != page.IsRight()) continue;
    const QRect r = tab.Rect.translated(-originX, 0);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(ToQColor(look_.BM[tab.Chapter - 1]));
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QString name = model_.ChapterNames.value(tab.Chapter - 1);
    if (tab.OnRight)
      DrawLabel(p, labelFont, textColour, r.right() - 1, r.top() + 8, false, name);
    else
      DrawLabel(p, labelFont, textColour, r.left() + 2, r.bottom() - 7, true, name);
    // The page's edge runs over the tab, unless the tab joins its divider.
    if (tab.Active) {
      p.setPen(QPen(Qt::black, 1));
      p.drawLine(tab.EdgeX - originX, r.top(), tab.EdgeX - originX, r.bottom());
    }
  }
}

void PagePainter::PaintPaper(const BookPage& page, QPainter& p, const QRectF& r, int dpi) {
  QColor colour = ToQColor(look_.CoverColor);
  QImage texture;
  if (page.IsCover()) {
    texture = textures_.Picture(look_.CoverTexture);
  } else {
    const PageLook look = PageLookFor(page.Kind, model_, view_, look_);
    colour = ToQColor(look.Color);
    if (look.Color == look_.PageColor) texture = textures_.Picture(look_.PageTexture);
  }
  TileAt(p, r, texture, colour, dpi);
}
