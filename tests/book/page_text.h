#pragma once
// Reading a drawn page as a reader would: a text is found by the shape of
// its ink (the pixels nearer the text's colour than the ground's), so the
// wrong words, font, weight or direction do not match.

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <optional>

// How the text runs: left to right, or turned to run down or up the page.
enum class TRun { Across, Down, Up };

struct TTextLook {
  QFont Font;
  QColor Ink;
  QColor Ground;  // the colour the text stands on
  TRun Run = TRun::Across;
};

// The line box of text (its advance wide, the font's height high; turned
// with the text) where its ink stands within the part `within` of page, or
// nothing when the page does not show it there. With `visible`, the text is
// cut off at that rectangle's edges: only what lies inside is compared.
std::optional<QRect> FindText(const QImage& page, const QRect& within, const QString& text,
                              const TTextLook& look, const QRect& visible = {});

// The line box of text centred in box, as a reader expects a centred line.
QRect CentredBox(const QRect& box, const QString& text, const QFont& font);

// Whether every pixel of r on page is colour.
bool IsPlain(const QImage& page, const QRect& r, const QColor& colour);
