#include "codepages.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

#include "codepage_tables.h"

namespace xml {
namespace {

std::string Canonical(std::string_view name) {
  std::string out;
  for (char c : name) {
    if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
      out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
  }
  return out;
}

// Characters of the upper half sorted by value, for the reverse lookup.
using ReverseTable = std::array<std::pair<char32_t, unsigned char>, 128>;

ReverseTable MakeReverse(const char32_t* high) {
  ReverseTable table{};
  for (int i = 0; i < 128; ++i) {
    table[i] = {high[i], static_cast<unsigned char>(0x80 + i)};
  }
  std::sort(table.begin(), table.end());
  return table;
}

const ReverseTable* Reverse(CodePage page) {
  static const ReverseTable w1250 = MakeReverse(detail::kWindows1250High);
  static const ReverseTable w1252 = MakeReverse(detail::kWindows1252High);
  static const ReverseTable latin2 = MakeReverse(detail::kLatin2High);
  switch (page) {
    case CodePage::Windows1250:
      return &w1250;
    case CodePage::Windows1252:
      return &w1252;
    case CodePage::Latin2:
      return &latin2;
    default:
      return nullptr;
  }
}

}  // namespace

std::optional<CodePage> CodePageByName(std::string_view name) {
  const std::string c = Canonical(name);
  if (c == "utf8") return CodePage::Utf8;
  if (c == "windows1250" || c == "cp1250" || c == "xcp1250") return CodePage::Windows1250;
  if (c == "windows1252" || c == "cp1252" || c == "xcp1252") return CodePage::Windows1252;
  if (c == "iso88591" || c == "latin1" || c == "l1" || c == "iso885911987") {
    return CodePage::Latin1;
  }
  if (c == "iso88592" || c == "latin2" || c == "l2" || c == "iso885921987") {
    return CodePage::Latin2;
  }
  return std::nullopt;
}

const char32_t* HighHalf(CodePage page) {
  static const auto latin1 = [] {
    std::array<char32_t, 128> t{};
    for (int i = 0; i < 128; ++i) t[i] = static_cast<char32_t>(0x80 + i);
    return t;
  }();
  switch (page) {
    case CodePage::Windows1250:
      return detail::kWindows1250High;
    case CodePage::Windows1252:
      return detail::kWindows1252High;
    case CodePage::Latin2:
      return detail::kLatin2High;
    case CodePage::Latin1:
      return latin1.data();
    case CodePage::Utf8:
      return nullptr;
  }
  return nullptr;
}

char32_t ByteToUnicode(CodePage page, unsigned char byte) {
  const char32_t* high = HighHalf(page);
  if (byte < 0x80 || high == nullptr) return byte;
  return high[byte - 0x80];
}

std::optional<unsigned char> UnicodeToByte(CodePage page, char32_t ch) {
  if (ch < 0x80) return static_cast<unsigned char>(ch);
  if (page == CodePage::Latin1) {
    if (ch <= 0xFF) return static_cast<unsigned char>(ch);
    return std::nullopt;
  }
  const ReverseTable* table = Reverse(page);
  if (table == nullptr) return std::nullopt;
  auto it =
      std::lower_bound(table->begin(), table->end(), std::pair<char32_t, unsigned char>{ch, 0});
  if (it != table->end() && it->first == ch) return it->second;
  return std::nullopt;
}

bool CanEncode(CodePage page, char32_t ch) {
  if (page == CodePage::Utf8) return ch < 0xD800 || (ch > 0xDFFF && ch <= 0x10FFFF);
  return UnicodeToByte(page, ch).has_value();
}

void AppendUtf8(std::string& out, char32_t ch) {
  if ((ch >= 0xD800 && ch <= 0xDFFF) || ch > 0x10FFFF) ch = 0xFFFD;
  if (ch < 0x80) {
    out += static_cast<char>(ch);
  } else if (ch < 0x800) {
    out += static_cast<char>(0xC0 | (ch >> 6));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  } else if (ch < 0x10000) {
    out += static_cast<char>(0xE0 | (ch >> 12));
    out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (ch >> 18));
    out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  }
}

std::string DecodeToUtf8(CodePage page, std::string_view bytes) {
  const char32_t* high = HighHalf(page);
  if (high == nullptr) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out += c;
    } else {
      AppendUtf8(out, high[b - 0x80]);
    }
  }
  return out;
}

char32_t NextUtf8(std::string_view text, size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  int extra = 0;
  char32_t ch = 0;
  char32_t min = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1, ch = lead & 0x1F, min = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, ch = lead & 0x0F, min = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, ch = lead & 0x07, min = 0x10000;
  } else {
    ++pos;
    return 0xFFFD;
  }
  if (pos + extra >= text.size()) {
    ++pos;
    return 0xFFFD;
  }
  for (int i = 1; i <= extra; ++i) {
    const auto b = static_cast<unsigned char>(text[pos + i]);
    if ((b & 0xC0) != 0x80) {
      ++pos;
      return 0xFFFD;
    }
    ch = (ch << 6) | (b & 0x3F);
  }
  if (ch < min || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) {
    ++pos;
    return 0xFFFD;
  }
  pos += extra + 1;
  return ch;
}

}  // namespace xml
