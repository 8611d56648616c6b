#include "profile.h"

#include <QGuiApplication>
#include <QPalette>

#include "core/program_files.h"

TProfile AlbumProfile;

namespace {

QFont ArialFont(int points, bool bold, bool underline = false) {
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(points);
  font.setBold(bold);
  font.setUnderline(underline);
  return font;
}

// The low byte of a system colour, as Windows numbers them.
QColor SystemColor(int index) {
  const QPalette palette = QGuiApplication::palette();
  switch (index) {
    case 5:
      return palette.color(QPalette::Base);  // window background
    case 8:
      return palette.color(QPalette::WindowText);  // window text
    case 13:
      return palette.color(QPalette::Highlight);  // highlight
    case 14:
      return palette.color(QPalette::HighlightedText);  // highlighted text
    case 15:
      return palette.color(QPalette::Button);  // button face
    case 18:
      return palette.color(QPalette::ButtonText);  // button text
    default:
      return palette.color(QPalette::WindowText);
  }
}

}  // namespace

QColor ToQColor(TColor color) {
  if ((color & 0x80000000u) != 0) return SystemColor(static_cast<int>(color & 0xFFu));
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

bool TProfile::operator==(const TProfile& o) const {
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

void SetDefaultProfile(TProfile& profile) {
  profile = TProfile();
  profile.CoverTexture = ProgramFile(QStringLiteral("Textures/Rich Walnut.bmp"));
  profile.PageTexture = ProgramFile(QStringLiteral("Textures/White Fur.bmp"));
  profile.BaseFont = {ArialFont(10, false), clWindowText};
  profile.DescFont = {ArialFont(8, false), clWindowText};
  profile.BookmarkFont = {ArialFont(10, true), clWindowText};
  profile.TitleFont = {ArialFont(20, true, true), clWindowText};
  profile.ChapterFont = {ArialFont(16, true), clWindowText};
}

void AssignProfile(TProfile& destination, const TProfile& source) { destination = source; }
