#include "xml_scan.h"

#if __has_include(<iconv.h>)
#include <iconv.h>
#define QV_HAVE_ICONV 1
#endif

#include <array>
#include <cerrno>

#include "codepages.h"

namespace xml::detail {
namespace {

constexpr std::array<uint16_t, 256> MakeClasses() {
  std::array<uint16_t, 256> t{};
  constexpr uint16_t kAllStops =
      kStopAttrName | kStopTagName | kStopPI | kStopRoot | kStopAttlist | kStopQuoted | kStopPlain;
  for (int c : {9, 10, 13, 32}) t[c] = kWs | kAllStops;
  t[0] |= kAllStops;
  t['>'] |= kAllStops;
  t['/'] |= kStopAttrName | kStopTagName;
  t['='] |= kStopAttrName;
  t['?'] |= kStopPI;
  t['['] |= kStopRoot;
  t['"'] |= kStopAttlist | kStopQuoted;
  t['\''] |= kStopAttlist | kStopQuoted;
  t['#'] |= kStopAttlist;
  t[':'] |= kNameStart;
  t['_'] |= kNameStart;
  for (int c = 'A'; c <= 'Z'; ++c) t[c] |= kNameStart;
  for (int c = 'a'; c <= 'z'; ++c) t[c] |= kNameStart;
  for (int c = 192; c <= 255; ++c) {
    if (c != 215 && c != 247) t[c] |= kNameStart;
  }
  return t;
}

constexpr uint64_t kHighBits = 0x8080808080808080ULL;

bool AllAscii8(const char* p) {
  uint64_t v;
  std::memcpy(&v, p, 8);
  return (v & kHighBits) == 0;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Only plain encoding names reach iconv.
bool PlainName(const std::string& name) {
  if (name.empty() || name.size() > 40) return false;
  for (char c : name) {
    const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                    c == '-' || c == '_' || c == '.' || c == ':';
    if (!ok) return false;
  }
  return true;
}

}  // namespace

const std::array<uint16_t, 256> kCharClass = MakeClasses();

const char* FindSeq(const char* p, const char* e, std::string_view seq) {
  const size_t n = seq.size();
  while (p < e && static_cast<size_t>(e - p) >= n) {
    p = FindByte(p, e - n + 1, seq[0]);
    if (p == nullptr) return nullptr;
    if (std::memcmp(p, seq.data(), n) == 0) return p;
    ++p;
  }
  return nullptr;
}

char32_t CharRefValue(std::string_view digits) {
  constexpr char32_t kBad = 0xFFFD;
  int base = 10;
  if (!digits.empty() && (digits[0] == 'x' || digits[0] == 'X')) {
    base = 16;
    digits.remove_prefix(1);
  }
  if (digits.empty()) return kBad;
  uint32_t v = 0;
  for (char c : digits) {
    const int d = base == 16 ? HexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
    if (d < 0) return kBad;
    v = v * base + d;
    if (v > 0x10FFFF) return kBad;
  }
  if (v == 0 || (v >= 0xD800 && v <= 0xDFFF)) return kBad;
  return v;
}

namespace {

// A mask with the high bit of every byte of v that is below n (n <= 128),
// and possibly of bytes right after such a byte: a quick test, not an answer.
constexpr uint64_t BytesBelow(uint64_t v, uint8_t n) {
  return (v - 0x0101010101010101ULL * n) & ~v & kHighBits;
}

// True when the text needs no change: no blank at either end, and no blank
// but single spaces. Eight bytes at a time: texts are mostly words and spaces.
bool AlreadyCollapsed(const std::string& s) {
  const size_t n = s.size();
  if (IsWs(s[0]) || IsWs(s[n - 1])) return false;
  const char* p = s.data();
  const char* e = p + n;
  uint64_t lastSpace = 0;  // the high bit of the previous word's last byte, when a space
  while (e - p >= 8) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    if (BytesBelow(v, 0x20) != 0) return false;  // a tab, line end or other control
    // Spaces (the test may also flag a '!' right after one: then it says no).
    const uint64_t spaces = BytesBelow(v ^ 0x2020202020202020ULL, 1);
    if ((spaces & (spaces << 8)) != 0 || (lastSpace & spaces & 0x80) != 0) return false;
    lastSpace = spaces >> 56;
    p += 8;
  }
  bool space = lastSpace != 0;
  for (; p < e; ++p) {
    const auto c = static_cast<unsigned char>(*p);
    if (c < ' ') return false;
    if (c == ' ' && space) return false;
    space = c == ' ';
  }
  return true;
}

}  // namespace

void CollapseSpaces(std::string& s) {
  if (s.empty() || AlreadyCollapsed(s)) return;
  char* w = s.data();
  const char* r = w;
  const char* e = r + s.size();
  bool pending = false;
  bool any = false;
  for (; r < e; ++r) {
    if (IsWs(*r)) {
      pending = any;
      continue;
    }
    if (pending) {
      *w++ = ' ';
      pending = false;
    }
    *w++ = *r;
    any = true;
  }
  s.resize(static_cast<size_t>(w - s.data()));
}

void CollapseBlanks(std::string& s) {
  size_t w = 0;
  bool pending = false;
  for (const char c : s) {
    if (c == ' ') {
      pending = w > 0;
      continue;
    }
    if (pending) s[w++] = ' ';
    pending = false;
    s[w++] = c;
  }
  s.resize(w);
}

void WsToSpace(std::string& s) {
  char* p = s.data();
  char* e = p + s.size();
  // Words without a byte below the space hold no blank but spaces.
  while (e - p >= 8) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    if (BytesBelow(v, 0x20) != 0) break;
    p += 8;
  }
  for (; p < e; ++p) {
    if (IsWs(*p)) *p = ' ';
  }
}

void RemoveWs(std::string& s) {
  size_t w = 0;
  for (char c : s) {
    if (!IsWs(c)) s[w++] = c;
  }
  s.resize(w);
}

void NormalizeLineEnds(std::string& s, size_t from) {
  size_t r = s.find('\r', from);
  if (r == std::string::npos) return;
  size_t w = r;
  const size_t n = s.size();
  while (r < n) {
    const char c = s[r++];
    if (c == '\r') {
      s[w++] = '\n';
      if (r < n && s[r] == '\n') ++r;
    } else {
      s[w++] = c;
    }
  }
  s.resize(w);
}

bool LooksWide(std::string_view text) {
  const auto starts = [&](std::string_view head) { return text.substr(0, head.size()) == head; };
  using namespace std::string_view_literals;
  return starts("\xFF\xFE"sv) || starts("\xFE\xFF"sv) || starts("<\0"sv) || starts("\0<"sv) ||
         starts("\0\0"sv);
}

std::string_view EntityBody(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") return text.substr(3);
  return LooksWide(text) ? std::string_view() : text;
}

std::string TakeTextDeclaration(std::string_view& text) {
  if (text.size() < 6 || text.substr(0, 5) != "<?xml" || !IsWs(text[5])) return {};
  const size_t close = text.find("?>");
  const std::string_view decl = text.substr(0, close);
  text.remove_prefix(close == std::string_view::npos ? text.size() : close + 2);
  size_t at = decl.find("encoding");
  if (at == std::string_view::npos) return {};
  at = decl.find_first_of("\"'", decl.find('=', at));
  if (at == std::string_view::npos) return {};
  const size_t end = decl.find(decl[at], at + 1);
  return std::string(decl.substr(at + 1, end == std::string_view::npos ? end : end - at - 1));
}

void AppendCheckedUtf8(std::string_view in, std::string& out) {
  const size_t n = in.size();
  size_t i = 0;
  while (i < n) {
    size_t j = i;
    while (n - j >= 8 && AllAscii8(in.data() + j)) j += 8;
    while (j < n && static_cast<unsigned char>(in[j]) < 0x80) ++j;
    out.append(in.data() + i, j - i);
    i = j;
    while (i < n && static_cast<unsigned char>(in[i]) >= 0x80) {
      const size_t before = i;
      NextUtf8(in, i);
      if (i - before == 1) {
        AppendUtf8(out, 0xFFFD);
      } else {
        out.append(in.data() + before, i - before);
      }
    }
  }
}

TextDecoder::TextDecoder(const std::string& encoding) {
  if (encoding.empty()) return;
  if (const auto page = CodePageByName(encoding)) {
    if (*page != CodePage::Utf8) {
      mode_ = Mode::kTable;
      table_ = TableFor(static_cast<int>(*page));
    }
    return;
  }
  if (!PlainName(encoding)) return;
#ifdef QV_HAVE_ICONV
  iconv_t cd = iconv_open("UTF-8", encoding.c_str());
  if (reinterpret_cast<intptr_t>(cd) == -1) return;
  iconv_ = cd;
  mode_ = Mode::kIconv;
  // An encoding in which ASCII bytes are not ASCII (UTF-16, EBCDIC) cannot
  // carry this markup; such text passes through as UTF-8.
  std::string printable;
  for (char c = ' '; c < 0x7F; ++c) printable += c;
  std::string converted;
  AppendByIconv(printable, converted);
  if (converted != printable) {
    iconv_close(cd);
    iconv_ = nullptr;
    mode_ = Mode::kUtf8;
  }
#endif
}

TextDecoder::~TextDecoder() {
#ifdef QV_HAVE_ICONV
  if (iconv_ != nullptr) iconv_close(static_cast<iconv_t>(iconv_));
#endif
}

const TextDecoder::Utf8Seq* TextDecoder::TableFor(int page) {
  static const std::array<std::array<Utf8Seq, 256>, 5> tables = [] {
    std::array<std::array<Utf8Seq, 256>, 5> all{};
    for (int p = 0; p < 5; ++p) {
      for (int b = 0; b < 256; ++b) {
        std::string s;
        AppendUtf8(s, ByteToUnicode(static_cast<CodePage>(p), static_cast<unsigned char>(b)));
        Utf8Seq& q = all[p][b];
        q.len = static_cast<unsigned char>(s.size());
        std::memcpy(q.bytes, s.data(), s.size() < 3 ? s.size() : 3);
      }
    }
    return all;
  }();
  return tables[page].data();
}

void TextDecoder::Append(std::string_view in, std::string& out) {
  switch (mode_) {
    case Mode::kUtf8:
      AppendCheckedUtf8(in, out);
      break;
    case Mode::kTable:
      AppendByTable(in, out);
      break;
    case Mode::kIconv:
      AppendByIconv(in, out);
      break;
  }
}

void TextDecoder::AppendByTable(std::string_view in, std::string& out) const {
  const char* s = in.data();
  const char* se = s + in.size();
  // Decoded through a small buffer, so that out grows by whole appends.
  constexpr size_t kChunk = 512;
  char buffer[kChunk * 3];
  while (s < se) {
    const char* chunkEnd = se - s > static_cast<ptrdiff_t>(kChunk) ? s + kChunk : se;
    const char* ascii = s;
    while (chunkEnd - ascii >= 8 && AllAscii8(ascii)) ascii += 8;
    while (ascii < chunkEnd && static_cast<unsigned char>(*ascii) < 0x80) ++ascii;
    if (ascii == chunkEnd) {
      out.append(s, static_cast<size_t>(chunkEnd - s));
      s = chunkEnd;
      continue;
    }
    std::memcpy(buffer, s, static_cast<size_t>(ascii - s));
    char* w = buffer + (ascii - s);
    // Every byte through the table, ASCII too: no branch to mispredict.
    for (s = ascii; s < chunkEnd; ++s) {
      const Utf8Seq& q = table_[static_cast<unsigned char>(*s)];
      std::memcpy(w, q.bytes, 3);
      w += q.len;
    }
    out.append(buffer, static_cast<size_t>(w - buffer));
  }
}

void TextDecoder::AppendByIconv(std::string_view in, std::string& out) {
#ifdef QV_HAVE_ICONV
  auto cd = static_cast<iconv_t>(iconv_);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* inp = const_cast<char*>(in.data());
  size_t inLeft = in.size();
  while (inLeft > 0) {
    const size_t old = out.size();
    out.resize(old + inLeft * 4 + 16);
    char* outp = out.data() + old;
    size_t outLeft = out.size() - old;
    const size_t rc = iconv(cd, &inp, &inLeft, &outp, &outLeft);
    const int err = errno;
    out.resize(static_cast<size_t>(outp - out.data()));
    if (rc != static_cast<size_t>(-1)) break;
    if (err == E2BIG) continue;
    // An undecodable or cut-off sequence: one replacement, then go on after its first byte.
    AppendUtf8(out, 0xFFFD);
    ++inp;
    --inLeft;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
#else
  AppendCheckedUtf8(in, out);
#endif
}

}  // namespace xml::detail
