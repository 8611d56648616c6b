// The content layer: the cover's title, a divider's chapter title, and on
// image pages the header, the footer and the thumbnail cells with their
// description lines.

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "book/book.h"
#include "book/paint_tools.h"
#include "book/spread_table.h"
#include "book/text_wrap.h"
#include "book/thumbnail.h"
#include "core/message_table.h"
#include "init/profile.h"

namespace {

const QColor Navy(0, 0, 0x80);

void UseFont(QPainter& p, const TProfileFont& font) {
  p.setFont(font.Font);
  p.setPen(ToQColor(font.Color));
}

// Text against the rectangle's left or right edge, cut off at the other.
void ClippedText(QPainter& p, const QRect& r, const QString& text, Qt::Alignment side) {
  if (text.isEmpty() || r.width() <= 0) return;
  const QFontMetrics fm = p.fontMetrics();
  // Whole pixels, as CenteredText: the same text looks the same everywhere.
  const int x = side == Qt::AlignRight ? r.x() + r.width() - fm.horizontalAdvance(text) : r.x();
  p.save();
  p.setClipRect(r, Qt::IntersectClip);
  p.drawText(x, r.y() + fm.ascent(), text);
  p.restore();
}

// Text pressed into the cover: a dark edge below it lifts it off the grain.
void CoverText(QPainter& p, int x, int y, int w, int h, const QString& text) {
  const QPen pen = p.pen();
  p.setPen(QColor(0, 0, 0, 150));
  CenteredText(p, x + 1, y + 1, w, h, text);
  p.setPen(pen);
  CenteredText(p, x, y, w, h, text);
}

void PaintCover(QPainter& p, const TPage& page, const AlbumModel& model) {
  const int w = page.Width();
  const int h = page.Height();
  UseFont(p, AlbumProfile.TitleFont);
  const QString title = model.DataTitles.value(0);
  if (model.CurrentChapter != -1 && !title.isEmpty()) {
    CoverText(p, 28, 0, w - 28, h - 40, title);
    return;
  }
  CoverText(p, 28, 0, w - 28, h - 40, QStringLiteral("Quirevale"));
  // The window's own font, in the title's colour so it reads on the cover.
  QFont small(QStringLiteral("Arial"));
  small.setPointSize(8);
  p.setFont(small);
  CoverText(p, 28, 30, w - 28, h - 20, QStringLiteral("1.0"));
  CoverText(p, 28, 40, w - 28, h, QStringLiteral("Photo albums to page through"));
}

}  // namespace

void TBook::PaintPageContent(TPage& page) {
  if (page.Image.isNull()) return;
  QPainter p(&page.Image);
  PaintPageContent(page, p);
}

void TBook::PaintPageContent(const TPage& page, QPainter& p) {
  if (page.Image.isNull()) return;
  p.setBrush(Qt::NoBrush);
  if (page.IsCover()) {
    PaintCover(p, page, model_);
    return;
  }
  const TPageLook look = PageLookFor(page.Kind, model_, AlbumProfile);
  const TRect a = page.Area;
  const int c = model_.CurrentChapter;
  if (look.Shows == TPageShows::DividerTitle) {
    UseFont(p, AlbumProfile.ChapterFont);
    CenteredText(p, a.Left, a.Top, a.Width(), a.Height() - 40, model_.DataTitles.value(c + 1));
    return;
  }
  if (look.Shows != TPageShows::Images) return;

  const int q = look.PageNumber;
  const int perPage = AlbumProfile.ImagesPerPage();
  const int pages = model_.PageCount(c, perPage);
  UseFont(p, AlbumProfile.BaseFont);
  CenteredText(p, a.Left, a.Top, a.Width(), 20, model_.DataTitles.value(c));
  CenteredText(p, a.Left, a.Bottom - 20, a.Width(), 20, FooterText(q, pages));

  const QList<TThumbnail>& thumbs = model_.Thumbnails[c];
  if (q == 0 || thumbs.isEmpty()) return;
  const int first = (q - 1) * perPage;
  const int count = std::min<int>(perPage, int(thumbs.size()) - first);
  const QSize pageSize(page.Width(), page.Height());
  const int descHeight = DescHeight(AlbumProfile);
  const TChapterData& data = model_.Chapters[c];
  const bool editMode = window_.IsEditMode();
  const int selLow = std::min(model_.SelStart, model_.SelEnd);
  const int selHigh = std::max(model_.SelStart, model_.SelEnd);
  for (int i = 0; i < count; ++i) {
    const int idx = first + i;
    const TRect cell = CellRect(page.IsRight(), i, pageSize, AlbumProfile);
    // SelEnd = -1: nothing is selected.
    if (editMode && model_.SelEnd >= 0 && idx >= selLow && idx <= selHigh) {
      p.setPen(QPen(Navy, 1));
      p.drawRect(cell.Left - 3, cell.Top - 3, cell.Width() + 5, cell.Height() + 5);
    }
    // In a cell too small for its description the picture part is empty.
    const TRect pic{cell.Left, cell.Top, cell.Right, std::max(cell.Top, cell.Bottom - descHeight)};
    const TThumbnail& thumb = thumbs[idx];
    if (pic.Height() > 0 && (AlbumProfile.ThumbnailFrames || thumb.IsNull())) {
      p.setPen(QPen(Qt::black, 1));
      p.drawRect(pic.Left - 1, pic.Top - 1, pic.Width() + 1, pic.Height() + 1);
    }
    if (!window_.IsResizing()) {
      switch (CellPictureFor(thumb.Picture, data.Files.value(idx))) {
        case TCellPicture::Thumbnail:
          DrawCellPicture(p, pic, thumb);
          break;
        case TCellPicture::Video:
          DrawCellPicture(p, pic, VideoThumbnail(ThumbnailBox()));
          break;
        case TCellPicture::UnknownFormat:
          UseFont(p, AlbumProfile.BaseFont);
          CenteredText(p, pic.Left, pic.Top, pic.Width(), pic.Height(),
                       Msg(QStringLiteral("UnknownImageFormat")));
          break;
        case TCellPicture::NoPreview:
          UseFont(p, AlbumProfile.BaseFont);
          CenteredText(p, pic.Left, pic.Top, pic.Width(), pic.Height(),
                       Msg(QStringLiteral("NoPreview")));
          break;
      }
    }
    PaintDescription(p, pic, cell.Bottom, idx);
  }
}

void TBook::DrawCellPicture(QPainter& p, const TRect& pic, const TThumbnail& thumb) const {
  if (pictureScale_ == 1.0 || thumb.IsNull()) {
    DrawThumbnail(p, pic.Left, pic.Top, thumb);
    return;
  }
  // Where the window puts the picture: a picture smaller than the finer box
  // was not enlarged, and is not on screen either. The thumbnail is one
  // pixel short of its picture's proportions.
  const QSize shape(thumb.Picture.width(), thumb.Picture.height() + 1);
  const TRect r = ThumbnailPictureRect(shape, ThumbnailSize(windowSize_, AlbumProfile));
  p.save();
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawImage(QRectF(pic.Left + r.Left, pic.Top + r.Top, r.Width(), r.Height()), thumb.Picture);
  p.restore();
}

void TBook::PaintDescription(QPainter& p, const TRect& pic, int bottom, int idx) const {
  const TChapterData& data = model_.Chapters[model_.CurrentChapter];
  const int w = pic.Width();
  int y = pic.Bottom;
  // Only whole lines, and only inside the cell: the next cell or the page's
  // footer may lie right below it.
  auto fits = [&](int lineHeight) { return y + lineHeight <= bottom; };
  if (AlbumProfile.ExtendedDesc) {
    UseFont(p, AlbumProfile.DescFont);
    const QFontMetrics fm = p.fontMetrics();
    const int lineHeight = fm.height();
    if ((AlbumProfile.ShowDate || AlbumProfile.ShowPlace) && fits(lineHeight)) {
      const QString date = AlbumProfile.ShowDate ? data.Dates.value(idx) : QString();
      const QString place = AlbumProfile.ShowPlace ? data.Places.value(idx) : QString();
      const int dw = date.isEmpty() ? 0 : fm.horizontalAdvance(date);
      const int pw = std::min(place.isEmpty() ? 0 : fm.horizontalAdvance(place), w - dw);
      ClippedText(p, QRect(pic.Left, y, std::min(dw, w), lineHeight), date, Qt::AlignLeft);
      ClippedText(p, QRect(pic.Right - pw, y, pw, lineHeight), place, Qt::AlignRight);
      y += lineHeight;
    }
    if (AlbumProfile.ShowPeople && fits(lineHeight)) {
      CenteredText(p, pic.Left, y, w, lineHeight, data.People.value(idx));
      y += lineHeight;
    }
  }
  UseFont(p, AlbumProfile.BaseFont);
  const QFontMetrics fm = p.fontMetrics();
  const int lineHeight = fm.height();
  const int charWidth = std::max(1, fm.horizontalAdvance(u'a'));
  for (const QString& line :
       TitleLines(data.Titles.value(idx), w / charWidth, AlbumProfile.TextRowCount)) {
    if (!fits(lineHeight)) break;
    CenteredText(p, pic.Left, y, w, lineHeight, line);
    y += lineHeight;
  }
}
