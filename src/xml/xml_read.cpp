// Element objects made from the index: the bytes of an entry are read with
// the parser, or, for the plain leaves that make up most of an album (a start
// tag without attributes, text without references, the end tag), directly.

#include <algorithm>
#include <cstring>

#include "xml/codepages.h"
#include "xml/xml_data.h"
#include "xml/xml_parser.h"
#include "xml/xml_scan.h"

namespace xml {
namespace {

bool IsWhite(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Where the parser ends a tag name.
bool IsNameStop(char c) { return IsWhite(c) || c == '/' || c == '>' || c == '\0'; }

// ASCII name characters: a name made of them reads the same in every encoding
// the fast path serves.
bool IsPlainNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
         c == ':' || c == '.' || c == '-';
}

// What the parser does to text: trimmed, inner whitespace runs one space.
void CollapseWhitespace(std::string& s) {
  size_t w = 0;
  bool pending = false;
  for (const char c : s) {
    if (IsWhite(c)) {
      pending = w > 0;
      continue;
    }
    if (pending) {
      s[w++] = ' ';
      pending = false;
    }
    s[w++] = c;
  }
  s.resize(w);
}

}  // namespace

std::unique_ptr<XmlElement> XmlData::Root() const { return ElementFromIndex(0); }

std::unique_ptr<XmlElement> XmlData::ElementFromIndex(int32_t entry) const {
  if (!isOpen_ || !tree_.Alive(entry)) return nullptr;
  auto element = std::make_unique<XmlElement>();
  MakeElement(entry, *element);
  return element;
}

XmlParser& XmlData::ScratchParser() const {
  if (!scratch_) {
    scratch_ = std::make_unique<XmlParser>();
    scratch_->SetReadsExternalFiles(false);
  }
  return *scratch_;
}

void XmlData::MakeElement(int32_t id, XmlElement& element) const {
  const IndexEntry& e = tree_[id];
  const bool leaf = e.ChildCount == 0;
  element.attributes_.clear();
  element.Attach(self_, openSerial_, id, e.Stamp);
  element.level_ = 1 + tree_.Depth(id);
  if (ReadPlainElement(e, element)) {
    if (!leaf) element.content_ = ElementContent(id);
    return;
  }
  // A leaf is read whole; of an element with children only the start tag, its
  // content coming from the text between the children (ElementContent).
  const int32_t stop = leaf ? e.End() : e.StartTagEnd + 1;
  XmlParser& parser = ScratchParser();
  parser.SetTextEncoding(encoding_);
  parser.UseBuffer(text_.data() + e.StartPos, static_cast<size_t>(stop - e.StartPos));

  std::string name;
  std::string content;
  int depth = 0;
  bool tagSeen = false;
  while (parser.NextPart()) {
    switch (parser.PartType()) {
      case pkStartTag:
      case pkEmptyTag:
        if (!tagSeen) {
          tagSeen = true;
          name = parser.PartName();
          for (const Attr& a : parser.PartAttributes()) {
            element.AddAttribute(a.Name)->value_ = a.Value;
          }
        }
        if (parser.PartType() == pkStartTag) ++depth;
        break;
      case pkEndTag:
        --depth;
        break;
      case pkText:
      case pkCData:
        if (depth == 1 && !parser.PartContent().empty()) content = parser.PartContent();
        break;
      default:
        break;
    }
    if (!leaf && tagSeen) break;
  }
  if (!leaf) content = ElementContent(id);
  element.SetSnapshot(std::move(name), std::move(content));
}

int32_t XmlData::ScanGap(int32_t from, int32_t to, std::string& content) const {
  content.clear();
  if (from >= to) return -1;
  // The usual last gap, blanks and a plain end tag filling it to its end, is
  // read without the parser: nothing else fits in it, so the parser could not
  // see it otherwise.
  int32_t p = from;
  while (p < to && IsWhite(text_[p])) ++p;
  if (p + 2 < to && text_[p] == '<' && text_[p + 1] == '/') {
    int32_t q = p + 2;
    while (q < to && !IsWhite(text_[q]) && text_[q] != '>' && text_[q] != '/' && text_[q] != '<' &&
           text_[q] != '"' && text_[q] != '\'' && text_[q] != '\0') {
      ++q;
    }
    while (q < to && IsWhite(text_[q])) ++q;
    if (q < to && text_[q] == '>') {
      ++q;
      while (q < to && (text_[q] == '\r' || text_[q] == '\n')) ++q;
      if (q == to) return p;
    }
  }
  XmlParser& parser = ScratchParser();
  parser.SetTextEncoding(encoding_);
  parser.UseBuffer(text_.data() + from, static_cast<size_t>(to - from));
  while (parser.NextPart()) {
    const PartKind kind = parser.PartType();
    if ((kind == pkText || kind == pkCData) && !parser.PartContent().empty()) {
      content = parser.PartContent();
    } else if (kind == pkEndTag) {
      return from + static_cast<int32_t>(parser.PartStart() - parser.Buffer());
    }
  }
  return -1;
}

int32_t XmlData::LastGapStart(int32_t id) const {
  const IndexEntry& e = tree_[id];
  return e.ChildCount > 0 ? tree_[tree_.ChildAt(id, e.ChildCount - 1)].End() : e.StartTagEnd + 1;
}

int32_t XmlData::EndTagStart(int32_t id) const {
  const IndexEntry& e = tree_[id];
  if (e.EndPos == 0) return -1;
  // Parsed, not searched backwards: an end tag may hold quoted text with '<'
  // and '>' in it, and only the parser knows where it begins.
  std::string ignored;
  return ScanGap(LastGapStart(id), e.EndPos, ignored);
}

std::string XmlData::ElementContent(int32_t id) const {
  const IndexEntry& e = tree_[id];
  if (e.EndPos == 0) return {};
  // The text between the children, last gap (the one with the end tag) first;
  // the others are parsed only when they hold more than whitespace.
  std::string content;
  ScanGap(LastGapStart(id), e.EndPos, content);
  for (int32_t i = e.ChildCount - 1; i >= 0 && content.empty(); --i) {
    const int32_t gapStart = i == 0 ? e.StartTagEnd + 1 : tree_[tree_.ChildAt(id, i - 1)].End();
    const int32_t gapEnd = tree_[tree_.ChildAt(id, i)].StartPos;
    if (gapStart >= gapEnd) continue;
    if (std::all_of(text_.data() + gapStart, text_.data() + gapEnd, IsWhite)) continue;
    ScanGap(gapStart, gapEnd, content);
  }
  return content;
}

bool XmlData::NameIs(int32_t id, const std::string& name, bool byBytes) const {
  if (byBytes) {
    const IndexEntry& e = tree_[id];
    size_t p = static_cast<size_t>(e.StartPos);
    while (p < text_.size() && (text_[p] == ' ' || text_[p] == '\t')) ++p;
    if (p < text_.size() && text_[p] == '<') {
      const size_t end = p + 1 + name.size();
      return text_.compare(p + 1, name.size(), name) == 0 &&
             (end >= text_.size() || IsNameStop(text_[end]));
    }
  }
  // Otherwise the name is compared in its decoded form.
  XmlElement element;
  MakeElement(id, element);
  return element.Name() == name;
}

const std::optional<CodePage>& XmlData::Page() const {
  if (pageOf_ != encoding_ || !pageKnown_) {
    page_ = CodePageByName(encoding_);
    pageOf_ = encoding_;
    pageKnown_ = true;
  }
  return page_;
}

bool XmlData::AsciiCompatible() const { return encoding_.empty() || Page().has_value(); }

bool XmlData::DecodePlain(std::string_view raw, std::string& out) const {
  const std::optional<CodePage>& page = Page();
  if (!encoding_.empty() && !page) return false;  // decoded by the C library: the parser's job
  const bool ascii = std::all_of(raw.begin(), raw.end(), [](char c) { return (c & 0x80) == 0; });
  if (ascii) {
    out.assign(raw);
  } else if (page && *page != CodePage::Utf8) {
    out = DecodeToUtf8(*page, raw);
  } else {
    // UTF-8 passes as it is when it is well-formed; the parser mends the rest.
    for (size_t i = 0; i < raw.size();) {
      const size_t before = i;
      if (static_cast<unsigned char>(raw[i]) < 0x80) {
        ++i;
      } else if (NextUtf8(raw, i), i - before == 1) {
        return false;
      }
    }
    out.assign(raw);
  }
  return true;
}

int32_t XmlData::ReadPlainText(int32_t p, int32_t stop, std::string& content) const {
  static const struct {
    const char* name;
    char ch;
  } kPredefined[] = {{"amp;", '&'}, {"lt;", '<'}, {"gt;", '>'}, {"apos;", '\''}, {"quot;", '"'}};
  const char* t = text_.data();
  std::string piece;
  for (;;) {
    const int32_t run = p;
    while (p < stop && t[p] != '<' && t[p] != '&' && t[p] != '\0') ++p;
    if (p > run) {
      if (!DecodePlain(std::string_view(t + run, static_cast<size_t>(p - run)), piece)) return -1;
      content += piece;
    }
    if (p >= stop || t[p] != '&') return p < stop && t[p] == '<' ? p : -1;
    bool known = false;
    for (const auto& ref : kPredefined) {
      const size_t length = std::strlen(ref.name);
      if (static_cast<size_t>(stop - p - 1) >= length &&
          std::memcmp(t + p + 1, ref.name, length) == 0) {
        content += ref.ch;
        p += 1 + static_cast<int32_t>(length);
        known = true;
        break;
      }
    }
    if (!known) return -1;
  }
}

bool XmlData::ReadPlainElement(const IndexEntry& e, XmlElement& element) const {
  if (!FastElementReads) return false;
  const char* t = text_.data();
  const int32_t stop = e.End();
  int32_t p = e.StartPos;
  while (t[p] == ' ' || t[p] == '\t') ++p;
  if (t[p] != '<') return false;
  const int32_t nameStart = ++p;
  while (p < stop && IsPlainNameChar(t[p])) ++p;
  const int32_t nameLength = p - nameStart;
  if (nameLength == 0 || (t[nameStart] >= '0' && t[nameStart] <= '9')) return false;

  // Attributes: name="value" with plain names and values without references.
  // Left uninitialised: only the first `count` are ever read.
  struct Plain {
    const char* nameAt;
    size_t nameLength;
    const char* valueAt;
    size_t valueLength;
    std::string_view name() const { return {nameAt, nameLength}; }
    std::string_view value() const { return {valueAt, valueLength}; }
  };
  Plain plain[8];
  int count = 0;
  bool emptyTag = false;
  for (;;) {
    while (p < stop && IsWhite(t[p])) ++p;
    if (p >= stop) return false;
    if (t[p] == '>') break;
    if (t[p] == '/' && p + 1 < stop && t[p + 1] == '>') {
      emptyTag = true;
      ++p;
      break;
    }
    const int32_t a = p;
    if (!IsPlainNameChar(t[p]) || (t[p] >= '0' && t[p] <= '9') || t[p] == '.' || t[p] == '-') {
      return false;
    }
    while (p < stop && IsPlainNameChar(t[p])) ++p;
    const int32_t aEnd = p;
    while (p < stop && IsWhite(t[p])) ++p;
    if (p >= stop || t[p] != '=') return false;
    ++p;
    while (p < stop && IsWhite(t[p])) ++p;
    if (p >= stop || (t[p] != '"' && t[p] != '\'')) return false;
    const char quote = t[p++];
    const int32_t v = p;
    while (p < stop && t[p] != quote && t[p] != '&' && t[p] != '\0') ++p;
    if (p >= stop || t[p] != quote || count == 8) return false;
    plain[count++] = {t + a, static_cast<size_t>(aEnd - a), t + v, static_cast<size_t>(p - v)};
    ++p;
  }
  // The tag must end where the index says, in the form it says.
  int32_t tagEnd = p + 1;
  while (tagEnd < stop && (t[tagEnd] == '\r' || t[tagEnd] == '\n')) ++tagEnd;
  if (tagEnd - 1 != e.StartTagEnd || emptyTag != (e.EndPos == 0)) return false;
  // Name order, as the parser presents attributes (twins keep the parser's own order).
  for (int i = 1; i < count; ++i) {
    for (int j = i; j > 0 && plain[j].name() < plain[j - 1].name(); --j) {
      std::swap(plain[j], plain[j - 1]);
    }
  }
  for (int i = 1; i < count; ++i) {
    if (plain[i].name() == plain[i - 1].name()) return false;
  }

  std::string content;
  if (e.EndPos != 0 && e.ChildCount == 0) {
    // A leaf: text whose only references are the predefined five, then its
    // own end tag.
    p = ReadPlainText(p + 1, stop, content);
    if (p < 0 || p + 3 + nameLength > stop || t[p] != '<' || t[p + 1] != '/' ||
        std::memcmp(t + p + 2, t + nameStart, static_cast<size_t>(nameLength)) != 0 ||
        t[p + 2 + nameLength] != '>') {
      return false;
    }
    p += 3 + nameLength;
    while (p < stop && (t[p] == '\r' || t[p] == '\n')) ++p;
    if (p != stop) return false;
    CollapseWhitespace(content);
  }
  for (int i = 0; i < count; ++i) {
    XmlAttribute* a = element.AddAttribute(std::string(plain[i].name()));
    if (!DecodePlain(plain[i].value(), a->value_)) {
      element.attributes_.clear();
      return false;
    }
    // Attributes of unknown type: every line end (CR LF as one) and every
    // other whitespace character becomes a space.
    detail::NormalizeLineEnds(a->value_);
    std::replace_if(a->value_.begin(), a->value_.end(), IsWhite, ' ');
  }
  element.name_.assign(t + nameStart, static_cast<size_t>(nameLength));
  element.content_ = std::move(content);
  return true;
}

}  // namespace xml
