#pragma once
// Word wrap of the image titles under the thumbnails.

#include <QString>
#include <QStringList>
#include <vector>

struct TWrappedLine {
  QString Text;
  // The wrap ended this line inside a word, after a vowel: it gets a hyphen.
  bool SplitWord = false;
  bool operator==(const TWrappedLine& o) const {
    return Text == o.Text && SplitWord == o.SplitWord;
  }
};

// Breaks text into lines of about maxCol characters. Break points are after
// a tab, blank, comma, hyphen, full stop, slash, colon, semicolon or one of
// the vowels AEIOUY/aeiouy, never between a pair of quotes (' or " with its
// partner on the same line; an apostrophe inside a word is none). Once a
// line is longer than maxCol it ends after its last break point, if that
// lies after the line's first character; a line without one is not broken.
// Line breaks in the text (CR LF, LF or CR) end lines too. Blanks and tabs
// at the start of a line that the wrap made are dropped; nothing else is.
std::vector<TWrappedLine> WrapText(const QString& text, int maxCol);

// The lines drawn under a thumbnail: at most textRowCount of the wrapped
// title. Every line but the title's last is trimmed of blanks, and a line
// that ends a split word gets "-".
QStringList TitleLines(const QString& title, int maxCol, int textRowCount);
