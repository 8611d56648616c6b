#pragma once
// Small drawing steps that every layer of the book uses. Rectangles are
// (Left, Top)-(Right, Bottom) with Right and Bottom left out.

#include <QColor>
#include <QDateTime>
#include <QImage>
#include <QString>
#include <array>

#include "book/page_geometry.h"

class QPainter;

// Covers r with copies of picture, side by side from r's top-left corner,
// the last column and row cut to r. A null picture (a texture file missing
// or unreadable) fills r with colour instead. Returns whether the texture
// was drawn.
bool TileTexture(QPainter& painter, const EdgeRect& r, const QImage& picture, const QColor& colour);

// The picture in a texture file, or a null image.
QImage TexturePicture(const QString& file);

// A book's texture pictures, kept while their files are unchanged so turning
// pages does not read the file again. Two entries: a look has two textures,
// and the cover's is drawn only on a re-layout.
class TextureCache {
 public:
  QImage Picture(const QString& file);

 private:
  struct Entry {
    QString File;
    QDateTime Modified;
    qint64 Size = -1;
    QImage Picture;
  };
  std::array<Entry, 2> entries_;
  std::size_t next_ = 0;
};

// Columns x = r.Left .. r.Right (both included) from r.Top to r.Bottom, each
// in the colour at its place on the straight way from `from` (at r.Left) to
// `to` (at r.Right), rounded per channel.
void SpineShade(QPainter& painter, const EdgeRect& r, const QColor& from, const QColor& to);
