#pragma once
// Reading a damaged data file as far as it is whole. These work on the file's
// bytes before the document component sees them: a bare "&" is made a
// reference to itself, and a file whose structure breaks is cut down to the
// root's elements that are whole, so the component reads every one of them
// and the place where the damage begins can be named to the user.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// A place in a text, line and column both counted from 1.
struct TextPlace {
  int Line = 1;
  int Column = 1;
  bool operator==(const TextPlace& other) const {
    return Line == other.Line && Column == other.Column;
  }
};

// The bytes with every "&" that begins no entity or character reference
// written as "&amp;" (outside comments, CDATA sections, processing
// instructions and the document type declaration), so that it reads as the
// character it is instead of vanishing.
struct EscapedText {
  std::string Text;
  std::vector<size_t> BareAmpersands;  // their offsets in the original bytes

  // The offset in the original bytes of an offset in Text.
  size_t OriginalOffset(size_t offset) const;
};
EscapedText EscapeBareAmpersands(const std::string& bytes);

// The text cut down to the prolog, the root's start tag, every child element
// of the root that is whole, and the root's end tag. A child whose tags do
// not match up, that holds a zero byte, or that the end of the file cuts off
// is left out, and reading goes on at the next photo, video or link element.
// Nothing when the text has no such damage.
struct SalvagedText {
  std::string Text;
  size_t DamageAt = 0;  // the offset where the first damage was found
};
std::optional<SalvagedText> SalvageWholeElements(const std::string& text);

// A character XML 1.0 cannot carry at all, not even as a reference, though
// a damaged file may hold one. Reading and writing both drop it.
bool IsForbiddenInXml(char32_t ch);

// The place of a byte offset: lines end with CR LF, LF or CR; a column counts
// characters, a UTF-8 sequence being one when utf8 is set.
TextPlace PlaceOf(const std::string& bytes, size_t offset, bool utf8);
