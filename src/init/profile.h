#pragma once
// The album look: one record whose fields bear the names of the format file's
// keys, with its defaults. Reading and writing the format file are in
// profile_file.h.

#include <QColor>
#include <QFont>
#include <QString>
#include <array>
#include <cstdint>

// A colour as the format file stores it: with the top bit clear, bits 0-7 are
// red, 8-15 green, 16-23 blue; with the top bit set the low byte names a
// system colour (0x80000008 is the window-text colour).
using LookColor = std::uint32_t;
constexpr LookColor clWindowText = 0x80000008u;

// Maps system colours onto the application palette.
QColor ToQColor(LookColor color);
constexpr LookColor RGBColor(int r, int g, int b) {
  return static_cast<LookColor>(r) | (static_cast<LookColor>(g) << 8) |
         (static_cast<LookColor>(b) << 16);
}

// A font of the look: Qt's font plus the colour text is drawn in.
struct LookFont {
  QFont Font;
  LookColor Color = clWindowText;
  bool operator==(const LookFont& other) const {
    return Font == other.Font && Color == other.Color;
  }
};

constexpr int BookmarkColorCount = 11;  // BM0..BM10; the file stores BM0..BM9

struct AlbumLook {
  std::int32_t FormLeft = 200;
  std::int32_t FormTop = 50;
  std::int32_t FormWidth = 600;
  std::int32_t FormHeight = 400;
  std::int32_t RowCount = 3;      // 1..10
  std::int32_t ColumnCount = 2;   // 1..5
  std::int32_t TextRowCount = 2;  // 0..10
  std::int32_t Zoom = 100;        // 0..200; 0 fits the image to the screen
  bool FormMaximized = false;
  bool ThumbnailFrames = false;
  bool ExtendedDesc = true;
  bool ShowDate = true;
  bool ShowPlace = true;
  bool ShowPeople = true;
  QString CoverTexture;
  QString PageTexture;
  LookColor CoverColor = RGBColor(128, 64, 0);
  LookColor PageColor = RGBColor(255, 255, 255);
  LookColor InsideColor = RGBColor(192, 192, 192);
  std::array<LookColor, BookmarkColorCount> BM{
      // BM[k] marks chapter k+1
      RGBColor(151, 232, 177), RGBColor(221, 160, 221), RGBColor(255, 228, 181),
      RGBColor(176, 224, 230), RGBColor(222, 184, 135), RGBColor(240, 230, 140),
      RGBColor(216, 191, 216), RGBColor(250, 250, 210), RGBColor(143, 188, 143),
      RGBColor(255, 218, 185), RGBColor(107, 183, 189)};
  LookFont BaseFont;
  LookFont DescFont;
  LookFont BookmarkFont;
  LookFont TitleFont;
  LookFont ChapterFont;

  // Images on one page.
  int ImagesPerPage() const { return RowCount * ColumnCount; }
  bool operator==(const AlbumLook& other) const;
  bool operator!=(const AlbumLook& other) const { return !(*this == other); }
};

// Every field to its default; the textures are the two shipped with the program.
void SetDefaultProfile(AlbumLook& profile);
// A deep copy (fonts are values, so the two records share nothing).
void AssignProfile(AlbumLook& destination, const AlbumLook& source);
