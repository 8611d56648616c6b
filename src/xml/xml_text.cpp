#include "xml_text.h"

#include <cstdio>
#include <optional>

#include "codepages.h"

namespace xml {

const char* ReferenceFor(char32_t ch, bool attribute) {
  switch (ch) {
    case '&':
      // In a value "&amp;#65;" would read back as "A": general references are
      // expanded before character references there.
      return attribute ? "&#38;" : "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    // In a value, a quote would end it, and tabs and line breaks written as
    // they are would read back as spaces.
    case '"':
      return attribute ? "&quot;" : nullptr;
    case '\t':
      return attribute ? "&#9;" : nullptr;
    case '\n':
      return attribute ? "&#10;" : nullptr;
    case '\r':
      return attribute ? "&#13;" : nullptr;
    default:
      return nullptr;
  }
}

namespace {

std::string Escape(std::string_view text, bool attribute) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    if (const char* reference = ReferenceFor(static_cast<unsigned char>(c), attribute)) {
      out += reference;
    } else {
      out += c;
    }
  }
  return out;
}

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

std::string EscapeContent(std::string_view text) { return Escape(text, false); }

std::string EscapeAttribute(std::string_view text) { return Escape(text, true); }

bool IsValidName(std::string_view name) {
  if (name.empty()) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    const bool start = IsAsciiLetter(c) || c == '_' || c == ':' || (c & 0x80) != 0;
    const bool more = (c >= '0' && c <= '9') || c == '.' || c == '-';
    if (!start && (i == 0 || !more)) return false;
  }
  return true;
}

bool IsXmlText(std::string_view utf8) {
  size_t pos = 0;
  while (pos < utf8.size()) {
    const unsigned char c = static_cast<unsigned char>(utf8[pos]);
    if (c < 0x80) {
      if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') return false;
      ++pos;
      continue;
    }
    const size_t before = pos;
    const char32_t ch = NextUtf8(utf8, pos);
    // U+FFFD from one byte is a malformed sequence; a real U+FFFD takes three.
    if ((ch == 0xFFFD && pos - before == 1) || ch == 0xFFFE || ch == 0xFFFF) return false;
  }
  return true;
}

namespace {

// The code page text is written in: none for UTF-8, Latin1 standing in for
// ASCII (with references beyond it) under an unknown encoding.
std::optional<CodePage> TargetPage(std::string_view encoding, bool& ascii) {
  ascii = false;
  if (encoding.empty()) return std::nullopt;
  const auto page = CodePageByName(encoding);
  if (!page) {
    ascii = true;
    return CodePage::Latin1;
  }
  if (*page == CodePage::Utf8) return std::nullopt;
  return page;
}

}  // namespace

std::string EncodeForFile(std::string_view utf8, std::string_view encoding) {
  bool ascii = false;
  const auto page = TargetPage(encoding, ascii);
  if (!page) return std::string(utf8);
  std::string out;
  out.reserve(utf8.size());
  size_t pos = 0;
  while (pos < utf8.size()) {
    if (static_cast<unsigned char>(utf8[pos]) < 0x80) {
      out += utf8[pos++];
      continue;
    }
    const char32_t ch = NextUtf8(utf8, pos);
    const auto byte = ascii ? std::nullopt : UnicodeToByte(*page, ch);
    if (byte) {
      out += static_cast<char>(*byte);
    } else {
      char ref[16];
      std::snprintf(ref, sizeof ref, "&#x%X;", static_cast<unsigned>(ch));
      out += ref;
    }
  }
  return out;
}

bool CanEncodeAll(std::string_view utf8, std::string_view encoding) {
  bool ascii = false;
  const auto page = TargetPage(encoding, ascii);
  if (!page) return true;
  size_t pos = 0;
  while (pos < utf8.size()) {
    const char32_t ch = NextUtf8(utf8, pos);
    if (ascii ? ch >= 0x80 : !CanEncode(*page, ch)) return false;
  }
  return true;
}

}  // namespace xml
