#include "dialogs/slide_frame.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>
#include <algorithm>

#include "book/decoration_bitmaps.h"
#include "core/album_model.h"
#include "core/paths.h"
#include "dialogs/pic_view_picture.h"
#include "init/profile.h"

namespace {

QImage BlackFrame(QSize screen) {
  QImage frame(screen, QImage::Format_RGB32);
  frame.fill(Qt::black);
  return frame;
}

void DrawCentred(QImage& frame, const QImage& picture) {
  QPainter p(&frame);
  p.drawImage((frame.width() - picture.width()) / 2, (frame.height() - picture.height()) / 2,
              picture);
}

QFont SizedFont(const QFont& base, int pixels, bool bold) {
  QFont font = base;
  font.setPixelSize(std::max(pixels, 1));
  if (bold) font.setBold(true);
  return font;
}

}  // namespace

QImage SlidePictureFrame(const QString& file, QSize screen) {
  QImage frame = BlackFrame(screen);
  if (IsVideoFile(file)) {
    const QImage video = DecorationBitmap(QStringLiteral("VIDEO"));
    if (video.isNull()) return frame;
    const int h = std::max(screen.height() / 4, 1);
    DrawCentred(frame, video.scaledToHeight(h, Qt::SmoothTransformation));
    return frame;
  }
  // The JPEG decoder stops at the smallest scale that still covers the fit;
  // one thread, leaving the other core to the fade.
  const ViewPicture picture = ReadViewPicture(
      file, [screen](QSize full) { return full.scaled(screen, Qt::KeepAspectRatio); },
      JpegThreads::One);
  if (picture.Image.isNull()) return QImage();
  const QSize fit = picture.FullSize.scaled(screen, Qt::KeepAspectRatio);
  if (fit.isEmpty()) return QImage();
  DrawCentred(frame, picture.Image.scaled(fit, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  return frame;
}

void PaintCaption(QImage& frame, const ImageRecord& image, const AlbumLook& look) {
  QStringList details;
  if (look.ShowDate && !image.Date.isEmpty()) details << image.Date;
  if (look.ShowPlace && !image.Place.isEmpty()) details << image.Place;
  if (look.ShowPeople && !image.People.isEmpty()) details << image.People;
  const QString second = details.join(QStringLiteral("  \u00b7  "));
  if (frame.isNull() || (image.Title.isEmpty() && second.isEmpty())) return;

  const int w = frame.width();
  const int h = frame.height();
  const QFont titleFont = SizedFont(look.DescFont.Font, h / 20, true);
  const QFont lineFont = SizedFont(look.DescFont.Font, h / 30, false);
  const QFontMetrics titleMetrics(titleFont);
  const QFontMetrics lineMetrics(lineFont);
  const int titleHeight = image.Title.isEmpty() ? 0 : titleMetrics.height();
  const int lineHeight = second.isEmpty() ? 0 : lineMetrics.height();
  const int band = std::min(h / 5, titleHeight + lineHeight + h / 40);
  const int margin = w / 40;
  QRect text(margin, h - band + h / 80, w - 2 * margin, titleHeight);

  QPainter p(&frame);
  p.fillRect(QRect(0, h - band, w, band), QColor(0, 0, 0, 150));
  p.setClipRect(QRect(0, h - band, w, band));
  if (titleHeight > 0) {
    p.setFont(titleFont);
    p.setPen(Qt::white);
    p.drawText(text, Qt::AlignHCenter | Qt::AlignTop,
               titleMetrics.elidedText(image.Title, Qt::ElideRight, text.width()));
  }
  if (lineHeight > 0) {
    text.translate(0, titleHeight);
    text.setHeight(lineHeight);
    p.setFont(lineFont);
    p.setPen(QColor(220, 220, 220));
    p.drawText(text, Qt::AlignHCenter | Qt::AlignTop,
               lineMetrics.elidedText(second, Qt::ElideRight, text.width()));
  }
}

QImage TitleCard(QSize screen, const QString& title, QColor color, const LookFont& font) {
  QImage card(screen, QImage::Format_RGB32);
  card.fill(color);
  QPainter p(&card);
  p.setFont(SizedFont(font.Font, screen.height() / 10, false));
  p.setPen(ToQColor(font.Color));
  const int margin = screen.width() / 10;
  p.drawText(card.rect().adjusted(margin, 0, -margin, 0), Qt::AlignCenter | Qt::TextWordWrap,
             title);
  return card;
}
