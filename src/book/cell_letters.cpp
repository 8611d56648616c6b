#include "cell_letters.h"

#include <QString>

#include "xml/codepages.h"

namespace {

const QString& Letters() {
  static const QString letters = [] {
    QString s;
    for (char c = 'a'; c <= 'z'; ++c) s += QLatin1Char(c);
    for (int byte = '{'; byte <= 0xFF; ++byte) {
      const char32_t ch =
          xml::ByteToUnicode(xml::CodePage::Windows1250, static_cast<unsigned char>(byte));
      const QChar q(static_cast<char16_t>(ch));
      // A mark must be seen: no controls, no unassigned bytes, no blanks.
      if (q.isPrint() && !q.isSpace()) s += q;
    }
    return s;
  }();
  return letters;
}

}  // namespace

QChar LetterForCell(int n) {
  const QString& letters = Letters();
  return n >= 0 && n < letters.size() ? letters[n] : QChar();
}

int CellForLetter(QChar letter) { return letter.isNull() ? -1 : int(Letters().indexOf(letter)); }
