#include "xml/codepages.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

using xml::CodePage;

namespace {

// The C library's converter is an independent definition of each code page.
// Returns 0 when it does not define the byte.
char32_t IconvChar(const char* charset, unsigned char byte) {
  iconv_t cd = iconv_open("UTF-32LE", charset);
  if (cd == reinterpret_cast<iconv_t>(-1)) return 0;
  char in[1] = {static_cast<char>(byte)};
  unsigned char out[4] = {};
  char* inp = in;
  char* outp = reinterpret_cast<char*>(out);
  size_t inLeft = 1;
  size_t outLeft = 4;
  const size_t rc = iconv(cd, &inp, &inLeft, &outp, &outLeft);
  iconv_close(cd);
  if (rc == static_cast<size_t>(-1)) return 0;
  return out[0] | (out[1] << 8) | (out[2] << 16) | (static_cast<char32_t>(out[3]) << 24);
}

struct PageCase {
  CodePage page;
  const char* iconvName;
};

class CodePageTable : public ::testing::TestWithParam<PageCase> {};

}  // namespace

TEST_P(CodePageTable, EveryUpperByteMatchesTheDefinitionAndRoundTrips) {
  const PageCase c = GetParam();
  for (int b = 0x80; b <= 0xFF; ++b) {
    const char32_t expected = IconvChar(c.iconvName, static_cast<unsigned char>(b));
    const char32_t actual = xml::ByteToUnicode(c.page, static_cast<unsigned char>(b));
    // Undefined bytes keep their value as a C1 control.
    EXPECT_EQ(actual, expected != 0 ? expected : static_cast<char32_t>(b)) << "byte " << b;
    EXPECT_EQ(xml::UnicodeToByte(c.page, actual), static_cast<unsigned char>(b)) << "byte " << b;
  }
}

INSTANTIATE_TEST_SUITE_P(AllPages, CodePageTable,
                         ::testing::Values(PageCase{CodePage::Windows1250, "CP1250"},
                                           PageCase{CodePage::Windows1252, "CP1252"},
                                           PageCase{CodePage::Latin1, "ISO-8859-1"},
                                           PageCase{CodePage::Latin2, "ISO-8859-2"}));

TEST(CodePages, KnownLettersOfTheCentralEuropeanPages) {
  EXPECT_EQ(xml::ByteToUnicode(CodePage::Windows1250, 0x8A), U'\u0160');
  EXPECT_EQ(xml::ByteToUnicode(CodePage::Windows1252, 0x8A), U'\u0160');
  EXPECT_EQ(xml::ByteToUnicode(CodePage::Windows1250, 0x9E), U'\u017E');
  EXPECT_EQ(xml::ByteToUnicode(CodePage::Windows1252, 0x9E), U'\u017E');
  EXPECT_EQ(xml::ByteToUnicode(CodePage::Windows1250, 0xE8), U'\u010D');
  EXPECT_EQ(xml::ByteToUnicode(CodePage::Windows1252, 0xE8), U'\u00E8');
  EXPECT_EQ(xml::ByteToUnicode(CodePage::Windows1250, 0x41), U'A');
}

TEST(CodePages, CanEncodeSaysWhetherAPageHoldsACharacter) {
  EXPECT_TRUE(xml::CanEncode(CodePage::Windows1250, U'\u0159'));   // ř
  EXPECT_TRUE(xml::CanEncode(CodePage::Windows1250, U'\u0151'));   // ő
  EXPECT_FALSE(xml::CanEncode(CodePage::Windows1250, U'\u014C'));  // Ō
  EXPECT_FALSE(xml::CanEncode(CodePage::Windows1250, U'\u6771'));  // 東
  EXPECT_FALSE(xml::CanEncode(CodePage::Latin1, U'\u20AC'));
  EXPECT_TRUE(xml::CanEncode(CodePage::Windows1252, U'\u20AC'));
  EXPECT_TRUE(xml::CanEncode(CodePage::Utf8, U'\u6771'));
  EXPECT_FALSE(xml::CanEncode(CodePage::Utf8, 0xD800));
}

TEST(CodePages, NamesAreRecognisedInAnyLetterCase) {
  EXPECT_EQ(xml::CodePageByName("Windows-1250"), CodePage::Windows1250);
  EXPECT_EQ(xml::CodePageByName("WINDOWS-1252"), CodePage::Windows1252);
  EXPECT_EQ(xml::CodePageByName("iso-8859-1"), CodePage::Latin1);
  EXPECT_EQ(xml::CodePageByName("ISO_8859-2"), CodePage::Latin2);
  EXPECT_EQ(xml::CodePageByName("utf-8"), CodePage::Utf8);
  EXPECT_FALSE(xml::CodePageByName("koi8-r").has_value());
}

TEST(CodePages, DecodeToUtf8ConvertsSingleByteText) {
  EXPECT_EQ(xml::DecodeToUtf8(CodePage::Windows1250, "\x8A\x9E\xE8 ok"),
            "\xC5\xA0\xC5\xBE\xC4\x8D ok");
  EXPECT_EQ(xml::DecodeToUtf8(CodePage::Utf8, "\xC4\x8D"), "\xC4\x8D");
}

TEST(CodePages, NextUtf8RejectsMalformedSequencesOneByteAtATime) {
  const std::string text = "a\xC4\x8D\xE6\x9D\xB1\xF0\x9F\x93\xB7";  // a č 東 📷
  size_t pos = 0;
  EXPECT_EQ(xml::NextUtf8(text, pos), U'a');
  EXPECT_EQ(xml::NextUtf8(text, pos), U'\u010D');
  EXPECT_EQ(xml::NextUtf8(text, pos), U'\u6771');
  EXPECT_EQ(xml::NextUtf8(text, pos), U'\U0001F4F7');
  EXPECT_EQ(pos, text.size());

  for (const std::string bad : {"\xC4", "\xE6\x9D", "\xC0\x80", "\xED\xA0\x80", "\xFF", "\x80"}) {
    size_t p = 0;
    EXPECT_EQ(xml::NextUtf8(bad, p), 0xFFFDu) << bad.size();
    EXPECT_EQ(p, 1u);
  }
}

TEST(CodePages, AppendUtf8ReplacesInvalidScalarValues) {
  std::string out;
  xml::AppendUtf8(out, 0x12C);
  xml::AppendUtf8(out, 0xD800);
  xml::AppendUtf8(out, 0x110000);
  EXPECT_EQ(out, "\xC4\xAC\xEF\xBF\xBD\xEF\xBF\xBD");
}
