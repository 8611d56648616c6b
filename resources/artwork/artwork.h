#pragma once
// The pictures the program ships, drawn by code: textures, decoration bitmaps
// and cursors. Each function returns a finished image; main.cpp saves them.

#include <QImage>
#include <QPoint>

namespace artwork {

QImage MakeWalnut();  // "Rich Walnut": the default cover
QImage MakePaper();   // "White Fur": the default page paper

// Decoration bitmaps of the book, by resource name (VERTICAL, HORIZONTAL,
// MENU, MIDDLE, LEFT, RIGHT); a null image for an unknown name.
QImage MakeDecoration(const char* name);

struct Cursor {
  QImage image;
  QPoint hotSpot;
};
// The program's cursors (ZOOM, LEFT, RIGHT, NEXT, PREVIOUS).
Cursor MakeCursor(const char* name);

// The book window's glyphs: the commands "0" to "12" (16 x 16), the caption
// buttons "close0", "close1", "maximize0" ... (14 x 14; 1 highlighted) and
// the resize "grip"; a null image for an unknown name.
QImage MakeGlyph(const char* name);

}  // namespace artwork
