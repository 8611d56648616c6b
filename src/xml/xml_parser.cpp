#include "xml_parser.h"

#include <cstdio>
#include <filesystem>
#include <functional>

#include "codepages.h"
#include "xml_scan.h"

namespace xml {

using namespace detail;

namespace {

const char kEmptyText[1] = {0};

// Above this many attributes a tag is sorted by index instead of by insertion.
constexpr size_t kInsertionSortLimit = 16;

bool Within(const char* p, const char* b, const char* e) {
  return std::greater_equal<const char*>()(p, b) && std::less_equal<const char*>()(p, e);
}

}  // namespace

XmlParser::XmlParser() : decoder_(std::make_unique<TextDecoder>(std::string())) { Clear(); }

XmlParser::~XmlParser() = default;

void XmlParser::Clear() {
  ClearStack();
  retired_.clear();
  std::vector<char>().swap(owned_);
  textBegin_ = textEnd_ = kEmptyText;
  sourceName_.clear();
  docVersion_.clear();
  docEncoding_.clear();
  docStandalone_ = false;
  docRootName_.clear();
  doctypeStart_ = doctypeEnd_ = nullptr;
  externalSubsetName_.clear();
  internalSubsetEnd_ = nullptr;
  normalizeText_ = true;
  elementDefs_.Clear();
  generalEntities_.Clear();
  parameterEntities_.Clear();
  notationDefs_.Clear();
  partAttributes_.Clear();
  Restart();
}

bool XmlParser::LoadFile(const std::string& fileName) {
  Clear();
  // Only regular files: a device or a pipe could block or never end.
  std::error_code ec;
  const std::filesystem::path path(fileName);
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  // Checked before anything is allocated: a huge (or sparse) file is refused
  // without reading it.
  if (ec || size > kMaxFileSize) return false;
  std::FILE* f = std::fopen(fileName.c_str(), "rb");
  if (f == nullptr) return false;
  try {
    owned_.resize(static_cast<size_t>(size) + 1);
  } catch (const std::bad_alloc&) {
    std::fclose(f);
    return false;
  }
  const size_t got = std::fread(owned_.data(), 1, static_cast<size_t>(size), f);
  std::fclose(f);
  owned_[got] = 0;
  textBegin_ = owned_.data();
  const void* zero = std::memchr(textBegin_, 0, got + 1);
  textEnd_ = static_cast<const char*>(zero);
  sourceName_ = fileName;
  Restart();
  return true;
}

void XmlParser::UseBuffer(const char* data, size_t size) {
  Clear();
  if (data == nullptr || size == 0) return;
  textBegin_ = data;
  const void* zero = std::memchr(data, 0, size);
  textEnd_ = zero != nullptr ? static_cast<const char*>(zero) : data + size;
  sourceName_ = "<REFERENCE>";
  Restart();
}

void XmlParser::UseBuffer(const char* zeroTerminated) {
  UseBuffer(zeroTerminated, zeroTerminated == nullptr ? 0 : std::strlen(zeroTerminated));
}

void XmlParser::Restart() {
  ClearStack();
  retired_.clear();
  partType_ = pkNone;
  partName_.clear();
  partContent_.clear();
  partAttributes_.count_ = 0;
  partStart_ = partEnd_ = next_ = nullptr;
  started_ = finished_ = false;
  expansionCut_ = false;
  curEnd_ = textEnd_;
  curUtf8_ = false;
  const auto length = static_cast<size_t>(textEnd_ - textBegin_);
  budget_ =
      kMinExpansionBudget + (length <= (SIZE_MAX - kMinExpansionBudget) / kExpansionBudgetPerByte
                                 ? length * kExpansionBudgetPerByte
                                 : SIZE_MAX - kMinExpansionBudget);
}

bool XmlParser::InBuffer(const char* p) const {
  return std::greater_equal<const char*>()(p, textBegin_) && std::less<const char*>()(p, textEnd_);
}

void XmlParser::SetTextEncoding(const std::string& encoding) {
  if (encoding == textEncoding_) return;
  textEncoding_ = encoding;
  decoder_ = std::make_unique<TextDecoder>(encoding);
}

void XmlParser::DecodeText(std::string_view text, std::string& out) { decoder_->Append(text, out); }

void XmlParser::DeclarationFound(const DeclNotice& /*notice*/) {}

std::unique_ptr<XmlParser> XmlParser::OpenExternal(const std::string& systemId,
                                                   const std::string& /*publicId*/,
                                                   const std::string& /*notationName*/) {
  auto parser = std::make_unique<XmlParser>();
  if (!readsExternal_) return parser;
  std::string name = systemId;
  for (char& c : name) {
    if (c == '\\') c = '/';
  }
  if (name.empty()) return parser;
  const bool absolute = name[0] == '/' || (name.size() > 1 && name[1] == ':');
  if (!absolute && !sourceName_.empty() && sourceName_[0] != '<') {
    const std::filesystem::path dir = std::filesystem::path(sourceName_).parent_path();
    if (!dir.empty()) name = (dir / name).string();
  }
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(name, ec);
  if (ec || size > kMaxExternalFileSize) return parser;
  // What the budget could not pay for is not read at all.
  if (size + kEntryCost <= budget_) {
    parser->LoadFile(name);
  } else {
    expansionCut_ = true;
  }
  return parser;
}

// ---------------------------------------------------------------------------
// Entity stack

void XmlParser::Decode(const char* b, const char* e, std::string& out) {
  if (b >= e) return;
  // ASCII stands for itself in every encoding the parser reads (its markup
  // is ASCII), so only runs with other bytes go through the decoder.
  if (AllAscii(b, e)) {
    out.append(b, static_cast<size_t>(e - b));
    return;
  }
  if (curUtf8_) {
    AppendCheckedUtf8(std::string_view(b, static_cast<size_t>(e - b)), out);
  } else {
    DecodeText(std::string_view(b, static_cast<size_t>(e - b)), out);
  }
}

void XmlParser::DecodeLines(const char* b, const char* e, std::string& out) {
  const size_t from = out.size();
  Decode(b, e, out);
  if (!curUtf8_ && FindByte(b, e, '\r') != nullptr) NormalizeLineEnds(out, from);
}

const char* XmlParser::NameStart(const char* p) const {
  // A name's first character is taken whatever it is, a line end too; CR LF
  // is one line end.
  return !curUtf8_ && curEnd_ - p > 1 && p[0] == '\r' && p[1] == '\n' ? p + 1 : p;
}

void XmlParser::PushEntity(std::unique_ptr<OpenEntity> node) {
  curEnd_ = node->End;
  curUtf8_ = node->Utf8;
  stack_.nodes_.push_back(std::move(node));
}

const char* XmlParser::PopEntity() {
  if (stack_.nodes_.empty()) return nullptr;
  std::unique_ptr<OpenEntity> node = std::move(stack_.nodes_.back());
  stack_.nodes_.pop_back();
  if (node->Instance != nullptr) SetTextEncoding(node->SavedEncoding);
  const char* ret = node->ReturnPos;
  // The current part may have begun in this text; keep it until the next part.
  if (partStart_ != nullptr && Within(partStart_, node->Begin, node->End)) {
    retired_.push_back(std::move(node));
  }
  if (stack_.nodes_.empty()) {
    curEnd_ = textEnd_;
    curUtf8_ = false;
  } else {
    curEnd_ = stack_.nodes_.back()->End;
    curUtf8_ = stack_.nodes_.back()->Utf8;
  }
  return ret;
}

void XmlParser::ClearStack(size_t depth) {
  while (stack_.Depth() > depth) PopEntity();
}

bool XmlParser::EnterEntity(const EntityDef& def, const char* returnPos) {
  if (stack_.Depth() >= kMaxEntityDepth) return false;
  auto node = std::make_unique<OpenEntity>();
  node->ReturnPos = returnPos;
  if (def.IsExternal()) {
    std::string_view body;
    std::unique_ptr<XmlParser> instance = OpenEntityText(def, body);
    if (instance == nullptr) return false;
    node->Begin = body.data();
    node->End = body.data() + body.size();
    node->SavedEncoding = textEncoding_;
    node->Instance = std::move(instance);
  } else {
    if (def.Value.empty() || !Spend(def.Value.size() + kEntryCost)) return false;
    node->Text = def.Value;
    node->Begin = node->Text.data();
    node->End = node->Begin + node->Text.size();
    node->Utf8 = true;
  }
  PushEntity(std::move(node));
  return true;
}

// ---------------------------------------------------------------------------
// Parts

bool XmlParser::NextPart() {
  if (finished_) return false;
  retired_.clear();
  for (;;) {
    const char* p = started_ ? next_ : textBegin_;
    if (!started_ && StartsWith(p, curEnd_, "\xEF\xBB\xBF")) p += 3;  // UTF-8 byte-order mark
    started_ = true;
    // The end of an entity's text returns to where it was referenced, also
    // when that is the end of an enclosing entity's text.
    while (p == curEnd_ && !stack_.Empty()) p = PopEntity();
    if (p == curEnd_) {
      partStart_ = textEnd_;
      partEnd_ = textEnd_ > textBegin_ ? textEnd_ - 1 : textEnd_;
      ClearStack();
      finished_ = true;
      return false;
    }
    partStart_ = p;
    const char* e = curEnd_;
    if (*p != '<') {
      if (AnalyzeText()) return true;
      continue;
    }
    if (e - p >= 2 && p[1] == '?') {
      // Only "xml" itself names the declaration, not a target that begins with
      // it (xml-stylesheet): that one must not change the encoding.
      if (StartsWith(p, e, "<?xml") && (e - p == 5 || IsWs(p[5]) || p[5] == '?')) {
        AnalyzeProlog();
      } else {
        partType_ = pkPI;
        partEnd_ = AnalyzePI(p);
        next_ = partEnd_ + 1;
      }
    } else if (e - p >= 2 && p[1] == '!' && StartsWith(p, e, "<!--")) {
      AnalyzeComment();
    } else if (e - p >= 2 && p[1] == '!' && StartsWith(p, e, "<!DOCTYPE")) {
      AnalyzeDoctype();
    } else if (e - p >= 2 && p[1] == '!' && StartsWith(p, e, "<![CDATA[")) {
      AnalyzeCData();
    } else {
      AnalyzeTag();
    }
    return true;
  }
}

void XmlParser::AnalyzeProlog() {
  partType_ = pkProlog;
  const char* e = curEnd_;
  const char* stop = AnalyzeAttributes(partStart_ + 5);
  if (stack_.Empty()) {
    docVersion_ = partAttributes_.ValueOf("version");
    docEncoding_ = partAttributes_.ValueOf("encoding");
    docStandalone_ = partAttributes_.ValueOf("standalone") == "yes";
  }
  const char* q = FindSeq(stop, e, "?>");
  partEnd_ = q != nullptr ? q + 1 : e - 1;
  next_ = partEnd_ + 1;
  const std::string& encoding = partAttributes_.ValueOf("encoding");
  SetTextEncoding(encoding.empty() ? std::string("UTF-8") : encoding);
  partName_.clear();
  partContent_.clear();
}

void XmlParser::AnalyzeComment() {
  partType_ = pkComment;
  const char* e = curEnd_;
  const char* q = FindSeq(partStart_ + 4, e, "-->");
  partEnd_ = q != nullptr ? q + 2 : e - 1;
  next_ = partEnd_ + 1;
}

const char* XmlParser::AnalyzePI(const char* p) {
  const char* e = curEnd_;
  const char* target = NameStart(p + 2);
  const char* targetEnd = ReadName(target, e, kStopPI);
  const char* q = FindSeq(target, e, "?>");
  const char* contentEnd = q != nullptr ? q : e;
  partName_.clear();
  DecodeLines(target, targetEnd, partName_);
  partContent_.clear();
  DecodeLines(targetEnd, contentEnd, partContent_);
  AnalyzeAttributes(targetEnd);
  return q != nullptr ? q + 1 : e - 1;
}

void XmlParser::AnalyzeCData() {
  partType_ = pkCData;
  const char* e = curEnd_;
  const char* b = partStart_ + 9;
  const char* q = FindSeq(b, e, "]]>");
  partContent_.clear();
  DecodeLines(b, q != nullptr ? q : e, partContent_);
  partEnd_ = q != nullptr ? q + 2 : e - 1;
  next_ = partEnd_ + 1;
}

void XmlParser::AnalyzeTag() {
  const char* e = curEnd_;
  const char* p = partStart_ + 1;
  partType_ = pkStartTag;
  if (p < e && *p == '/') {
    partType_ = pkEndTag;
    ++p;
  }
  p = NameStart(p);
  const char* nameEnd = ReadName(p, e, kStopTagName);
  // An end tag mostly repeats the name still held from its start tag.
  const auto length = static_cast<size_t>(nameEnd - p);
  if (length != partName_.size() || std::memcmp(p, partName_.data(), length) != 0 ||
      !AllAscii(p, nameEnd) || (p < nameEnd && *p == '\r')) {
    partName_.clear();
    DecodeLines(p, nameEnd, partName_);
  }
  const char* stop = nameEnd;
  if (stop < e && *stop == '>') {
    partAttributes_.count_ = 0;
  } else {
    stop = AnalyzeAttributes(nameEnd);
  }
  // Only a start tag becomes empty: "</a/>" stays an end tag.
  if (stop < e && *stop == '/' && partType_ == pkStartTag) partType_ = pkEmptyTag;
  const char* gt = stop < e && *stop == '>' ? stop : FindByte(stop, e, '>');
  partEnd_ = gt != nullptr ? gt : e - 1;
  next_ = partEnd_ + 1;
  if (partType_ == pkEndTag) return;
  if (!elementDefs_.Empty()) ApplyDefaults();
  for (Attr& attr : partAttributes_) FinishAttributeValue(attr);
}

const char* XmlParser::AnalyzeAttributes(const char* p) {
  enum { kName, kEquals, kQuote } state = kName;
  AttrList& list = partAttributes_;
  list.count_ = 0;
  const char* e = curEnd_;
  while (p < e) {
    const char c = *p;
    if (c == '>' || c == 0) break;
    if (IsWs(c)) {
      ++p;
      continue;
    }
    if (state == kName) {
      if (!IsNameStart(c)) break;
      const char* nameEnd = ReadName(p, e, kStopAttrName);
      if (list.count_ == list.nodes_.size()) list.nodes_.emplace_back();
      Attr& slot = list.nodes_[list.count_];
      slot.Name.clear();
      Decode(p, nameEnd, slot.Name);
      p = nameEnd;
      state = kEquals;
    } else if (state == kEquals) {
      if (c == '=') state = kQuote;
      ++p;
    } else {
      if (c != '"' && c != '\'') {
        ++p;
        continue;
      }
      const char* close = FindByte(p + 1, e, c);
      Attr& slot = list.nodes_[list.count_];
      slot.Value.clear();
      DecodeLines(p + 1, close != nullptr ? close : e, slot.Value);
      slot.Kind = akNormal;
      slot.AttrType = atUnknown;
      ++list.count_;
      p = close != nullptr ? close + 1 : e;
      state = kName;
    }
  }
  SortAttributes();
  return p;
}

void XmlParser::SortAttributes() {
  AttrList& list = partAttributes_;
  const size_t n = list.count_;
  if (n < 2) return;
  Attr* a = list.nodes_.data();
  // Sorted by name; of equal names the later one first, as adding each in
  // turn in front of its equals would leave them.
  if (n <= kInsertionSortLimit) {
    for (size_t i = 1; i < n; ++i) {
      for (size_t j = i; j > 0 && a[j - 1].Name >= a[j].Name; --j) std::swap(a[j - 1], a[j]);
    }
    return;
  }
  order_.resize(n);
  for (size_t i = 0; i < n; ++i) order_[i] = i;
  std::sort(order_.begin(), order_.end(), [a](size_t x, size_t y) {
    const int c = a[x].Name.compare(a[y].Name);
    return c < 0 || (c == 0 && x > y);
  });
  std::vector<Attr> sorted;
  sorted.reserve(n);
  for (size_t i : order_) sorted.push_back(std::move(a[i]));
  for (size_t i = 0; i < n; ++i) a[i] = std::move(sorted[i]);
}

void XmlParser::ApplyDefaults() {
  const ElemDef* def = elementDefs_.FindNode(partName_);
  if (def == nullptr || def->Attributes.Empty()) return;
  AttrList& list = partAttributes_;
  const size_t original = list.count_;
  // Collect first, then append: IndexOf needs the list sorted.
  defaults_.clear();
  for (const AttrDef& ad : def->Attributes) {
    if (!ad.Value.empty() && list.IndexOf(ad.Name) == AttrList::npos) defaults_.push_back(&ad);
  }
  for (const AttrDef* d : defaults_) {
    const AttrDef& ad = *d;
    if (list.count_ == list.nodes_.size()) list.nodes_.emplace_back();
    Attr& slot = list.nodes_[list.count_++];
    slot.Name = ad.Name;
    slot.Value = ad.Value;
    slot.Kind = akDefault;
    slot.AttrType = atUnknown;
  }
  if (list.count_ > original) {
    // Both runs are sorted and share no name.
    std::inplace_merge(list.begin(), list.begin() + original, list.end(),
                       [](const Attr& x, const Attr& y) { return x.Name < y.Name; });
  }
  for (const AttrDef& ad : def->Attributes) {
    Attr* attr = list.FindNode(ad.Name);
    if (attr == nullptr) continue;
    if (ad.DefaultType == adImplied) attr->Kind = akImplied;
    if (ad.DefaultType == adFixed) {
      attr->Kind = akFixed;
      attr->Value = ad.Value;
    }
    attr->AttrType = ad.AttrType;
  }
}

void XmlParser::FinishAttributeValue(Attr& attr) {
  // Whitespace written as it is becomes a space; whitespace written as a
  // character reference (&#9; &#10; &#13;) is kept, so values with tabs and
  // line breaks survive being written and read again.
  std::string& v = attr.Value;
  if (v.find('&') != std::string::npos) {
    scratch_.clear();
    ExpandGeneral(v, scratch_, stack_.Depth());
    WsToSpace(scratch_);
    v.clear();
    ExpandChars(scratch_, v);
  } else {
    WsToSpace(v);
  }
  if (attr.AttrType != atUnknown && attr.AttrType != atCData) CollapseBlanks(v);
}

bool XmlParser::AnalyzeText() {
  partType_ = pkText;
  partContent_.clear();
  const char* p = partStart_;
  if (normalizeText_) {
    // Whitespace between tags is most of the text parts; skip it quickly.
    const char* e = curEnd_;
    const char* q = SkipWs(p, e);
    if ((q < e && *q == '<') || (q == e && stack_.Empty())) {
      partEnd_ = q - 1;
      next_ = q;
      return false;
    }
  }
  const char* last = p;  // the last character the part consumed
  for (;;) {
    const char* e = curEnd_;
    const char* lt = FindByte(p, e, '<');
    if (lt == nullptr) lt = e;
    SemicolonFinder semis(lt);
    bool entered = false;
    while (p < lt && !entered) {
      const char* amp = FindByte(p, lt, '&');
      if (amp == nullptr) amp = lt;
      if (amp > p) {
        // Normalised text makes every line end one space anyway.
        if (normalizeText_) {
          Decode(p, amp, partContent_);
        } else {
          DecodeLines(p, amp, partContent_);
        }
        last = amp - 1;
      }
      p = amp;
      if (p == lt) break;
      // A reference runs to the next ';' before the next markup; without one
      // the '&' is dropped.
      const char* semi = semis.Find(amp + 1);
      last = semi != nullptr ? semi : amp;
      if (semi == nullptr) {
        p = amp + 1;
        continue;
      }
      p = semi + 1;
      const std::string_view raw(amp + 1, static_cast<size_t>(semi - amp - 1));
      char c = 0;
      if (!raw.empty() && raw[0] == '#') {
        AppendUtf8(partContent_, CharRefValue(raw.substr(1)));
        continue;
      }
      if (Predefined(raw, c)) {
        partContent_ += c;
        continue;
      }
      scratch_.clear();
      Decode(amp + 1, semi, scratch_);
      const EntityDef* def = generalEntities_.FindNode(scratch_);
      if (def == nullptr) {
        const size_t from = partContent_.size();
        partContent_ += scratch_;
        if (!curUtf8_) NormalizeLineEnds(partContent_, from);
      } else if (EnterEntity(*def, p)) {
        p = stack_.Top().Begin;
        entered = true;
      }
    }
    if (entered) continue;
    if (p < e) break;  // at '<'
    if (stack_.Empty()) break;
    p = PopEntity();
    last = p - 1;
  }
  partEnd_ = last;
  next_ = p;
  if (!normalizeText_) return true;
  CollapseSpaces(partContent_);
  return !partContent_.empty();
}

}  // namespace xml
