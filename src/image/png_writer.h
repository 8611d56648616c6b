#pragma once
// PNG writing for the thumbnail cache entries.

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPair>

// The picture as an 8-bit RGB (RGBA when it has alpha) PNG, with one
// uncompressed tEXt chunk per key and value (Latin-1). Qt's own writer stores
// long texts compressed (zTXt), which other readers of the cache do not look
// at, and it is several times slower.
QByteArray EncodePng(const QImage& image, const QList<QPair<QByteArray, QByteArray>>& text);
