#pragma once
// What Qt's PDF writer cannot say, added to the file it wrote: the exact
// sheet with its print boxes, and an sRGB output intent.

#include <QSizeF>
#include <QString>

class QIODevice;

// Copies the PDF at written into out, every stream as it is. Every page gets
// MediaBox = BleedBox = the exact sheet (sheetPt, anchored at the top-left
// corner the writer draws from) and a TrimBox bleedPt inside it (bleedPt 0:
// the sheet only; an empty sheetPt: the pages as written). The file gets an sRGB output intent when
// it has none. False with a message in *error when the file cannot be read or written.
bool FinishPdf(const QString& written, QIODevice& out, QSizeF sheetPt, double bleedPt,
               QString* error);
