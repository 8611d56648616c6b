#pragma once
// The sheets of a PDF book: the paper asked for, the profile it is printed
// with, and where on each sheet the book's pages go. Pure geometry.

#include <QPageLayout>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <optional>

// screen: the book as the window shows it; home: pages or spreads for a
// desktop printer; print-shop: a page a sheet with bleed and a safe zone.
enum class PdfProfile { Screen, Home, PrintShop };

// screen, home or print-shop; nullopt otherwise.
std::optional<PdfProfile> ParsePdfProfile(const QString& text);

struct PaperSize {
  QSizeF Mm{210, 297};
  bool AsGiven = false;  // WIDTHxHEIGHT: the sheet exactly so, never turned
};

// A4, A5, Letter (any letter case) or WIDTHxHEIGHT in mm, cm or in, with
// decimals (210.5x297mm, 8.5x11in); nullopt otherwise.
std::optional<PaperSize> ParsePaperSize(const QString& text);

struct PdfOptions {
  PaperSize Paper;
  int Dpi = 300;       // the pictures' resolution on paper
  bool Pages = false;  // every page on a sheet of its own; else a spread a sheet
  PdfProfile Profile = PdfProfile::Screen;
  // Print-shop: the spine's width for a cover sheet written beside the
  // book (NAME-cover.pdf); 0: no cover sheet.
  double CoverSpineMm = 0;
};

// The spine widths a cover sheet is made for; a title runs along the spine
// only from MinSpineTitleMm, narrower ones stay plain.
constexpr double MaxCoverSpineMm = 100;
constexpr double MinSpineTitleMm = 6;

// Whether the book's cover page is printed: on the first sheet, or for a
// print shop on the cover sheet.
bool PrintsCover(const PdfOptions& options);

// Print-shop sheets run 3 mm past the trim on every side; nothing is drawn
// within 5 mm of the trim or 10 mm of the spine (the binding takes some).
// A home printer cannot print the outer 6 mm or so of a sheet.
constexpr double PdfBleedMm = 3;
constexpr double PdfSafeMm = 5;
constexpr double PdfSpineSafeMm = 10;
constexpr double PdfHomeMarginMm = 6;

// In sheet pixels at 96 per inch, the pages' own resolution.
struct PdfSheet {
  QPageLayout Page;    // as the PDF writer is given it
  QSizeF Mm;           // the exact sheet: paper, or trim + 2 x bleed
  double BleedMm = 0;  // print-shop only
  bool SinglePages = false;
  QSize Layout;      // the window size the book is laid out for
  QRectF Printable;  // where pages go: the whole sheet, the printable part or the safe rect
  double SpineSafeShift = 0;  // print-shop: the right page's safe rect starts this much further in
  // Where a page's drawing goes; print-shop puts the page's inner Area
  // there, the others the whole page.
  QRectF Content(bool leftPage) const;
};

PdfSheet SheetFor(const PdfOptions& options);

// A portrait page of at least mm, in whole points (the writer rounds to
// them anyway; the exact sheet is set afterwards).
QPageLayout WholePointsLayout(QSizeF mm);
