#include "xml_data.h"

#include <algorithm>
#include <limits>

#include "xml/xml_build.h"
#include "xml/xml_file.h"
#include "xml/xml_parser.h"
#include "xml/xml_scan.h"
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
constexpr size_t kMaxFileSize = XmlParser::kMaxFileSize;
static_assert(kMaxFileSize <= std::numeric_limits<int32_t>::max() / 2);

}  // namespace

const char* XMLErrorMessage(XmlErrorType code) {
  if (code < 0 || code > 16) return "";
  return kMessages[code];
}

std::string FormatXMLError(XmlErrorType code, const std::string& name) {
  std::string s = XMLErrorMessage(code);
  const size_t at = s.find("%s");
  if (at != std::string::npos) s.replace(at, 2, name);
  return s;
}

XmlData::XmlData() : store_(&FileStore::Default()), self_(std::make_shared<XmlData*>(this)) {}

XmlData::~XmlData() { *self_ = nullptr; }

void XmlData::SetFileStore(FileStore* store) { store_ = store ? store : &FileStore::Default(); }

// --- Reporting

void XmlData::ReportStructureError(XmlErrorType code, const std::string& message, int start,
                                   int end) {
  isWellStructured_ = false;
  isValid_ = false;
  if (OnStructureError) OnStructureError(code, message, start, end);
}

void XmlData::ReportEditError(XmlErrorType code, const std::string& message) {
  if (OnStructureError) OnStructureError(code, message, 0, 0);
}

void XmlData::ReportValidityError(XmlErrorType code, const std::string& message, int start,
                                  int end) {
  isValid_ = false;
  if (OnValidityError) OnValidityError(code, message, start, end);
}

bool XmlData::ReportProblem(XmlErrorType code, const std::string& name, int start, int end) {
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

bool XmlData::Open() {
  Close();
  ++openSerial_;
  isValid_ = false;
  isWellStructured_ = false;
  readOnly_ = false;
  if (fileName_.empty()) return false;
  tree_.Reset();
  if (dtd_ && !dtd_->Root().Name.empty()) tree_[0].DTDElement = &dtd_->Root();

  try {
    if (!FileExists(fileName_)) {
      isOpen_ = CreateDocument();
    } else if (store_->ReadFile(fileName_, text_, kMaxFileSize)) {
      readOnly_ = !store_->CanWrite(fileName_);
      isOpen_ = ParseDocument();
    }
  } catch (const std::bad_alloc&) {
    // A document too large for the memory left does not open; nothing else changed.
    isOpen_ = false;
  }
  if (!isOpen_) {
    Close();
    return false;
  }
  if (OnAfterOpen) OnAfterOpen();
  return isOpen_;
}

void XmlData::Close() {
  if (isOpen_) ++openSerial_;
  isOpen_ = false;
  std::string().swap(text_);
  tree_.Clear();
}

bool XmlData::ParseDocument() {
  if (detail::LooksWide(text_)) {
    ReportStructureError(2, "Unsupported encoding: the file is in UTF-16 or UTF-32.", 0, 0);
    return false;
  }
  // A document someone sends must not make the program read other files, local
  // or on the network: its external subset and external entities stay unread
  // (the definitions would serve nothing here but defaults and replacement texts).
  XmlParser parser;
  parser.SetReadsExternalFiles(false);
  parser.UseBuffer(text_);
  parser.Restart();
  const char* base = parser.Buffer();
  bool declarationSeen = false;
  bool rootFound = false;
  int start = 0;
  int after = 0;  // where the part before the current one ended
  int end = 0;
  isWellStructured_ = true;
  // The declaration describes this file: nothing stays from the file opened before.
  xmlVersion_.clear();
  encoding_.clear();
  standalone_ = false;
  try {
    while (!rootFound && parser.NextPart()) {
      if (!parser.InBuffer(parser.PartStart())) throw EXMLException{7};
      start = static_cast<int>(parser.PartStart() - base);
      after = end == 0 ? 0 : end + 1;
      end = static_cast<int>(parser.PartEnd() - base);
      switch (parser.PartType()) {
        case pkProlog:
          declarationSeen = true;
          for (const Attr& a : parser.PartAttributes()) {
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
            if (!dtd_) dtd_ = std::make_unique<DtdModel>();
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
          const DtdElement* rootDecl = tree_[0].DTDElement;
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
          // From the end of the part before: the blanks before the root belong
          // to its entry, as they do for every other element (and as they do
          // when a replacement text puts them there).
          builder.Build(0, static_cast<size_t>(after), rootDecl);
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

bool XmlData::CreateDocument() {
  standalone_ = true;
  encoding_ = "Windows-1250";
  xmlVersion_ = "1.0";
  const std::string encodedHeader = HeaderBytes();
  if (encodedHeader.empty()) return false;
  const DtdElement& rootDecl = dtd_->Root();
  std::string body;
  if (rootDecl.ContentType == etEmpty) {
    body = "<" + rootDecl.Name + " />\r";
  } else {
    body = ElementText(XmlElement(rootDecl.Name), true, false);
  }
  std::string bytes = encodedHeader + Encode(body);
  if (bytes.size() > kMaxFileSize || !store_->WriteAtomically(fileName_, bytes)) return false;
  text_ = std::move(bytes);
  IndexBuilder builder(tree_, text_, encoding_);
  builder.Build(0, encodedHeader.size(), &rootDecl);
  isWellStructured_ = true;
  isValid_ = true;
  return true;
}

std::string XmlData::Encode(const std::string& utf8) const {
  return EncodeForFile(utf8, encoding_);
}

}  // namespace xml
