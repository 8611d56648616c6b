// The content layer: the cover's title, a divider's chapter title, and on
// image pages the header, the footer and the thumbnail cells with their
// description lines.

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "book/book_layout.h"
#include "book/book_window.h"
#include "book/page_painter.h"
#include "book/page_text.h"
#include "book/paint_tools.h"
#include "book/spread_table.h"
#include "book/text_wrap.h"
#include "book/thumbnail.h"
#include "core/message_table.h"
#include "core/open_album.h"
#include "init/profile.h"

namespace {

const QColor Navy(0, 0, 0x80);
// The cover's board rim is 4 pixels wide: the title keeps twice that from it.
constexpr int CoverTitleMargin = 8;

void UseFont(QPainter& p, const LookFont& font) {
  p.setFont(font.Font);
  p.setPen(ToQColor(font.Color));
}

void PaintCover(PageText& text, const BookPage& page, const AlbumModel& model,
                const ViewState& view, const AlbumLook& look, bool print) {
  const int w = page.Width();
  const int h = page.Height();
  QPainter& p = text.Painter();
  UseFont(p, look.TitleFont);
  // Pressed into the cover: a dark edge below the letters lifts them off the grain.
  // On paper without transparency it would be a solid black copy.
  if (!print) text.SetShadow(QColor(0, 0, 0, 150));
  // A long title is set smaller to fit.
  const QRect titleBox = CoverTitleBox(QSize(w, h));
  const QString title = model.DataTitles.value(0);
  if (view.CurrentChapter != -1 && !title.isEmpty()) {
    text.Title(titleBox, title);
    return;
  }
  const QRect name = text.Title(titleBox, QStringLiteral("Quirevale"));
  // The window's own font, in the title's colour so it reads on the cover;
  // each line below the one above it, however large the title's font.
  QFont small(QStringLiteral("Arial"));
  small.setPointSize(8);
  p.setFont(small);
  const int lineHeight = p.fontMetrics().height();
  int top = std::max(30 + (h - 20 - lineHeight) / 2, name.bottom() + 1);
  const QRect version = text.Line(QRect(28, top, w - 28, lineHeight), QStringLiteral("1.0"));
  top = std::max(40 + (h - lineHeight) / 2, version.bottom() + 1);
  text.Line(QRect(28, top, w - 28, lineHeight), QStringLiteral("Photo albums to page through"));
}

}  // namespace

void PagePainter::PaintContent(BookPage& page) const {
  if (page.Image.isNull()) return;
  QPainter p(&page.Image);
  PaintContent(page, p);
}

void PagePainter::PaintContent(const BookPage& page, QPainter& p) const {
  if (page.Image.isNull()) return;
  p.setBrush(Qt::NoBrush);
  PageText text(p, page.Kind, textBoxes_);
  if (page.IsCover()) {
    PaintCover(text, page, model_, view_, look_, print_);
    return;
  }
  const PageLook look = PageLookFor(page.Kind, model_, view_, look_);
  const EdgeRect a = page.Area;
  const int c = view_.CurrentChapter;
  if (look.Shows == PageShows::DividerTitle) {
    UseFont(p, look_.ChapterFont);
    text.Title(QRect(a.Left, a.Top, a.Width(), a.Height() - 40), model_.DataTitles.value(c + 1));
    return;
  }
  if (look.Shows != PageShows::Images) return;

  const int q = look.PageNumber;
  const int perPage = look_.ImagesPerPage();
  const int pages = model_.PageCount(c, perPage);
  UseFont(p, look_.BaseFont);
  text.Line(QRect(a.Left, a.Top, a.Width(), 20), model_.DataTitles.value(c));
  text.Line(QRect(a.Left, a.Bottom - 20, a.Width(), 20), FooterText(q, pages));

  const QList<Thumbnail>& thumbs = thumbs_.Lists[c];
  // With pictures off none are made, yet the cells keep their lines: the
  // pre-print check lays the book out so to see every text.
  if (q == 0 || (thumbs.isEmpty() && !window_.IsResizing())) return;
  const ImageList& images = model_.Images(c);
  const int first = (q - 1) * perPage;
  const int count = std::min<int>(perPage, int(images.size()) - first);
  const QSize pageSize(page.Width(), page.Height());
  const int descHeight = DescHeight(look_);
  const Thumbnail none;
  const bool editMode = window_.IsEditMode();
  const int selLow = std::min(view_.SelStart, view_.SelEnd);
  const int selHigh = std::max(view_.SelStart, view_.SelEnd);
  for (int i = 0; i < count; ++i) {
    const int idx = first + i;
    const EdgeRect cell = CellRect(page.IsRight(), i, pageSize, look_);
    // SelEnd = -1: nothing is selected.
    if (editMode && view_.SelEnd >= 0 && idx >= selLow && idx <= selHigh) {
      p.setPen(QPen(Navy, 1));
      p.drawRect(cell.Left - 3, cell.Top - 3, cell.Width() + 5, cell.Height() + 5);
    }
    // In a cell too small for its description the picture part is empty.
    const EdgeRect pic{cell.Left, cell.Top, cell.Right,
                       std::max(cell.Top, cell.Bottom - descHeight)};
    const bool made = idx < thumbs.size();
    const Thumbnail& thumb = made ? thumbs[idx] : none;
    if (pic.Height() > 0 && (look_.ThumbnailFrames || (made && thumb.IsNull() && !print_))) {
      p.setPen(QPen(Qt::black, 1));
      p.drawRect(pic.Left - 1, pic.Top - 1, pic.Width() + 1, pic.Height() + 1);
    }
    if (made && !window_.IsResizing()) {
      switch (CellPictureFor(thumb.Picture, images.value(idx).File)) {
        case CellPicture::Thumbnail:
          DrawCellPicture(p, pic, thumb, ToQColor(look.Color));
          break;
        case CellPicture::Video:
          DrawCellPicture(p, pic, VideoThumbnail(layout_.ThumbnailBox()), ToQColor(look.Color));
          break;
        case CellPicture::UnknownFormat:
          if (print_) break;
          UseFont(p, look_.BaseFont);
          text.Block(pic.ToQRect(), Msg(QStringLiteral("UnknownImageFormat")));
          break;
        case CellPicture::NoPreview:
          if (print_) break;
          UseFont(p, look_.BaseFont);
          text.Block(pic.ToQRect(), Msg(QStringLiteral("NoPreview")));
          break;
      }
    }
    PaintDescription(text, pic, cell.Bottom, idx);
  }
}

void PagePainter::DrawCellPicture(QPainter& p, const EdgeRect& pic, const Thumbnail& thumb,
                                  const QColor& paper) const {
  if (layout_.PictureScale() == 1.0 || thumb.IsNull()) {
    DrawThumbnail(p, pic.Left, pic.Top, thumb);
    return;
  }
  // Where the window puts the picture: a picture smaller than the finer box
  // was not enlarged, and is not on screen either. The thumbnail is one
  // pixel short of its picture's proportions.
  const QSize shape(thumb.Picture.width(), thumb.Picture.height() + 1);
  const EdgeRect r = ThumbnailPictureRect(shape, layout_.ScreenThumbnailBox());
  // On paper every picture is at the dpi: a smaller one is enlarged here
  // once, smoothly, rather than by the printer.
  const double scale = layout_.PictureScale();
  const QSize atDpi(int(std::ceil(r.Width() * scale)), int(std::ceil(r.Height() * scale)));
  QImage picture =
      print_ && thumb.Picture.width() < atDpi.width()
          ? thumb.Picture.scaled(atDpi, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
          : thumb.Picture;
  // Paper takes no transparency: a picture with some is laid on its page's
  // colour here (the writer would lay it on white).
  if (print_ && picture.hasAlphaChannel()) {
    QImage flat(picture.size(), QImage::Format_RGB32);
    flat.fill(paper);
    QPainter(&flat).drawImage(0, 0, picture);
    picture = flat;
  }
  p.save();
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawImage(QRectF(pic.Left + r.Left, pic.Top + r.Top, r.Width(), r.Height()), picture);
  p.restore();
}

void PagePainter::PaintDescription(PageText& text, const EdgeRect& pic, int bottom, int idx) const {
  QPainter& p = text.Painter();
  const ImageRecord image = model_.Images(view_.CurrentChapter).value(idx);
  const int w = pic.Width();
  const bool extended = look_.ExtendedDesc;
  const QString date = extended && look_.ShowDate ? image.Date : QString();
  const QString place = extended && look_.ShowPlace ? image.Place : QString();
  const QFontMetrics desc(look_.DescFont.Font, p.device());
  const QFontMetrics base(look_.BaseFont.Font, p.device());
  // Wrapped by the letters' own widths, so every line fits the cell.
  const TextWidth width = [&base](QStringView s) { return base.horizontalAdvance(s.toString()); };
  const QStringList title = TitleLines(image.Title, w, look_.TextRowCount, width);
  const int gap = desc.horizontalAdvance(u' ');
  CellLines wanted;
  wanted.Date = extended && (look_.ShowDate || look_.ShowPlace);
  wanted.PlaceBelow = !date.isEmpty() && !place.isEmpty() &&
                      desc.horizontalAdvance(date) + gap + desc.horizontalAdvance(place) > w;
  // People too many for a line take two where they wrap into two.
  QStringList people{image.People};
  if (desc.horizontalAdvance(image.People) > w) {
    const QStringList wrapped = TitleLines(image.People, w, 3, [&desc](QStringView s) {
      return desc.horizontalAdvance(s.toString());
    });
    if (wrapped.size() == 2) people = wrapped;
  }
  wanted.People = extended && look_.ShowPeople ? int(people.size()) : 0;
  wanted.Title = int(title.size());
  // Only whole lines, and only inside the cell: the next cell or the page's
  // footer may lie right below it.
  const CellLines lines = FitCellLines(wanted, bottom - pic.Bottom, desc.height(), base.height());
  int y = pic.Bottom;
  UseFont(p, look_.DescFont);
  if (lines.Date) {
    // The date whole where it can be, the place beside it in what is left
    // after a blank's gap or on the line below; either shortened with "…"
    // rather than cut.
    const QRect line(pic.Left, y, w, desc.height());
    const QRect drawn = text.Aligned(line, date, Qt::AlignLeft);
    if (lines.PlaceBelow) {
      y += desc.height();
      text.Aligned(line.translated(0, desc.height()), place, Qt::AlignRight);
    } else {
      const int left = drawn.isEmpty() ? 0 : drawn.width() + gap;
      text.Aligned(line.adjusted(left, 0, 0, 0), place, Qt::AlignRight);
    }
    y += desc.height();
  }
  if (lines.People > 0) {
    text.Line(QRect(pic.Left, y, w, desc.height()),
              lines.People == 1 ? image.People : people.first());
    y += desc.height();
  }
  if (lines.People > 1) {
    text.Line(QRect(pic.Left, y, w, desc.height()), people.last());
    y += desc.height();
  }
  UseFont(p, look_.BaseFont);
  for (int i = 0; i < lines.Title; ++i) {
    text.Line(QRect(pic.Left, y, w, base.height()), title[i]);
    y += base.height();
  }
}
