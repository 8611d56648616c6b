#include "text_codec.h"

#include <QStringDecoder>

QString DecodeText(xml::CodePage page, const QByteArray& bytes) {
  if (page == xml::CodePage::Utf8) return QString::fromUtf8(bytes);
  const char32_t* high = xml::HighHalf(page);
  QString out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    // Every character of the supported code pages lies in the BMP.
    out += QChar(static_cast<char16_t>(b < 0x80 ? b : high[b - 0x80]));
  }
  return out;
}

QByteArray EncodeText(xml::CodePage page, const QString& text, char fallback) {
  if (page == xml::CodePage::Utf8) return text.toUtf8();
  QByteArray out;
  out.reserve(text.size());
  for (char32_t ch : text.toUcs4()) {
    const auto byte = xml::UnicodeToByte(page, ch);
    out += byte ? static_cast<char>(*byte) : fallback;
  }
  return out;
}

bool CanEncodeText(xml::CodePage page, const QString& text) {
  for (char32_t ch : text.toUcs4()) {
    if (!xml::CanEncode(page, ch)) return false;
  }
  return true;
}

QString DecodeKeyValueText(const QByteArray& bytes) {
  // Some editors add a byte order mark to a file that already has one; none
  // of them is part of the first key, and keeping any would lose one per save.
  QByteArray body = bytes;
  while (body.startsWith("\xEF\xBB\xBF")) body.remove(0, 3);
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(body);
  if (!utf8.hasError()) return text;
  return DecodeText(xml::CodePage::Windows1250, body);
}

QStringList SplitTextLines(const QString& text) {
  // Files made on older systems end lines with CR alone; CR LF counts once.
  QStringList lines;
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r' && text[i] != u'\n') continue;
    lines << text.mid(start, i - start);
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines << text.mid(start);
  return lines;
}

QByteArray EncodeKeyValueLines(const QStringList& lines) {
  QByteArray out;
  for (const QString& line : lines) {
    out += line.toUtf8();
    out += "\r\n";
  }
  return out;
}
