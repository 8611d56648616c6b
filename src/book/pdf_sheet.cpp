#include "pdf_sheet.h"

#include <QRegularExpression>
#include <cmath>

namespace {

constexpr double PixelsPerMm = 96 / 25.4;
constexpr double PointsPerMm = 72 / 25.4;

QPageLayout LayoutOf(const QPageSize& size, QPageLayout::Orientation orientation) {
  return QPageLayout(size, orientation, QMarginsF());
}

}  // namespace

std::optional<PdfProfile> ParsePdfProfile(const QString& text) {
  const QString t = text.trimmed().toLower();
  if (t == u"screen") return PdfProfile::Screen;
  if (t == u"home") return PdfProfile::Home;
  if (t == u"print-shop") return PdfProfile::PrintShop;
  return std::nullopt;
}

std::optional<PaperSize> ParsePaperSize(const QString& text) {
  const QString t = text.trimmed().toUpper();
  if (t == u"A4") return PaperSize{{210, 297}, false};
  if (t == u"A5") return PaperSize{{148, 210}, false};
  if (t == u"LETTER") return PaperSize{{215.9, 279.4}, false};
  const QRegularExpressionMatch m =
      QRegularExpression(QStringLiteral("^(\\d{1,4}(?:\\.\\d{1,3})?)X(\\d{1,4}(?:\\.\\d{1,3})?)"
                                        "(MM|CM|IN)$"))
          .match(t);
  if (!m.hasMatch()) return std::nullopt;
  const QString unit = m.captured(3);
  const double factor = unit == u"MM" ? 1 : unit == u"CM" ? 10 : 25.4;
  const double w = m.captured(1).toDouble() * factor;
  const double h = m.captured(2).toDouble() * factor;
  // A page smaller than a postcard has no room for the book's margins.
  if (w < 90 || h < 90 || w > 2000 || h > 2000) return std::nullopt;
  return PaperSize{{w, h}, true};
}

bool PrintsCover(const PdfOptions& options) {
  return options.Profile != PdfProfile::PrintShop || options.CoverSpineMm > 0;
}

QPageLayout WholePointsLayout(QSizeF mm) {
  const QSizeF points(std::ceil(mm.width() * PointsPerMm), std::ceil(mm.height() * PointsPerMm));
  return LayoutOf(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                  QPageLayout::Portrait);
}

QRectF PdfSheet::Content(bool leftPage) const {
  if (leftPage) return Printable;
  return Printable.translated(SpineSafeShift, 0);
}

PdfSheet SheetFor(const PdfOptions& options) {
  PdfSheet sheet;
  const PaperSize& paper = options.Paper;
  if (options.Profile == PdfProfile::PrintShop) {
    // The trim is the paper as a page; the sheet runs on by the bleed.
    sheet.SinglePages = true;
    sheet.BleedMm = PdfBleedMm;
    sheet.Mm = paper.Mm + QSizeF(2 * PdfBleedMm, 2 * PdfBleedMm);
    sheet.Page = WholePointsLayout(sheet.Mm);
    // The page's inner Area (28 + 1 pixels across, 15 + 28 down outside it)
    // fills the safe rect exactly, so every text and picture is inside it.
    const double safeW = (paper.Mm.width() - PdfSafeMm - PdfSpineSafeMm) * PixelsPerMm;
    const double safeH = (paper.Mm.height() - 2 * PdfSafeMm) * PixelsPerMm;
    const int w = int(std::floor(safeW)) + 29;
    const int h = int(std::floor(safeH)) + 43;
    sheet.Layout = QSize(2 * w, h);
    const double inset = (PdfBleedMm + PdfSafeMm) * PixelsPerMm;
    // The left page: outer edge at the left, spine at the right.
    sheet.Printable = QRectF(inset, inset, std::floor(safeW), std::floor(safeH));
    sheet.SpineSafeShift = (PdfSpineSafeMm - PdfSafeMm) * PixelsPerMm;
    return sheet;
  }
  sheet.SinglePages = options.Pages;
  // Named sizes turn for spreads; a size as given stays as written.
  const bool landscape = !paper.AsGiven && !options.Pages;
  sheet.Mm = landscape ? paper.Mm.transposed() : paper.Mm;
  const QPageSize size =
      paper.AsGiven ? QPageSize(paper.Mm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch)
                    : QPageSize(paper.Mm, QPageSize::Millimeter);
  sheet.Page = LayoutOf(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  const QSize pixels = sheet.Page.fullRectPixels(96).size();
  sheet.Printable = QRectF(QPointF(), QSizeF(pixels));
  if (options.Profile == PdfProfile::Home) {
    const double margin = PdfHomeMarginMm * PixelsPerMm;
    sheet.Printable = QRectF(margin, margin, std::floor(pixels.width() - 2 * margin),
                             std::floor(pixels.height() - 2 * margin));
  }
  const QSize layout = sheet.Printable.size().toSize();
  sheet.Layout = options.Pages ? QSize(2 * layout.width(), layout.height()) : layout;
  return sheet;
}
