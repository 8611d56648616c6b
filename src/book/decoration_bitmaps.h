#pragma once
// The pictures the book is decorated with, shipped as resources under
// ":/bitmaps/NAME.png" (resources/bitmaps.qrc).

#include <QImage>
#include <QString>

// The bitmap called name ("VIDEO", ...); null when the program has none.
QImage DecorationBitmap(const QString& name);
