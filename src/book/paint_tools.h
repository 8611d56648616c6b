#pragma once
// Small drawing steps that every layer of the book uses. Rectangles are
// (Left, Top)-(Right, Bottom) with Right and Bottom left out.

#include <QColor>
#include <QImage>
#include <QString>

#include "book/page_geometry.h"

class QPainter;

// Covers r with copies of the picture in file, side by side from r's
// top-left corner, the last column and row cut to r. When the file is
// missing or cannot be read, r is filled with colour instead. Returns
// whether the texture was drawn.
bool TileTexture(QPainter& painter, const EdgeRect& r, const QString& file, const QColor& colour);

// The picture in a texture file, or a null image. Decoded pictures are kept,
// so turning pages does not read the file again while it is unchanged.
QImage TexturePicture(const QString& file);

// Columns x = r.Left .. r.Right (both included) from r.Top to r.Bottom, each
// in the colour at its place on the straight way from `from` (at r.Left) to
// `to` (at r.Right), rounded per channel.
void SpineShade(QPainter& painter, const EdgeRect& r, const QColor& from, const QColor& to);
