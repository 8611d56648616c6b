#include "paint_tools.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <cmath>

QImage TexturePicture(const QString& file) {
  const QFileInfo info(file);
  if (file.isEmpty() || !info.isFile()) return QImage();
  // As its name says first: telling the kind by content makes Qt load every
  // image plugin, which start-up feels. Then by content, as a texture chosen
  // through the dialog may be any picture the program reads.
  QImageReader named(file, info.suffix().toLower().toLatin1());
  named.setAutoDetectImageFormat(false);
  QImage picture = named.read();
  if (picture.isNull()) picture = QImageReader(file).read();
  // An opaque texture stays opaque: tiling it is then a copy, not a blend.
  return picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                           : QImage::Format_RGB32);
}

QImage TextureCache::Picture(const QString& file) {
  const QFileInfo info(file);
  if (file.isEmpty() || !info.isFile()) return QImage();
  for (const Entry& e : entries_)
    if (e.File == file && e.Modified == info.lastModified() && e.Size == info.size())
      return e.Picture;
  const QImage picture = TexturePicture(file);
  entries_[next_] = {file, info.lastModified(), info.size(), picture};
  next_ = 1 - next_;
  return picture;
}

bool TileTexture(QPainter& painter, const EdgeRect& r, const QImage& picture,
                 const QColor& colour) {
  if (r.Width() <= 0 || r.Height() <= 0) return false;
  if (picture.isNull()) {
    painter.fillRect(r.ToQRect(), colour);
    return false;
  }
  painter.save();
  painter.setBrushOrigin(r.Left, r.Top);
  painter.fillRect(r.ToQRect(), QBrush(picture));
  painter.restore();
  return true;
}

namespace {

QColor SpineShadeColor(const EdgeRect& r, int x, const QColor& from, const QColor& to) {
  const int span = r.Right - r.Left;
  const double t = span == 0 ? 0.0 : double(x - r.Left) / span;
  // Halves go to the even neighbour, as everywhere in the book's arithmetic.
  auto channel = [t](int a, int b) { return a + static_cast<int>(std::lrint(t * (b - a))); };
  return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                channel(from.blue(), to.blue()));
}

}  // namespace

void SpineShade(QPainter& painter, const EdgeRect& r, const QColor& from, const QColor& to) {
  if (r.Bottom <= r.Top) return;
  for (int x = r.Left; x <= r.Right; ++x)
    painter.fillRect(x, r.Top, 1, r.Bottom - r.Top, SpineShadeColor(r, x, from, to));
}
