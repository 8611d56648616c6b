#include "pdf_cover.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

#include "book/book.h"
#include "init/profile.h"

namespace {

constexpr double PixelsPerMm = 96 / 25.4;

}  // namespace

CoverSheet CoverSheetFor(const PdfOptions& options) {
  const QSizeF trim = options.Paper.Mm * PixelsPerMm;
  const double bleed = PdfBleedMm * PixelsPerMm;
  const double spine = options.CoverSpineMm * PixelsPerMm;
  CoverSheet sheet;
  sheet.Mm = QSizeF(2 * options.Paper.Mm.width() + options.CoverSpineMm + 2 * PdfBleedMm,
                    options.Paper.Mm.height() + 2 * PdfBleedMm);
  sheet.Back = QRectF(QPointF(bleed, bleed), trim);
  sheet.Spine = QRectF(sheet.Back.right(), bleed, spine, trim.height());
  sheet.Front = QRectF(QPointF(sheet.Spine.right(), bleed), trim);
  const double safe = PdfSafeMm * PixelsPerMm;
  sheet.FrontSafe = sheet.Front.adjusted(PdfSpineSafeMm * PixelsPerMm, safe, -safe, -safe);
  return sheet;
}

QString PdfCoverPath(const QString& bookPath) {
  const QString suffix = QStringLiteral(".pdf");
  if (bookPath.endsWith(suffix, Qt::CaseInsensitive))
    return bookPath.left(bookPath.size() - suffix.size()) + QStringLiteral("-cover") +
           bookPath.right(suffix.size());
  return bookPath + QStringLiteral("-cover.pdf");
}

void PaintCoverSheet(BookView& book, QPainter& p, const CoverSheet& sheet, int dpi) {
  BookPage& cover = book.CoverPage;
  // The paper runs on past the trim into the bleed.
  book.Painter().PaintPaper(cover, p, QRectF(QPointF(), sheet.Mm * PixelsPerMm + QSizeF(1, 1)),
                            dpi);
  // The cover page as the book shows it, as large as the safe rect allows.
  const QSizeF page(cover.Width(), cover.Height());
  if (!page.isEmpty()) {
    const double scale =
        std::min(sheet.FrontSafe.width() / page.width(), sheet.FrontSafe.height() / page.height());
    p.save();
    p.translate(sheet.FrontSafe.center() - QPointF(page.width(), page.height()) * scale / 2);
    p.scale(scale, scale);
    book.Painter().PaintContent(cover, p);
    p.restore();
  }
  const QString title = book.Model().DataTitles.value(0);
  if (title.isEmpty() || sheet.Spine.width() < MinSpineTitleMm * PixelsPerMm - 0.01) return;
  // Across the spine the letters keep 1 mm from each fold; along it, the
  // safe distance from the trim.
  const double across = sheet.Spine.width() - 2 * PixelsPerMm;
  const double along = sheet.Spine.height() - 2 * PdfSafeMm * PixelsPerMm;
  const LookFont& look = book.Look().TitleFont;
  QFont font = look.Font;
  const double height = QFontMetricsF(font, p.device()).height();
  if (height > across && font.pointSizeF() > 0)
    font.setPointSizeF(font.pointSizeF() * across / height);
  else if (height > across)
    font.setPixelSize(std::max(1, int(font.pixelSize() * across / height)));
  const QFontMetricsF metrics(font, p.device());
  p.save();
  p.setFont(font);
  p.setPen(ToQColor(look.Color));
  // Top to bottom, as shelves read it when the book lies face up.
  p.translate(sheet.Spine.center());
  p.rotate(90);
  p.drawText(QRectF(-along / 2, -across / 2, along, across), Qt::AlignCenter,
             metrics.elidedText(title, Qt::ElideRight, along));
  p.restore();
}
