// Draws the program's pictures at build time:
//   qv_artwork RESOURCE_DIR PROGRAM_DIR
// writes RESOURCE_DIR/bitmaps/*.png, cursors/*.png and glyphs/*.png (compiled
// into the program) and PROGRAM_DIR/Textures/*.bmp (shipped beside it).
// Cursor hot spots travel in the PNG as the text keys HotSpotX and HotSpotY.

#include <QDir>
#include <QImage>
#include <cstdio>

#include "artwork.h"

namespace {

bool Save(const QImage& image, const QString& path, const char* format) {
  if (image.isNull() || !image.save(path, format)) {
    std::fprintf(stderr, "qv_artwork: cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: qv_artwork RESOURCE_DIR PROGRAM_DIR\n");
    return 2;
  }
  const QString resources = QString::fromLocal8Bit(argv[1]);
  const QString program = QString::fromLocal8Bit(argv[2]);
  for (const char* sub : {"bitmaps", "cursors", "glyphs"}) QDir().mkpath(resources + '/' + sub);
  QDir().mkpath(program + QStringLiteral("/Textures"));

  bool ok = true;
  for (const char* name : {"VERTICAL", "HORIZONTAL", "MENU", "MIDDLE", "LEFT", "RIGHT"})
    ok &= Save(artwork::MakeDecoration(name),
               resources + QStringLiteral("/bitmaps/%1.png").arg(QLatin1String(name)), "PNG");
  for (const char* name : {"ZOOM", "LEFT", "RIGHT", "NEXT", "PREVIOUS"}) {
    artwork::Cursor cursor = artwork::MakeCursor(name);
    cursor.image.setText(QStringLiteral("HotSpotX"), QString::number(cursor.hotSpot.x()));
    cursor.image.setText(QStringLiteral("HotSpotY"), QString::number(cursor.hotSpot.y()));
    ok &= Save(cursor.image, resources + QStringLiteral("/cursors/%1.png").arg(QLatin1String(name)),
               "PNG");
  }
  for (const char* name :
       {"0",         "1",         "2",         "3",         "4",    "5",  "6",      "7",
        "8",         "9",         "10",        "11",        "12",   "13", "close0", "close1",
        "maximize0", "maximize1", "minimize0", "minimize1", "grip", "14"})
    ok &= Save(artwork::MakeGlyph(name),
               resources + QStringLiteral("/glyphs/%1.png").arg(QLatin1String(name)), "PNG");
  // Windows bitmaps, as the look's texture keys name them.
  ok &= Save(artwork::MakeWalnut().convertToFormat(QImage::Format_RGB888),
             program + QStringLiteral("/Textures/Rich Walnut.bmp"), "BMP");
  ok &= Save(artwork::MakePaper().convertToFormat(QImage::Format_RGB888),
             program + QStringLiteral("/Textures/White Fur.bmp"), "BMP");
  return ok ? 0 : 1;
}
