#pragma once
// Text drawn into the boxes of a page so that it fits them: shortened with
// "…" or wrapped onto more lines, never cut through a letter. Every text
// drawn can be reported to a recorder, so a test sees where each one went.

#include <QColor>
#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

#include "book/page.h"

class QFont;
class QFontMetrics;
class QPaintDevice;
class QPainter;

// A text as drawn on a page.
struct TextBox {
  PageKind Page = PageKind::Left;
  QRect Box;            // its advance by the font's line height
  QString Text;         // as drawn, with its "…" when shortened
  bool Cut = false;     // reaches out of the box it was given, so clipped
  bool Elided = false;  // shortened to fit
};

class PageText {
 public:
  // boxes may be null: then nothing is recorded and nothing allocated.
  PageText(QPainter& painter, PageKind page, std::vector<TextBox>* boxes)
      : painter_(painter), page_(page), boxes_(boxes) {}

  QPainter& Painter() { return painter_; }
  // Also draws every text in shadow one pixel down and to the right.
  void SetShadow(const QColor& colour) { shadow_ = colour; }

  // One line in the painter's font and pen, centred in r and shortened with
  // "…" when wider than r. Returns where it was drawn (empty: nothing).
  QRect Line(const QRect& r, const QString& text);
  // One line against r's left or right edge, shortened when wider than r.
  QRect Aligned(const QRect& r, const QString& text, Qt::Alignment side);
  // The text wrapped to r's width and centred in r as a block. The lines
  // that do not fit are left out and the last one shown ends in "…".
  // Returns the rectangle the lines take.
  QRect Block(const QRect& r, const QString& text);
  // A title: as Block, in the painter's font made as small as
  // TitlePointSize says, which it leaves on the painter.
  QRect Title(const QRect& r, const QString& text);

 private:
  // Draws text (width textWidth) with its left at x and line top at y,
  // clipped to r when it reaches out of it.
  QRect Draw(const QFontMetrics& fm, const QRect& r, int x, int y, int textWidth,
             const QString& text, bool elided);

  QPainter& painter_;
  PageKind page_;
  std::vector<TextBox>* boxes_;
  QColor shadow_;
};

// The point size a title is set in to fit room (device's pixels): the
// font's own where the text wraps into room at its blanks and marks, else
// the largest smaller one where it does, down to half the font's (8 points
// at least). At that floor Block splits its words and shortens it. A font
// sized in pixels keeps its size.
int TitlePointSize(const QString& text, const QFont& font, QSize room, QPaintDevice* device);
