#include "core/text_codec.h"

#include <gtest/gtest.h>

TEST(TextCodec, KeyValueTextIsUtf8ElseWindows1250InLinesOfAnyEnd) {
  // "Žluťoučký kůň" in UTF-8 and in Windows-1250 bytes.
  const QString expected =
      QString::fromUtf8("\xC5\xBDlu\xC5\xA5ou\xC4\x8Dk\xC3\xBD k\xC5\xAF\xC5\x88");
  EXPECT_EQ(DecodeKeyValueText(expected.toUtf8()), expected);
  EXPECT_EQ(DecodeKeyValueText(QByteArray("\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2")), expected);
  EXPECT_EQ(DecodeKeyValueText(QByteArray("\xEF\xBB\xBF") + expected.toUtf8()), expected);
  EXPECT_EQ(DecodeKeyValueText(QByteArray("plain")), "plain");
  // Lines end with CR LF, LF or CR; blank lines stay, a last line end adds none.
  EXPECT_EQ(SplitTextLines("a=1\r\nb=2\nc=3\r\r\n\nd").join(u'|'), "a=1|b=2|c=3|||d");
  EXPECT_EQ(SplitTextLines("a=1\r\n"), QStringList{"a=1"});
  EXPECT_TRUE(SplitTextLines("").isEmpty());
}

TEST(TextCodec, SingleByteEncodingWithFallback) {
  const QString text = QString::fromUtf8("\xC4\x8D\xC5\x99 \xC5\x8Csaka");  // "čř Ōsaka"
  EXPECT_EQ(EncodeText(xml::CodePage::Windows1250, text), QByteArray("\xE8\xF8 ?saka"));
  EXPECT_FALSE(CanEncodeText(xml::CodePage::Windows1250, text));
  EXPECT_TRUE(CanEncodeText(xml::CodePage::Windows1250, text.left(3)));
  EXPECT_EQ(DecodeText(xml::CodePage::Windows1250, QByteArray("\xE8\xF8")), text.left(2));
  EXPECT_EQ(DecodeText(xml::CodePage::Windows1252, QByteArray("\xE8")), QString(QChar(0xE8)));
}
