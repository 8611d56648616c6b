#pragma once
// Word wrap of the image titles under the thumbnails, and of any text drawn
// in a box too narrow for it in one line.

#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <vector>

struct WrappedLine {
  QString Text;
  // The wrap split a word at the end of this line: it gets a hyphen.
  bool SplitWord = false;
  bool operator==(const WrappedLine& o) const { return Text == o.Text && SplitWord == o.SplitWord; }
};

// How wide a piece of text is, in the unit the room of a line is given in.
using TextWidth = std::function<int(QStringView)>;

// Breaks text into lines no wider than room. Lines end after a blank, a tab
// or one of , - . / : ; and dashes, never between a pair of quotes (' or "
// with its partner on the same line; an apostrophe inside a word is none)
// while the quoted words fit on a line, and never so that a line starts
// with one of , - . / : ; ! ? ) or a dash: "river," stays with its comma;
// nor does a line end with a one-letter word ("a", "v"): it goes with the
// next word.
// A word that does not fit is moved whole to the next line; only a word
// wider than a line is split, after one of the vowels AEIOUY/aeiouy where
// that fits (else where it fits), with room for the hyphen and at least two
// letters on either side. Line breaks in the text (CR LF, LF or CR) end
// lines too. Blanks and tabs at the start of a line that the wrap made are
// dropped; trailing ones stay with their line.
std::vector<WrappedLine> WrapText(const QString& text, int room, const TextWidth& width);
// The same with room counted in characters.
std::vector<WrappedLine> WrapText(const QString& text, int maxCol);

// The lines drawn under a thumbnail: at most textRowCount of the wrapped
// title. Every line but the title's last is trimmed of blanks, and a line
// that ends a split word gets "-".
QStringList TitleLines(const QString& title, int room, int textRowCount, const TextWidth& width);
QStringList TitleLines(const QString& title, int maxCol, int textRowCount);
