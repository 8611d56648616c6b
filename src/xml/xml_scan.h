#pragma once
// Byte classes and small scanning helpers shared by the parser's sources.
// Every helper works on a range [p, e) and never reads at or beyond e.

#include <array>
#include <cstdint>
#include <cstring>
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

inline uint16_t ClassOf(char c) { return kCharClass[static_cast<unsigned char>(c)]; }
inline bool IsWs(char c) { return (ClassOf(c) & kWs) != 0; }
inline bool IsNameStart(char c) { return (ClassOf(c) & kNameStart) != 0; }

// A name starts at p, whose byte is taken unless it is '>', and runs up to
// the first byte of the stop set.
inline const char* ReadName(const char* p, const char* e, uint16_t stop) {
  if (p >= e || *p == '>') return p;
  ++p;
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

// The first occurrence of seq in [p, e), or nullptr.
const char* FindSeq(const char* p, const char* e, std::string_view seq);

// The character a character reference names, given the text between "&#"
// and ';': decimal digits, or 'x'/'X' and hex digits. Anything else, and
// numbers that name no character (0, surrogates, beyond U+10FFFF), give U+FFFD.
char32_t CharRefValue(std::string_view digits);

// Trims whitespace and makes every inner whitespace run one space.
void CollapseSpaces(std::string& s);
// Makes every whitespace character a space.
void WsToSpace(std::string& s);
// Removes every whitespace character.
void RemoveWs(std::string& s);

// Appends UTF-8 text with every malformed sequence made U+FFFD.
void AppendCheckedUtf8(std::string_view in, std::string& out);

// Converts bytes of one encoding into UTF-8 (see TXmlParser::DecodeText).
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
