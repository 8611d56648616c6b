#include "xml/codepages.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdint>
#include <string>

using xml::CodePage;

namespace {

// The C library's converter defines each code page independently (0: byte undefined).
char32_t IconvChar(const char* charset, unsigned char byte) {
  iconv_t cd = iconv_open("UTF-32LE", charset);
  char in[1] = {static_cast<char>(byte)};
  unsigned char out[4] = {};
  char* inp = in;
  char* outp = reinterpret_cast<char*>(out);
  size_t inLeft = 1, outLeft = 4;
  const bool ok = iconv(cd, &inp, &inLeft, &outp, &outLeft) != static_cast<size_t>(-1);
  iconv_close(cd);
  return ok ? out[0] | (out[1] << 8) | (out[2] << 16) | (static_cast<char32_t>(out[3]) << 24) : 0;
}

}  // namespace

TEST(CodePages, EveryUpperByteMatchesTheDefinitionAndRoundTrips) {
  for (const auto& [page, charset] : {std::pair{CodePage::Windows1250, "CP1250"},
                                      {CodePage::Windows1252, "CP1252"},
                                      {CodePage::Latin1, "ISO-8859-1"},
                                      {CodePage::Latin2, "ISO-8859-2"}}) {
    for (int b = 0x80; b <= 0xFF; ++b) {
      const char32_t expected = IconvChar(charset, static_cast<unsigned char>(b));
      const char32_t actual = xml::ByteToUnicode(page, static_cast<unsigned char>(b));
      // Undefined bytes keep their value as a C1 control.
      EXPECT_EQ(actual, expected != 0 ? expected : static_cast<char32_t>(b)) << charset << " " << b;
      EXPECT_EQ(xml::UnicodeToByte(page, actual), static_cast<unsigned char>(b))
          << charset << " " << b;
    }
  }
  EXPECT_EQ(xml::DecodeToUtf8(CodePage::Windows1250, "\x8A\x9E\xE8 ok"), "\u0160\u017E\u010D ok");
  EXPECT_EQ(xml::DecodeToUtf8(CodePage::Utf8, "\xC4\x8D"), "\u010D");
}

TEST(CodePages, NamesAndWhatEachPageHolds) {
  const std::pair<const char*, CodePage> names[] = {
      {"Windows-1250", CodePage::Windows1250}, {"cp1250", CodePage::Windows1250},
      {"WINDOWS-1252", CodePage::Windows1252}, {"iso-8859-1", CodePage::Latin1},
      {"ISO_8859-2", CodePage::Latin2},        {"utf-8", CodePage::Utf8}};
  for (const auto& [name, page] : names) EXPECT_EQ(xml::CodePageByName(name), page) << name;
  EXPECT_FALSE(xml::CodePageByName("koi8-r").has_value());

  // Characters a page lacks, and what UTF-8 cannot hold.
  EXPECT_FALSE(xml::CanEncode(CodePage::Windows1250, U'\u014C') ||
               xml::CanEncode(CodePage::Latin1, U'\u20AC') ||
               xml::CanEncode(CodePage::Utf8, 0xD800));
  EXPECT_TRUE(xml::CanEncode(CodePage::Utf8, U'\u6771'));
}

TEST(CodePages, Utf8ReadAndWrittenWithReplacementCharacters) {
  const std::string text = "a\u010D\u6771\U0001F4F7";
  size_t pos = 0;
  std::u32string read;
  while (pos < text.size()) read += xml::NextUtf8(text, pos);
  EXPECT_EQ(read, U"a\u010D\u6771\U0001F4F7");
  // A malformed sequence is one U+FFFD for its first byte.
  for (const std::string bad : {"\xC4", "\xE6\x9D", "\xC0\x80", "\xED\xA0\x80", "\xFF", "\x80"}) {
    size_t p = 0;
    EXPECT_EQ(xml::NextUtf8(bad, p), 0xFFFDu) << bad.size();
    EXPECT_EQ(p, 1u);
  }
  std::string out;
  for (char32_t c : {0x12C, 0xD800, 0x110000}) xml::AppendUtf8(out, c);
  EXPECT_EQ(out, "\u012C\uFFFD\uFFFD");
}
