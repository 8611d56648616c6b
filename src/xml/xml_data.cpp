#include "xml_data.h"

#include <algorithm>
#include <limits>

#include "xml/xml_build.h"
#include "xml/xml_file.h"
#include "xml/xml_parser.h"
#include "xml/xml_text.h"
#include "xml/xml_writer.h"

namespace xml {
namespace {

const char* const kMessages[] = {
    "Parse error in \"%s\" tag.",
    "XML prologue not found.",
    "Error in XML prologue.",
    "No DTD specified.",
    "Document type declaration not found.",
    "Declared DTD file (%s) not found.",
    "Error in document type declaration.",
    "Root element not found.",
    "Root element name not conforming to DTD.",
    "Wrong element nesting.",
    "Element \"%s\" not conforming to DTD.",
    "Attributes in tag \"%s\" not conforming to DTD.",
    "Invalid attribute value found in tag \"%s\".",
    "No character data allowed inside tag \"%s\".",
    "Processing instructions or comments found (not suitable for data-centric XML)",
    "Comments found (not suitable for data-centric XML)",
    "CDATA section found (not suitable for data-centric XML)",
};

// Offsets are 32-bit; a larger file is refused rather than indexed wrongly.
constexpr size_t kMaxFileSize = std::numeric_limits<int32_t>::max() / 2;

bool IsWhite(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Reads the document's own text: external subsets and entities named by a
// relative name are looked for in the document's folder, not in the process's
// current folder (which the component leaves alone).
class DocumentParser : public TXmlParser {
 public:
  explicit DocumentParser(std::string folder) : folder_(std::move(folder)) {}
  std::unique_ptr<TXmlParser> OpenExternal(const std::string& systemId, const std::string& publicId,
                                           const std::string& notationName) override {
    return TXmlParser::OpenExternal(ResolveAgainst(folder_, systemId), publicId, notationName);
  }

 private:
  std::string folder_;
};

}  // namespace

const char* XMLErrorMessage(TXMLErrorType code) {
  if (code < 0 || code > 16) return "";
  return kMessages[code];
}

std::string FormatXMLError(TXMLErrorType code, const std::string& name) {
  std::string s = XMLErrorMessage(code);
  const size_t at = s.find("%s");
  if (at != std::string::npos) s.replace(at, 2, name);
  return s;
}

TXMLData::TXMLData() : store_(&FileStore::Default()), self_(std::make_shared<TXMLData*>(this)) {}

TXMLData::~TXMLData() { *self_ = nullptr; }

void TXMLData::SetFileStore(FileStore* store) { store_ = store ? store : &FileStore::Default(); }

// --- Reporting

void TXMLData::ReportStructureError(TXMLErrorType code, const std::string& message, int start,
                                    int end) {
  isWellStructured_ = false;
  isValid_ = false;
  if (OnStructureError) OnStructureError(code, message, start, end);
}

void TXMLData::ReportEditError(TXMLErrorType code, const std::string& message) {
  if (OnStructureError) OnStructureError(code, message, 0, 0);
}

void TXMLData::ReportValidityError(TXMLErrorType code, const std::string& message, int start,
                                   int end) {
  isValid_ = false;
  if (OnValidityError) OnValidityError(code, message, start, end);
}

bool TXMLData::ReportProblem(TXMLErrorType code, const std::string& name, int start, int end) {
  if (code == 8 || (code >= 10 && code <= 13)) {
    ReportValidityError(code, "Error: " + name, start, end);
    return false;
  }
  if (code == 3 || (code >= 14 && code <= 16)) {
    bool canContinue = !StopOnWarning;
    if (OnParseWarning) OnParseWarning(code, XMLErrorMessage(code), start, end, canContinue);
    return canContinue;
  }
  ReportStructureError(code, FormatXMLError(code, name), start, end);
  return false;
}

// --- Open and Close

bool TXMLData::Open() {
  Close();
  ++openSerial_;
  isValid_ = false;
  isWellStructured_ = false;
  readOnly_ = false;
  if (fileName_.empty()) return false;
  tree_.Reset();
  if (dtd_ && !dtd_->Root().Name.empty()) tree_[0].DTDElement = &dtd_->Root();

  if (!FileExists(fileName_)) {
    isOpen_ = CreateDocument();
  } else if (store_->ReadFile(fileName_, text_) && text_.size() <= kMaxFileSize) {
    readOnly_ = !store_->CanWrite(fileName_);
    isOpen_ = ParseDocument();
  }
  if (!isOpen_) {
    Close();
    return false;
  }
  if (OnAfterOpen) OnAfterOpen();
  return isOpen_;
}

void TXMLData::Close() {
  if (isOpen_) ++openSerial_;
  isOpen_ = false;
  std::string().swap(text_);
  tree_.Clear();
}

bool TXMLData::ParseDocument() {
  DocumentParser parser(DirectoryOf(fileName_));
  parser.UseBuffer(text_);
  parser.Restart();
  const char* base = parser.Buffer();
  bool declarationSeen = false;
  bool rootFound = false;
  int start = 0;
  int end = 0;
  isWellStructured_ = true;
  try {
    while (!rootFound && parser.NextPart()) {
      if (!parser.InBuffer(parser.PartStart())) throw EXMLException{7};
      start = static_cast<int>(parser.PartStart() - base);
      end = static_cast<int>(parser.PartEnd() - base);
      switch (parser.PartType()) {
        case pkProlog:
          declarationSeen = true;
          for (const TAttr& a : parser.PartAttributes()) {
            if (a.Name == "version") {
              xmlVersion_ = a.Value;
            } else if (a.Name == "encoding") {
              encoding_ = a.Value;
            } else if (a.Name == "standalone") {
              // XML's value is "yes"; "true" is accepted from older files.
              standalone_ = a.Value == "yes" || a.Value == "true";
            } else {
              throw EXMLException{2};
            }
          }
          break;
        case pkDoctype:
          if (!declarationSeen) throw EXMLException{1};
          if (OwnDTDOnly) break;
          if (externalDTD_.empty()) {
            if (!ReportProblem(3, "", start, end)) throw EXMLException{3};
          } else {
            if (!dtd_) dtd_ = std::make_unique<TDTD>();
            const std::string path = ResolveAgainst(DirectoryOf(fileName_), externalDTD_);
            if (!FileExists(path)) throw EXMLException{5};
            if (!dtd_->LoadDTD(path)) throw EXMLException{6};
            tree_[0].DTDElement = &dtd_->Root();
          }
          break;
        case pkStartTag:
        case pkEmptyTag: {
          if (!declarationSeen) throw EXMLException{1};
          rootFound = true;
          const TDTDElement* rootDecl = tree_[0].DTDElement;
          isValid_ = rootDecl != nullptr;
          IndexBuilder builder(tree_, text_, encoding_);
          builder.problem = [this](int code, const std::string& name, int s, int e) {
            return ReportProblem(code, name, s, e);
          };
          builder.validity = [this](int code, const std::string& name, int s, int e) {
            ReportProblem(code, name, s, e);
          };
          builder.structure = [this](int code, const std::string& name, int s, int e) {
            ReportStructureError(code, FormatXMLError(code, name), s, e);
          };
          if (OnOpenProgress) builder.progress = OnOpenProgress;
          builder.Build(0, static_cast<size_t>(start), rootDecl);
          break;
        }
        default:
          throw EXMLException{7};
      }
    }
    // A document without root element has nothing an edit could safely change.
    if (!rootFound) throw EXMLException{declarationSeen ? 7 : 1};
  } catch (const EXMLException& e) {
    ReportStructureError(e.ErrorCode, FormatXMLError(e.ErrorCode, parser.PartName()), start, end);
    return false;
  }
  return true;
}

bool TXMLData::CreateDocument() {
  standalone_ = true;
  encoding_ = "Windows-1250";
  xmlVersion_ = "1.0";
  const std::string header = HeaderText(*this);
  if (header.empty()) return false;
  const TDTDElement& rootDecl = dtd_->Root();
  std::string body;
  if (rootDecl.ContentType == etEmpty) {
    body = "<" + rootDecl.Name + " />\r";
  } else {
    body = ElementText(TElement(rootDecl.Name), true, false);
  }
  if (!CanEncodeAll(header + body, encoding_)) return false;
  const std::string encodedHeader = Encode(header);
  std::string bytes = encodedHeader + Encode(body);
  if (bytes.size() > kMaxFileSize || !store_->WriteAtomically(fileName_, bytes)) return false;
  text_ = std::move(bytes);
  IndexBuilder builder(tree_, text_, encoding_);
  builder.Build(0, encodedHeader.size(), &rootDecl);
  isWellStructured_ = true;
  isValid_ = true;
  return true;
}

// --- Element objects

std::unique_ptr<TElement> TXMLData::Root() const { return ElementFromIndex(0); }

std::unique_ptr<TElement> TXMLData::ElementFromIndex(int32_t entry) const {
  if (!isOpen_ || !tree_.Alive(entry)) return nullptr;
  auto element = std::make_unique<TElement>();
  MakeElement(entry, *element);
  return element;
}

TXmlParser& TXMLData::ScratchParser() const {
  if (!scratch_) scratch_ = std::make_unique<TXmlParser>();
  return *scratch_;
}

void TXMLData::MakeElement(int32_t id, TElement& element) const {
  const TIndex& e = tree_[id];
  const bool leaf = e.ChildCount == 0;
  // A leaf is read whole; of an element with children only the start tag, its
  // content coming from the text between the children (ElementContent).
  const int32_t stop = leaf ? e.End() : e.StartTagEnd + 1;
  TXmlParser& parser = ScratchParser();
  parser.SetTextEncoding(encoding_);
  parser.UseBuffer(text_.data() + e.StartPos, static_cast<size_t>(stop - e.StartPos));
  parser.SetTextEncoding(encoding_);
  parser.Restart();

  std::string name;
  std::string content;
  element.attributes_.clear();
  int depth = 0;
  bool tagSeen = false;
  while (parser.NextPart()) {
    switch (parser.PartType()) {
      case pkStartTag:
      case pkEmptyTag:
        if (!tagSeen) {
          tagSeen = true;
          name = parser.PartName();
          for (const TAttr& a : parser.PartAttributes()) {
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
  element.Attach(self_, openSerial_, id);
  element.level_ = 1 + tree_.Depth(id);
}

int32_t TXMLData::ScanGap(int32_t from, int32_t to, std::string& content) const {
  content.clear();
  if (from >= to) return -1;
  TXmlParser& parser = ScratchParser();
  parser.SetTextEncoding(encoding_);
  parser.UseBuffer(text_.data() + from, static_cast<size_t>(to - from));
  parser.SetTextEncoding(encoding_);
  parser.Restart();
  while (parser.NextPart()) {
    const TPartKind kind = parser.PartType();
    if ((kind == pkText || kind == pkCData) && !parser.PartContent().empty()) {
      content = parser.PartContent();
    } else if (kind == pkEndTag) {
      return from + static_cast<int32_t>(parser.PartStart() - parser.Buffer());
    }
  }
  return -1;
}

int32_t TXMLData::LastGapStart(int32_t id) const {
  const TIndex& e = tree_[id];
  return e.ChildCount > 0 ? tree_[tree_.ChildAt(id, e.ChildCount - 1)].End() : e.StartTagEnd + 1;
}

int32_t TXMLData::EndTagStart(int32_t id) const {
  const TIndex& e = tree_[id];
  if (e.EndPos == 0) return -1;
  // Parsed, not searched backwards: an end tag may hold quoted text with '<'
  // and '>' in it, and only the parser knows where it begins.
  std::string ignored;
  return ScanGap(LastGapStart(id), e.EndPos, ignored);
}

std::string TXMLData::ElementContent(int32_t id) const {
  const TIndex& e = tree_[id];
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

bool TXMLData::NameIs(int32_t id, const std::string& name) const {
  const TIndex& e = tree_[id];
  size_t p = static_cast<size_t>(e.StartPos);
  while (p < text_.size() && text_[p] != '<') ++p;
  const size_t b = p + 1;
  size_t x = b;
  bool ascii = true;
  while (x < text_.size() && !IsWhite(text_[x]) && text_[x] != '/' && text_[x] != '>' &&
         text_[x] != '\0') {
    if ((text_[x] & 0x80) != 0) ascii = false;
    ++x;
  }
  if (ascii) return text_.compare(b, x - b, name) == 0;
  // A name with characters beyond ASCII is compared in its decoded form.
  TElement element;
  MakeElement(id, element);
  return element.Name() == name;
}

std::string TXMLData::Encode(const std::string& utf8) const {
  return EncodeForFile(utf8, encoding_);
}

}  // namespace xml
