#include "text_wrap.h"

#include <QVarLengthArray>
#include <utility>

namespace {

bool IsVowel(QChar c) {
  static const QString vowels = QStringLiteral("AEIOUYaeiouy");
  return vowels.contains(c);
}

bool IsBlank(QChar c) { return c == u' ' || c == u'\t'; }
bool IsLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }
bool IsDash(QChar c) { return c.category() == QChar::Punctuation_Dash; }

// Characters a line may end after.
bool BreaksAfter(QChar c) {
  static const QString separators = QStringLiteral("\t ,-./:;");
  return separators.contains(c) || IsDash(c);
}

// Characters that belong to the word before them, so no line starts with one.
bool StartsNoLine(QChar c) {
  static const QString closing = QStringLiteral(",-./:;!?)]}");
  return closing.contains(c) || IsDash(c);
}

bool IsCasedLetter(QChar c) { return c.isLower() || c.isUpper(); }

bool IsQuote(QChar c) { return c == u'\'' || c == u'"'; }

// An apostrophe within a word ("Tom's") quotes nothing.
bool IsApostrophe(QStringView text, qsizetype i) {
  return text[i] == u'\'' && i > 0 && i + 1 < text.size() && text[i - 1].isLetterOrNumber() &&
         text[i + 1].isLetterOrNumber();
}

// One line of the text (no line ends in it) and the pairs of quotes in it.
class Paragraph {
 public:
  Paragraph(QStringView text, int room, const TextWidth& width)
      : text_(text), room_(room), width_(width) {
    for (qsizetype i = 0; i < text.size(); ++i) {
      if (!IsQuote(text[i]) || IsApostrophe(text, i)) continue;
      for (qsizetype k = i + 1; k < text.size(); ++k) {
        if (text[k] == text[i] && !IsApostrophe(text, k)) {
          quotes_.append({i, k});
          i = k;
          break;
        }
      }
    }
  }

  void Wrap(std::vector<WrappedLine>& lines) const {
    const qsizetype n = text_.size();
    qsizetype pos = 0;
    do {
      qsizetype end = LastFittingBreak(pos, true);
      bool split = false;
      if (end < 0) {  // the first word alone is wider than the line
        end = LastFittingBreak(pos, false);
        if (end < 0) end = SplitWord(pos, &split);
      }
      lines.push_back({text_.mid(pos, end - pos).toString(), split});
      pos = end;
      while (pos < n && IsBlank(text_[pos])) ++pos;
    } while (pos < n);
  }

 private:
  bool Fits(qsizetype from, qsizetype to, bool hyphen) const {
    while (to > from && IsBlank(text_[to - 1])) --to;
    QStringView line = text_.mid(from, to - from);
    return width_(line) + (hyphen ? width_(u"-") : 0) <= room_;
  }

  bool InQuotes(qsizetype b) const {
    for (const auto& [open, close] : quotes_)
      if (open < b && b <= close) return true;
    return false;
  }

  // A line may end before b (the next one starts at b's first non-blank).
  // Strict: also not inside quotes, nor after a one-letter word.
  bool CanBreak(qsizetype b, bool strict) const {
    const qsizetype n = text_.size();
    if (b >= n) return true;
    const QChar before = text_[b - 1];
    if (!BreaksAfter(before) || IsBlank(text_[b])) return false;
    qsizetype next = b;
    while (next < n && IsBlank(text_[next])) ++next;
    if (next < n && StartsNoLine(text_[next])) return false;
    if (!strict) return true;
    if (InQuotes(b)) return false;
    qsizetype word = b;  // the word before the blanks
    while (word > 0 && IsBlank(text_[word - 1])) --word;
    return !(word < b && word >= 1 && text_[word - 1].isLetter() &&
             (word == 1 || IsBlank(text_[word - 2])));
  }

  // The end of the longest line from pos that ends at a break and fits, or -1.
  qsizetype LastFittingBreak(qsizetype pos, bool strict) const {
    // Most titles and last lines fit whole: one measure instead of one a word.
    if (Fits(pos, text_.size(), false)) return text_.size();
    qsizetype best = -1;
    for (qsizetype b = pos + 1; b <= text_.size(); ++b) {
      if (!CanBreak(b, strict)) continue;
      if (!Fits(pos, b, false)) break;
      best = b;
    }
    return best;
  }

  int Letters(qsizetype from, qsizetype to) const {
    int count = 0;
    for (qsizetype i = from; i < to; ++i) count += text_[i].isLetterOrNumber() ? 1 : 0;
    return count;
  }

  // Where the word at pos, wider than the line, is split, with two letters
  // at least on either side: after the last vowel that leaves room for the
  // hyphen, else as far as fits; where not even two letters fit, after the
  // first two, which overflows least. *hyphen tells whether the split falls
  // between letters that take one.
  qsizetype SplitWord(qsizetype pos, bool* hyphen) const {
    qsizetype wordEnd = pos + 1;
    while (wordEnd < text_.size() && !CanBreak(wordEnd, false)) ++wordEnd;
    auto hyphenAt = [&](qsizetype k) {
      return IsCasedLetter(text_[k - 1]) && IsCasedLetter(text_[k]);
    };
    auto allowed = [&](qsizetype k) { return Letters(pos, k) >= 2 && Letters(k, wordEnd) >= 2; };
    qsizetype anywhere = -1;
    qsizetype first = -1;
    for (qsizetype k = pos + 1; k < wordEnd; ++k) {
      if (!allowed(k)) continue;
      if (first < 0) first = k;
      if (!Fits(pos, k, hyphenAt(k))) break;
      anywhere = k;
    }
    for (qsizetype k = anywhere; k > pos; --k) {
      if (allowed(k) && IsVowel(text_[k - 1]) && text_[k].isLetter()) {
        *hyphen = hyphenAt(k);
        return k;
      }
    }
    const qsizetype k = anywhere >= 0 ? anywhere : first;
    if (k < 0) return wordEnd;
    *hyphen = hyphenAt(k);
    return k;
  }

  QStringView text_;
  int room_;
  const TextWidth& width_;
  QVarLengthArray<std::pair<qsizetype, qsizetype>, 4> quotes_;
};

}  // namespace

std::vector<WrappedLine> WrapText(const QString& text, int room, const TextWidth& width) {
  std::vector<WrappedLine> lines;
  const qsizetype n = text.size();
  qsizetype start = 0;
  for (;;) {
    qsizetype end = start;
    while (end < n && !IsLineEnd(text[end])) ++end;
    if (end > start)
      Paragraph(QStringView(text).mid(start, end - start), room, width).Wrap(lines);
    else
      lines.push_back({QString(), false});
    if (end >= n) break;
    start = end + ((text[end] == u'\r' && end + 1 < n && text[end + 1] == u'\n') ? 2 : 1);
    if (start >= n) break;
  }
  return lines;
}

std::vector<WrappedLine> WrapText(const QString& text, int maxCol) {
  return WrapText(text, maxCol, [](QStringView s) { return int(s.size()); });
}

QStringList TitleLines(const QString& title, int room, int textRowCount, const TextWidth& width) {
  QStringList result;
  if (title.isEmpty()) return result;
  const std::vector<WrappedLine> lines = WrapText(title, room, width);
  for (size_t k = 0; k < lines.size() && int(k) < textRowCount; ++k) {
    const bool last = k + 1 == lines.size();
    QString line = last ? lines[k].Text : lines[k].Text.trimmed();
    if (!last && lines[k].SplitWord) line += u'-';
    result << line;
  }
  return result;
}

QStringList TitleLines(const QString& title, int maxCol, int textRowCount) {
  return TitleLines(title, maxCol, textRowCount, [](QStringView s) { return int(s.size()); });
}
