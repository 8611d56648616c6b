#include "text_wrap.h"

namespace {

bool IsVowel(QChar c) {
  static const QString vowels = QStringLiteral("AEIOUYaeiouy");
  return vowels.contains(c);
}

// Characters after which a word may be split without a hyphen.
bool IsSeparator(QChar c) {
  static const QString separators = QStringLiteral("\t ,-./:;");
  return separators.contains(c);
}

bool IsBreakChar(QChar c) { return IsSeparator(c) || IsVowel(c); }
bool IsLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }
bool IsBlank(QChar c) { return c == u' ' || c == u'\t'; }

bool IsQuote(QChar c) { return c == u'\'' || c == u'"'; }

// An apostrophe within a word ("Tom's") quotes nothing.
bool IsApostrophe(const QString& text, qsizetype i) {
  return text[i] == u'\'' && i > 0 && i + 1 < text.size() && text[i - 1].isLetterOrNumber() &&
         text[i + 1].isLetterOrNumber();
}

// Where the quote opened at i closes, before the line ends; -1 when it does
// not: a lone quote protects nothing.
qsizetype ClosingQuote(const QString& text, qsizetype i) {
  if (!IsQuote(text[i]) || IsApostrophe(text, i)) return -1;
  for (qsizetype k = i + 1; k < text.size() && !IsLineEnd(text[k]); ++k)
    if (text[k] == text[i] && !IsApostrophe(text, k)) return k;
  return -1;
}

}  // namespace

std::vector<TWrappedLine> WrapText(const QString& text, int maxCol) {
  std::vector<TWrappedLine> lines;
  const qsizetype n = text.size();
  qsizetype start = 0;       // first character of the current line
  qsizetype lastBreak = -1;  // the last break point seen in it
  qsizetype quoteEnd = -1;   // the closing quote of the open pair, or -1
  qsizetype i = 0;
  while (i < n) {
    const QChar c = text[i];
    if (IsLineEnd(c)) {  // quotes close before it
      lines.push_back({text.mid(start, i - start), false});
      i += (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') ? 2 : 1;
      start = i;
      lastBreak = -1;
      continue;
    }
    if (quoteEnd >= 0) {
      if (i == quoteEnd) quoteEnd = -1;
    } else if ((quoteEnd = ClosingQuote(text, i)) < 0 && IsBreakChar(c)) {
      lastBreak = i;
    }
    ++i;
    if (quoteEnd < 0 && i - start > maxCol && lastBreak > start) {
      const qsizetype end = lastBreak + 1;
      const bool split =
          IsVowel(text[lastBreak]) && end < n && !IsSeparator(text[end]) && !IsLineEnd(text[end]);
      lines.push_back({text.mid(start, end - start), split});
      start = end;
      while (start < n && IsBlank(text[start])) ++start;
      if (i < start) i = start;
      lastBreak = -1;
    }
  }
  if (start < n || lines.empty()) lines.push_back({text.mid(start), false});
  return lines;
}

QStringList TitleLines(const QString& title, int maxCol, int textRowCount) {
  QStringList result;
  if (title.isEmpty()) return result;
  const std::vector<TWrappedLine> lines = WrapText(title, maxCol);
  for (size_t k = 0; k < lines.size() && int(k) < textRowCount; ++k) {
    const bool last = k + 1 == lines.size();
    QString line = last ? lines[k].Text : lines[k].Text.trimmed();
    if (!last && lines[k].SplitWord) line += u'-';
    result << line;
  }
  return result;
}
