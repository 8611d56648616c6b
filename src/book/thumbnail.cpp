#include "thumbnail.h"

#include <QColorSpace>
#include <QFontMetrics>
#include <QPainter>

#include "book/decoration_bitmaps.h"
#include "image/thumbnail_picture.h"
#include "init/profile.h"

namespace {

bool IsOpaque(const QImage& image) {
  if (!image.hasAlphaChannel()) return true;
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < argb.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    for (int x = 0; x < argb.width(); ++x) {
      if (qAlpha(line[x]) != 255) return false;
    }
  }
  return true;
}

// The picture scaled to rect, placed at rect's corner in box. An opaque
// picture is kept without alpha, in the format the page draws fastest
// (three bytes a pixel would save a quarter but draws ten times slower).
Thumbnail ComposeThumbnail(const QImage& picture, const EdgeRect& rect, QSize box) {
  Thumbnail thumbnail{QImage(), QPoint(rect.Left, rect.Top), box};
  if (rect.Width() <= 0 || rect.Height() <= 0) {
    // Too thin to show a row: a picture all the same, that draws nothing.
    thumbnail.Picture = QImage(1, 1, QImage::Format_ARGB32_Premultiplied);
    thumbnail.Picture.fill(Qt::transparent);
    return thumbnail;
  }
  const QSize drawn(rect.Width(), rect.Height());
  QImage scaled = picture.size() == drawn
                      ? picture
                      : picture.scaled(drawn, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  // A photo's own profile (Adobe RGB, say) in the sRGB the screen and the
  // PDF assume; converted here, at the thumbnail's size, where it is cheap.
  const QColorSpace space = scaled.colorSpace();
  if (space.isValid() && space != QColorSpace(QColorSpace::SRgb))
    scaled.convertToColorSpace(QColorSpace::SRgb);
  thumbnail.Picture = scaled.convertToFormat(
      IsOpaque(scaled) ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
  return thumbnail;
}

}  // namespace

int DescHeight(const AlbumLook& look) {
  // Measured on an image, as the pages are drawn on images.
  QImage device(1, 1, QImage::Format_ARGB32_Premultiplied);
  device.setDotsPerMeterX(PageDotsPerMeter);
  device.setDotsPerMeterY(PageDotsPerMeter);
  const int lineHeight = QFontMetrics(look.BaseFont.Font, &device).height();
  int lines = look.TextRowCount;
  if (look.ExtendedDesc && (look.ShowDate || look.ShowPlace)) ++lines;
  if (look.ExtendedDesc && look.ShowPeople) ++lines;
  return lineHeight * lines;
}

QSize ThumbnailSize(QSize windowSize, const AlbumLook& look) {
  const EdgeRect cell = CellRect(false, 0, PageSizeFor(windowSize), look);
  const QSize size(cell.Width(), cell.Height() - DescHeight(look));
  return size.isEmpty() ? QSize() : size;
}

EdgeRect ThumbnailPictureRect(QSize pictureSize, QSize box) {
  const qint64 boxW = box.width();
  const qint64 boxH = box.height();
  const qint64 gw = pictureSize.width();
  const qint64 gh = pictureSize.height();
  qint64 w = boxW;
  qint64 h = boxH;
  if (gw > 0 && gh > 0) {
    if (gw <= gh) {
      w = std::min(boxW, gw);
      h = RoundHalfEven(gh * w, gw);
      if (h > boxH) {
        h = boxH;
        w = RoundHalfEven(gw * h, gh);
      }
    } else {
      h = std::min(boxH, gh);
      w = RoundHalfEven(gw * h, gh);
      if (w > boxW) {
        w = boxW;
        h = RoundHalfEven(gh * w, gw);
      }
    }
  }
  const auto x = static_cast<int>((boxW - w) / 2);
  const auto y = static_cast<int>((boxH - h) / 2);
  // The picture is stretched to (x, y)-(x + w, y + h - 1): one row short.
  return EdgeRect{x, y, x + static_cast<int>(w), y + static_cast<int>(h) - 1};
}

Thumbnail MakeThumbnail(const QImage& picture, QSize box) {
  if (picture.isNull() || box.isEmpty()) return {QImage(), QPoint(), box};
  return ComposeThumbnail(picture, ThumbnailPictureRect(picture.size(), box), box);
}

Thumbnail ReadThumbnail(const QString& fileName, QSize box, bool shareThumbnails) {
  const ThumbnailPicture read = ReadThumbnailPicture(
      fileName, box,
      [box](QSize full) {
        const EdgeRect rect = ThumbnailPictureRect(full, box);
        return QSize(rect.Width(), rect.Height());
      },
      shareThumbnails);
  if (read.Picture.isNull()) return {QImage(), QPoint(), box};
  return ComposeThumbnail(read.Picture, ThumbnailPictureRect(read.FullSize, box), box);
}

Thumbnail VideoThumbnail(QSize box) {
  return MakeThumbnail(DecorationBitmap(QStringLiteral("VIDEO")), box);
}

void DrawThumbnail(QPainter& painter, int x, int y, const Thumbnail& thumbnail) {
  if (thumbnail.IsNull()) return;
  painter.drawImage(QPoint(x, y) + thumbnail.Offset, thumbnail.Picture);
}
