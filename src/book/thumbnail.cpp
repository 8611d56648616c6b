#include "thumbnail.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QImageReader>
#include <QPainter>

#include "book/decoration_bitmaps.h"
#include "book/jpeg_reader.h"
#include "core/paths.h"
#include "init/profile.h"

namespace {

// The picture scaled to rect and drawn into a transparent box.
QImage ComposeThumbnail(const QImage& picture, const TRect& rect, QSize box) {
  QImage thumbnail(box, QImage::Format_ARGB32_Premultiplied);
  if (thumbnail.isNull()) return {};
  thumbnail.fill(Qt::transparent);
  if (rect.Width() <= 0 || rect.Height() <= 0) return thumbnail;
  const QSize drawn(rect.Width(), rect.Height());
  QPainter painter(&thumbnail);
  if (picture.size() == drawn) {
    painter.drawImage(rect.Left, rect.Top, picture);
  } else {
    painter.drawImage(rect.Left, rect.Top,
                      picture.scaled(drawn, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  }
  return thumbnail;
}

QImage ReadWithQt(const QString& fileName, const char* format) {
  QImageReader reader(fileName, format);
  return reader.read();
}

}  // namespace

int DescHeight(const TProfile& look) {
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

QSize ThumbnailSize(QSize windowSize, const TProfile& look) {
  const TRect cell = CellRect(false, 0, PageSizeFor(windowSize), look);
  const QSize size(cell.Width(), cell.Height() - DescHeight(look));
  return size.isEmpty() ? QSize() : size;
}

TRect ThumbnailPictureRect(QSize pictureSize, QSize box) {
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
  return TRect{x, y, x + static_cast<int>(w), y + static_cast<int>(h) - 1};
}

QImage MakeThumbnail(const QImage& picture, QSize box) {
  if (picture.isNull() || box.isEmpty()) return {};
  return ComposeThumbnail(picture, ThumbnailPictureRect(picture.size(), box), box);
}

QImage ReadThumbnail(const QString& fileName, QSize box) {
  if (box.isEmpty() || !QFileInfo(fileName).isFile()) return {};
  const QString ext = FileExtUpper(fileName);
  if (ext == QLatin1String(".JPG") || ext == QLatin1String(".JPEG")) {
    // Decode no larger than the rectangle the picture will fill.
    const JpegPicture jpeg = ReadJpegFile(fileName, [box](QSize full) {
      const TRect rect = ThumbnailPictureRect(full, box);
      return QSize(rect.Width(), rect.Height() + 1);
    });
    if (jpeg.Image.isNull()) return {};
    return ComposeThumbnail(jpeg.Image, ThumbnailPictureRect(jpeg.FullSize, box), box);
  }
  if (ext == QLatin1String(".BMP")) return MakeThumbnail(ReadWithQt(fileName, "bmp"), box);
  if (ext == QLatin1String(".GIF")) return MakeThumbnail(ReadWithQt(fileName, "gif"), box);
  return {};
}

void PictureToThumbnail(QImage& target, const QString& fileName, QSize box) {
  target = ReadThumbnail(fileName, box);
}

QImage VideoThumbnail(QSize box) {
  static QSize cachedBox;
  static QImage cached;
  if (box != cachedBox) {
    cached = MakeThumbnail(DecorationBitmap(QStringLiteral("VIDEO")), box);
    cachedBox = box;
  }
  return cached;
}
