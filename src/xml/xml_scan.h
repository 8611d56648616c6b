#pragma once
// Byte classes and small scanning helpers shared by the parser's sources.
// Every helper works on a range [p, e) and never reads at or beyond e.

#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>

namespace xml::detail {

// Bits of kCharClass. The kStop* sets say which bytes end a name of a kind;
// whitespace and '>' end every name.
enum : uint16_t {
  kWs = 1,
  kNameStart = 2,
  kStopAttrName = 4,  // ws / = >
  kStopTagName = 8,   // ws / >
  kStopPI = 16,       // ws > ?
  kStopRoot = 32,     // ws > [
  kStopAttlist = 64,  // ws " # ' >
  kStopQuoted = 128,  // ws " ' >
  kStopPlain = 256,   // ws >
};

extern const std::array<uint16_t, 256> kCharClass;

// Every entity entered also costs this much of the expansion budget, so that
// many tiny expansions are bounded too.
constexpr size_t kEntryCost = 32;

inline uint16_t ClassOf(char c) { return kCharClass[static_cast<unsigned char>(c)]; }
inline bool IsWs(char c) { return (ClassOf(c) & kWs) != 0; }
inline bool IsNameStart(char c) { return (ClassOf(c) & kNameStart) != 0; }

// Word-at-a-time byte tests. Each gives a mask with the high bit of every
// byte of v that passes.
constexpr uint64_t kOnes = 0x0101010101010101ULL;
constexpr uint64_t kHighs = 0x8080808080808080ULL;
// Bytes equal to c, exactly.
constexpr uint64_t BytesEqual(uint64_t v, unsigned char c) {
  const uint64_t x = v ^ (kOnes * c);
  return ~(((x & ~kHighs) + ~kHighs) | x) & kHighs;
}
// Bytes not above the space, exactly.
constexpr uint64_t BytesUpToSpace(uint64_t v) {
  // Adding 0x5F carries into the high bit exactly for 0x21..0x7F.
  return ~(((v & ~kHighs) + kOnes * 0x5F) | v) & kHighs;
}

// The index of the first byte flagged in a non-zero mask.
inline int FirstFlagged(uint64_t mask) {
#if defined(__GNUC__) || defined(__clang__)
  return __builtin_ctzll(mask) / 8;
#else
  int i = 0;
  while ((mask & 0x80) == 0) mask >>= 8, ++i;
  return i;
#endif
}

// The first byte in [p, e) that is not whitespace, or e.
inline const char* SkipWs(const char* p, const char* e) {
  while (e - p >= 8) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    const uint64_t ws =
        BytesEqual(v, ' ') | BytesEqual(v, '\n') | BytesEqual(v, '\r') | BytesEqual(v, '\t');
    if (ws != kHighs) return p + FirstFlagged(~ws & kHighs);
    p += 8;
  }
  while (p < e && IsWs(*p)) ++p;
  return p;
}

// A name starts at p, whose byte is taken unless it is '>', and runs up to
// the first byte of the stop set. Names are short and end unpredictably, so
// eight bytes are tested at a time where the text allows.
inline const char* ReadName(const char* p, const char* e, uint16_t stop) {
  if (p >= e || *p == '>') return p;
  ++p;
  while (e - p >= 8) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    // Candidates: every stop byte is a blank, a control byte or punctuation
    // of this list; the class table decides.
    uint64_t m = BytesUpToSpace(v) | BytesEqual(v, '>') | BytesEqual(v, '/') | BytesEqual(v, '=') |
                 BytesEqual(v, '?') | BytesEqual(v, '[') | BytesEqual(v, '"') |
                 BytesEqual(v, '\'') | BytesEqual(v, '#');
    while (m != 0) {
      const char* q = p + FirstFlagged(m);
      if ((ClassOf(*q) & stop) != 0) return q;
      m &= m - 1;
    }
    p += 8;
  }
  while (p < e && (ClassOf(*p) & stop) == 0) ++p;
  return p;
}

inline bool StartsWith(const char* p, const char* e, std::string_view s) {
  return static_cast<size_t>(e - p) >= s.size() && std::memcmp(p, s.data(), s.size()) == 0;
}

inline const char* FindByte(const char* p, const char* e, char c) {
  if (p >= e) return nullptr;
  return static_cast<const char*>(std::memchr(p, c, static_cast<size_t>(e - p)));
}

// True when no byte in [p, e) is above 0x7F.
inline bool AllAscii(const char* p, const char* e) {
  uint64_t acc = 0;
  while (e - p >= 8) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    acc |= v;
    p += 8;
  }
  unsigned char tail = 0;
  for (; p < e; ++p) tail |= static_cast<unsigned char>(*p);
  return (acc & 0x8080808080808080ULL) == 0 && tail < 0x80;
}

// The character one of the five predefined entities names.
inline bool Predefined(std::string_view name, char& c) {
  switch (name.size()) {
    case 2:
      if (name == "lt") return c = '<', true;
      if (name == "gt") return c = '>', true;
      return false;
    case 3:
      if (name == "amp") return c = '&', true;
      return false;
    case 4:
      if (name == "apos") return c = '\'', true;
      if (name == "quot") return c = '"', true;
      return false;
    default:
      return false;
  }
}

// Finds ';' at or after `from` in [.., end). Searches only move forward, so a
// found (or missing) semicolon is remembered for later searches; this keeps
// a text full of '&' without ';' linear.
class SemicolonFinder {
 public:
  explicit SemicolonFinder(const char* end) : end_(end) {}
  const char* Find(const char* from) {
    if (found_ == nullptr || std::less<const char*>()(found_, from)) {
      found_ = FindByte(from, end_, ';');
      if (found_ == nullptr) found_ = end_;
    }
    return found_ == end_ ? nullptr : found_;
  }

 private:
  const char* end_;
  const char* found_ = nullptr;
};

// The first occurrence of seq in [p, e), or nullptr.
const char* FindSeq(const char* p, const char* e, std::string_view seq);

// The character a character reference names, given the text between "&#"
// and ';': decimal digits, or 'x'/'X' and hex digits. Anything else, and
// numbers that name no character (0, surrogates, beyond U+10FFFF), give U+FFFD.
char32_t CharRefValue(std::string_view digits);

// Trims whitespace and makes every inner whitespace run one space.
void CollapseSpaces(std::string& s);
// Trims spaces (only the space character) and makes every inner run of them one.
void CollapseBlanks(std::string& s);
// Makes every whitespace character a space.
void WsToSpace(std::string& s);
// Removes every whitespace character.
void RemoveWs(std::string& s);
// Makes every CR LF pair and every lone CR from s[from] on one LF, as a
// reader of XML sees the line ends of any text that came from a file.
void NormalizeLineEnds(std::string& s, size_t from = 0);

// True for text in UTF-16 or UTF-32 (with or without a byte-order mark, a
// declaration in them begins with "<" and a zero byte), which this parser
// cannot read: such a document or entity is refused.
bool LooksWide(std::string_view text);
// The text of an external entity as it is read: a UTF-8 byte-order mark at
// its start is no part of it, and a text in UTF-16 or UTF-32 counts as empty.
std::string_view EntityBody(std::string_view text);
// Takes a text declaration (<?xml ... ?>) off the start of an external
// entity's text and returns the encoding it names (empty without one).
std::string TakeTextDeclaration(std::string_view& text);

// Appends UTF-8 text with every malformed sequence made U+FFFD.
void AppendCheckedUtf8(std::string_view in, std::string& out);

// Converts bytes of one encoding into UTF-8 (see XmlParser::DecodeText).
class TextDecoder {
 public:
  explicit TextDecoder(const std::string& encoding);
  ~TextDecoder();
  TextDecoder(const TextDecoder&) = delete;
  TextDecoder& operator=(const TextDecoder&) = delete;

  void Append(std::string_view in, std::string& out);

 private:
  struct Utf8Seq {
    unsigned char len;
    char bytes[3];
  };
  static const Utf8Seq* TableFor(int page);
  void AppendByTable(std::string_view in, std::string& out) const;
  void AppendByIconv(std::string_view in, std::string& out);

  enum class Mode { kUtf8, kTable, kIconv };
  Mode mode_ = Mode::kUtf8;
  const Utf8Seq* table_ = nullptr;
  void* iconv_ = nullptr;
};

}  // namespace xml::detail
