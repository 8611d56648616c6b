#include "profile.h"

#include <QGuiApplication>
#include <QPalette>

#include "core/program_files.h"

namespace {

QFont ArialFont(int points, bool bold, bool underline = false) {
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(points);
  font.setBold(bold);
  font.setUnderline(underline);
  return font;
}

// The low byte of a system colour, as Windows numbers them, onto the nearest
// role of the application palette; an unknown one draws as window text.
QColor SystemColor(int index) {
  const QPalette palette = QGuiApplication::palette();
  switch (index) {
    case 4:   // menu
    case 15:  // button face
      return palette.color(QPalette::Button);
    case 5:  // window background
      return palette.color(QPalette::Base);
    case 12:  // application workspace
      return palette.color(QPalette::Window);
    case 13:  // highlight
      return palette.color(QPalette::Highlight);
    case 14:  // highlighted text
      return palette.color(QPalette::HighlightedText);
    case 16:  // button shadow
      return palette.color(QPalette::Dark);
    case 17:  // grey (disabled) text
      return palette.color(QPalette::Disabled, QPalette::WindowText);
    case 18:  // button text
      return palette.color(QPalette::ButtonText);
    case 20:  // button highlight
      return palette.color(QPalette::Light);
    case 21:  // 3-D dark shadow
      return palette.color(QPalette::Shadow);
    case 22:  // 3-D light
      return palette.color(QPalette::Midlight);
    case 23:  // tool tip text
      return palette.color(QPalette::ToolTipText);
    case 24:  // tool tip background
      return palette.color(QPalette::ToolTipBase);
    case 26:  // hot-tracked item
      return palette.color(QPalette::Link);
    default:  // window text (8), menu text (7) and the rest
      return palette.color(QPalette::WindowText);
  }
}

}  // namespace

QColor ToQColor(LookColor color) {
  if ((color & 0x80000000u) != 0) return SystemColor(static_cast<int>(color & 0xFFu));
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

bool AlbumLook::operator==(const AlbumLook& o) const {
  return FormLeft == o.FormLeft && FormTop == o.FormTop && FormWidth == o.FormWidth &&
         FormHeight == o.FormHeight && RowCount == o.RowCount && ColumnCount == o.ColumnCount &&
         TextRowCount == o.TextRowCount && Zoom == o.Zoom && FormMaximized == o.FormMaximized &&
         ThumbnailFrames == o.ThumbnailFrames && ExtendedDesc == o.ExtendedDesc &&
         ShowDate == o.ShowDate && ShowPlace == o.ShowPlace && ShowPeople == o.ShowPeople &&
         CoverTexture == o.CoverTexture && PageTexture == o.PageTexture &&
         CoverColor == o.CoverColor && PageColor == o.PageColor && InsideColor == o.InsideColor &&
         BM == o.BM && BaseFont == o.BaseFont && DescFont == o.DescFont &&
         BookmarkFont == o.BookmarkFont && TitleFont == o.TitleFont && ChapterFont == o.ChapterFont;
}

void SetDefaultProfile(AlbumLook& profile) {
  profile = AlbumLook();
  profile.CoverTexture = ProgramFile(QStringLiteral("Textures/Rich Walnut.bmp"));
  profile.PageTexture = ProgramFile(QStringLiteral("Textures/White Fur.bmp"));
  profile.BaseFont = {ArialFont(10, false), clWindowText};
  profile.DescFont = {ArialFont(8, false), clWindowText};
  profile.BookmarkFont = {ArialFont(10, true), clWindowText};
  profile.TitleFont = {ArialFont(20, true, true), clWindowText};
  profile.ChapterFont = {ArialFont(16, true), clWindowText};
}

void AssignProfile(AlbumLook& destination, const AlbumLook& source) { destination = source; }
