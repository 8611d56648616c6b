// Repairs made on the bytes of a data file before the document component
// reads them.

#include "data_file_repair.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "xml/xml_parser.h"

namespace {

constexpr size_t npos = std::string::npos;

unsigned char Byte(char c) { return static_cast<unsigned char>(c); }
bool IsNameStart(unsigned char c) { return std::isalpha(c) || c == '_' || c == ':' || c >= 0x80; }
bool IsNameChar(unsigned char c) {
  return IsNameStart(c) || std::isdigit(c) || c == '-' || c == '.';
}

// Whether the "&" at i begins "&name;", "&#digits;" or "&#xhex;".
bool BeginsReference(const std::string& s, size_t i) {
  size_t p = i + 1;
  if (p < s.size() && s[p] == '#') {
    const bool hex = ++p < s.size() && s[p] == 'x';
    if (hex) ++p;
    const size_t digits = p;
    while (p < s.size() && (hex ? std::isxdigit(Byte(s[p])) : std::isdigit(Byte(s[p])))) ++p;
    return p > digits && p < s.size() && s[p] == ';';
  }
  if (p >= s.size() || !IsNameStart(Byte(s[p]))) return false;
  while (p < s.size() && IsNameChar(Byte(s[p]))) ++p;
  return p < s.size() && s[p] == ';';
}

// For markup at i in which "&" is no reference (comment, CDATA section,
// processing instruction, document type declaration): one past its end.
// i itself for anything else.
size_t PastPlainMarkup(const std::string& s, size_t i) {
  const auto past = [&](const char* end) {
    const size_t at = s.find(end, i);
    return at == npos ? s.size() : at + std::strlen(end);
  };
  if (s.compare(i, 4, "<!--") == 0) return past("-->");
  if (s.compare(i, 9, "<![CDATA[") == 0) return past("]]>");
  if (s.compare(i, 2, "<?") == 0) return past("?>");
  if (s.compare(i, 9, "<!DOCTYPE") != 0) return i;
  int depth = 0;  // inside the internal subset's brackets
  for (size_t p = i; p < s.size(); ++p) {
    if (s[p] == '[') ++depth;
    if (s[p] == ']') --depth;
    if (s[p] == '>' && depth <= 0) return p + 1;
  }
  return s.size();
}

// The next start tag of an element the reader takes one at a time, from
// `from` on; npos when there is none.
size_t NextEntry(const std::string& s, size_t from) {
  for (size_t at = s.find('<', from); at != npos; at = s.find('<', at + 1)) {
    for (const char* name : {"photo", "video", "link"}) {
      const size_t length = std::strlen(name);
      if (s.compare(at + 1, length, name) != 0) continue;
      const size_t after = at + 1 + length;
      if (after < s.size() && std::strchr(" \t\r\n/>", s[after]) != nullptr) return at;
    }
  }
  return npos;
}

}  // namespace

size_t EscapedText::OriginalOffset(size_t offset) const {
  size_t shift = 0;
  for (size_t j = 0; j < BareAmpersands.size(); ++j) {
    const size_t start = BareAmpersands[j] + shift;  // where its "&amp;" begins
    if (offset < start) break;
    if (offset < start + 5) return BareAmpersands[j];
    shift += 4;
  }
  return offset - shift;
}

EscapedText EscapeBareAmpersands(const std::string& bytes) {
  EscapedText out;
  out.Text.reserve(bytes.size());
  size_t done = 0;  // bytes[0, done) are in out.Text
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '<' && i + 1 < bytes.size() && (bytes[i + 1] == '!' || bytes[i + 1] == '?')) {
      i = std::max(PastPlainMarkup(bytes, i), i + 1) - 1;
    } else if (bytes[i] == '&' && !BeginsReference(bytes, i)) {
      out.Text.append(bytes, done, i - done).append("&amp;");
      out.BareAmpersands.push_back(i);
      done = i + 1;
    }
  }
  out.Text.append(bytes, done, npos);
  return out;
}

std::optional<SalvagedText> SalvageWholeElements(const std::string& text) {
  xml::XmlParser parser;
  parser.UseBuffer(text.data(), text.size());
  std::string root;
  size_t pos = npos;  // where the root's content begins
  while (root.empty() && parser.NextPart()) {
    if (!parser.InBuffer(parser.PartStart())) continue;
    if (parser.PartType() == xml::pkEmptyTag) return std::nullopt;
    if (parser.PartType() != xml::pkStartTag) continue;
    root = parser.PartName();
    pos = static_cast<size_t>(parser.PartEnd() - parser.Buffer()) + 1;
  }
  if (root.empty()) return std::nullopt;

  SalvagedText out;
  out.Text = text.substr(0, pos) + "\r\n";
  std::optional<size_t> damage;
  const auto note = [&](size_t at) {
    if (!damage) damage = at;
  };
  bool rootClosed = false;
  while (pos < text.size() && !rootClosed) {
    // Each photo, video or link is read in a pass of its own, up to where the
    // next one begins: so damage costs no second reading of the rest, and a
    // pass can end at a zero byte (the parser's text ends there).
    const size_t next = NextEntry(text, pos + 1);
    const size_t windowEnd = next == npos ? text.size() : next;
    parser.UseBuffer(text.data() + pos, windowEnd - pos);
    const char* base = parser.Buffer();
    std::vector<std::string> open;
    size_t childStart = 0;
    size_t broken = npos;
    while (broken == npos && !rootClosed && parser.NextPart()) {
      if (!parser.InBuffer(parser.PartStart())) continue;
      const size_t start = pos + static_cast<size_t>(parser.PartStart() - base);
      const size_t end = pos + static_cast<size_t>(parser.PartEnd() - base) + 1;
      const std::string& name = parser.PartName();
      switch (parser.PartType()) {
        case xml::pkStartTag:
          if (open.empty()) childStart = start;
          open.push_back(name);
          break;
        case xml::pkEmptyTag:
          if (open.empty()) out.Text.append(text, start, end - start).append("\r\n");
          break;
        case xml::pkEndTag:
          if (!open.empty() && open.back() != name) {
            broken = start;
          } else if (!open.empty()) {
            open.pop_back();
            if (open.empty()) out.Text.append(text, childStart, end - childStart).append("\r\n");
          } else if (name == root) {
            rootClosed = true;
          } else {
            note(start);  // a stray end tag between elements loses nothing
          }
          break;
        default:
          break;
      }
    }
    if (rootClosed) break;
    const size_t stop = pos + static_cast<size_t>(parser.BufferEnd() - base);
    if (broken == npos && open.empty() && stop == windowEnd && next != npos) {
      pos = next;
      continue;
    }
    // Without a broken tag, the pass ended inside an element, at a zero byte
    // or at the end of a file cut short.
    if (broken == npos) broken = stop;
    note(broken);
    pos = NextEntry(text, broken + 1);
  }
  if (!damage) return std::nullopt;
  out.Text += "</" + root + ">\r\n";
  out.DamageAt = *damage;
  return out;
}

bool IsForbiddenInXml(char32_t ch) {
  if (ch < 0x20) return ch != u'\t' && ch != u'\n' && ch != u'\r';
  return ch == 0xFFFE || ch == 0xFFFF;
}

TextPlace PlaceOf(const std::string& bytes, size_t offset, bool utf8) {
  TextPlace place;
  const size_t stop = std::min(offset, bytes.size());
  for (size_t i = 0; i < stop; ++i) {
    const unsigned char c = Byte(bytes[i]);
    const bool lineEnd =
        c == '\n' || (c == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n'));
    if (lineEnd) {
      ++place.Line;
      place.Column = 1;
    } else if (c != '\r' && !(utf8 && (c & 0xC0) == 0x80)) {
      ++place.Column;
    }
  }
  return place;
}
