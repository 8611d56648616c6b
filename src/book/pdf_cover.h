#pragma once
// The print-shop cover sheet: back, spine and front side by side on one
// sheet with bleed, for a book bound with a spine of the width the person
// gets from the print shop for the book's page count.

#include <QRectF>
#include <QSizeF>
#include <QString>

#include "book/pdf_sheet.h"

class BookView;
class QPainter;

// In sheet pixels at 96 per inch, from the sheet's top-left corner.
struct CoverSheet {
  QSizeF Mm;  // bleed + back + spine + front + bleed wide, trim + 2 x bleed high
  QRectF Back;
  QRectF Spine;
  QRectF Front;
  QRectF FrontSafe;  // the front's safe rect: 5 mm in from the trim, 10 mm from the spine
};

// The cover sheet for options' paper (the trim) and CoverSpineMm.
CoverSheet CoverSheetFor(const PdfOptions& options);

// NAME-cover.pdf beside NAME.pdf: print shops take the cover as a file of its own.
QString PdfCoverPath(const QString& bookPath);

// The cover's paper over the whole sheet at dpi (the back stays plain), the
// book's cover page (shown) in the front's safe rect, and the album's title
// along a spine at least MinSpineTitleMm wide, top to bottom.
void PaintCoverSheet(BookView& book, QPainter& painter, const CoverSheet& sheet, int dpi);
