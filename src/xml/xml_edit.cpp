// In-place editing of the open document: every change is written into the
// file at once (the whole file replaced atomically) and the offsets behind it
// are moved, so the index stays valid without analysing the file again.

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <optional>

#include "xml/codepages.h"
#include "xml/xml_build.h"
#include "xml/xml_data.h"
#include "xml/xml_file.h"
#include "xml/xml_parser.h"
#include "xml/xml_text.h"
#include "xml/xml_writer.h"

namespace xml {
namespace {

bool IsWhite(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

bool XmlData::MayEdit(int position) {
  // A file read with errors has an index that may not match its bytes, a
  // read-only one cannot be written, and text in an encoding without a table
  // here could not be written so that it reads back the same: all three refuse
  // like a veto.
  if (!isOpen_ || readOnly_ || !isWellStructured_) return false;
  if (!encoding_.empty() && !CodePageByName(encoding_)) return false;
  bool canEdit = true;
  if (BeforeEdit) BeforeEdit(position, canEdit);
  return canEdit;
}

bool XmlData::Apply(const std::vector<Splice>& splices) {
  std::string next;
  size_t size = text_.size();
  for (const Splice& s : splices) size = size - s.removed + s.text.size();
  if (size > static_cast<size_t>(std::numeric_limits<int32_t>::max() / 2)) return false;
  try {
    next.reserve(size);
  } catch (const std::bad_alloc&) {
    return false;  // no memory for the new text: the edit fails, file and index unchanged
  }
  size_t at = 0;
  for (const Splice& s : splices) {
    next.append(text_, at, static_cast<size_t>(s.pos) - at);
    next += s.text;
    at = static_cast<size_t>(s.pos) + static_cast<size_t>(s.removed);
  }
  next.append(text_, at, std::string::npos);
  if (!store_->WriteAtomically(fileName_, next)) return false;
  text_.swap(next);
  // From the last range to the first, so each range's offsets are still those
  // of the old text when its shift is made.
  for (auto s = splices.rbegin(); s != splices.rend(); ++s) {
    tree_.ShiftFrom(s->pos + s->removed, static_cast<int32_t>(s->text.size()) - s->removed);
  }
  return true;
}

bool XmlData::AttributesFit(const XmlElement& element) const {
  for (int i = 0; i < element.AttributeCount(); ++i) {
    const std::string& name = element.AttributeAt(i)->Name();
    // An attribute added under a name the element has would be written twice;
    // one added under a name no tag can hold waits for a valid one.
    if (!IsValidName(name) || !IsXmlText(name) || !CanEncodeAll(name, encoding_) ||
        element.IndexOfAttribute(name) != i) {
      return false;
    }
  }
  return true;
}

bool XmlData::RewriteStartTag(XmlElement& element) {
  if (!AttributesFit(element)) return false;
  const IndexEntry& e = tree_[element.entry_];
  // The tag keeps its form: an empty-element tag stays one, since no end tag follows it.
  return Apply(
      {{e.StartPos, e.StartTagEnd + 1 - e.StartPos, Encode(StartTagText(element, e.EndPos == 0))}});
}

bool XmlData::RewriteName(XmlElement& element) {
  if (!AttributesFit(element)) return false;
  const IndexEntry& e = tree_[element.entry_];
  std::vector<Splice> splices{
      {e.StartPos, e.StartTagEnd + 1 - e.StartPos, Encode(StartTagText(element, e.EndPos == 0))}};
  // The end tag is renamed in the same write, or the file would no longer nest.
  if (e.EndPos != 0) {
    const int32_t lt = EndTagStart(element.entry_);
    if (lt < 0 || text_[lt + 1] != '/') return false;
    const int32_t nameStart = lt + 2;
    int32_t nameEnd = nameStart;
    while (nameEnd < e.EndPos && !IsWhite(text_[nameEnd]) && text_[nameEnd] != '/' &&
           text_[nameEnd] != '>') {
      ++nameEnd;
    }
    splices.push_back({nameStart, nameEnd - nameStart, Encode(element.Name())});
  }
  return Apply(splices);
}

bool XmlData::RewriteContent(XmlElement& element) {
  if (!AttributesFit(element)) return false;
  const int32_t id = element.entry_;
  const int32_t startPos = tree_[id].StartPos;
  const std::string text = Encode(ElementText(element, true, false));
  if (!Apply({{startPos, tree_[id].End() - startPos, text}})) return false;
  // The children were replaced by the content.
  tree_.RemoveChildren(id);
  IndexEntry& e = tree_[id];
  size_t gt = text.find('>');
  while (gt + 1 < text.size() && (text[gt + 1] == '\r' || text[gt + 1] == '\n')) ++gt;
  e.StartTagEnd = startPos + static_cast<int32_t>(gt);
  e.EndPos = element.IsEmpty() ? 0 : startPos + static_cast<int32_t>(text.size());
  return true;
}

bool XmlData::ReplaceElementXML(XmlElement& element, const std::string& xml) {
  const int32_t id = element.entry_;
  // The text must be one element, optionally indented and followed by line
  // ends: anything else would leave the index and the file apart.
  const size_t first = xml.find_first_not_of(" \t\r\n");
  if (first == std::string::npos || xml[first] != '<' || xml.compare(first, 2, "<!") == 0 ||
      xml.compare(first, 2, "<?") == 0 || xml.compare(first, 2, "</") == 0) {
    ReportEditError(7, XMLErrorMessage(7));
    return false;
  }
  if (!CanEncodeAll(xml, encoding_)) return false;
  const std::string text = Encode(xml);
  XmlIndexTree sub;
  sub.Reset();
  IndexBuilder builder(sub, text, encoding_);
  builder.strict = true;
  int failure = -1;
  builder.structure = [&failure](int code, const std::string&, int, int) { failure = code; };
  builder.validity = [this](int code, const std::string& name, int s, int e) {
    ReportProblem(code, name, s, e);
  };
  builder.Build(0, 0, tree_[id].DTDElement);
  if (failure < 0 && !builder.Closed()) failure = 9;
  if (failure < 0 && text.find_first_not_of(" \t\r\n", builder.ElementEnd()) != std::string::npos) {
    failure = 9;
  }
  if (failure >= 0) {
    ReportEditError(failure, FormatXMLError(failure, ""));
    return false;
  }
  // Only the element with its indentation and line ends goes in: line ends
  // before it or blanks after it would belong to the neighbours' offsets.
  const auto lead = static_cast<size_t>(sub[0].StartPos);
  const int32_t startPos = tree_[id].StartPos;
  if (!Apply({{startPos, tree_[id].End() - startPos,
               text.substr(lead, builder.ElementEnd() - lead)}})) {
    return false;
  }
  tree_.Graft(id, sub, startPos - static_cast<int32_t>(lead));
  return true;
}

std::string XmlData::HeaderBytes() {
  if (!HeaderFieldsFit()) return {};
  const std::string header = HeaderText(*this);
  if (header.empty() || !CanEncodeAll(header, encoding_)) return {};
  std::string bytes = Encode(header);
  // It must read back as a declaration and the document type declaration of
  // the DTD's root, ending where it ends: a root name from a DTD file could
  // hold what ends the name or the declaration early, and the body behind
  // would then be read otherwise.
  XmlParser p;
  p.SetReadsExternalFiles(false);
  p.UseBuffer(bytes);
  const bool declaration = p.NextPart() && p.PartType() == pkProlog;
  const bool doctype = declaration && p.NextPart() && p.PartType() == pkDoctype &&
                       p.InBuffer(p.PartEnd()) && p.DocRootName() == dtd_->Root().Name &&
                       IsValidName(dtd_->Root().Name) &&
                       static_cast<size_t>(p.PartEnd() - p.Buffer()) + 2 == bytes.size();
  if (!doctype || p.NextPart()) return {};
  return bytes;
}

bool XmlData::RewriteHeader() {
  if (!MayEdit(-1)) return false;
  const std::string header = HeaderBytes();
  return !header.empty() && Apply({{0, tree_[0].StartPos, header}});
}

template <class T>
bool XmlData::SetHeaderField(T& field, T value) {
  T old = std::exchange(field, std::move(value));
  if (RewriteHeader()) return true;
  field = std::move(old);
  return false;
}

bool XmlData::SetStandalone(bool value) { return SetHeaderField(standalone_, value); }
bool XmlData::SetEncoding(const std::string& value) {
  // Only the declaration is rewritten, so the body must read the same under
  // the new encoding: it must be one this component reads and writes, and
  // unless both name the same code page the body must be plain ASCII.
  const auto page = [](const std::string& name) {
    return name.empty() ? std::optional<CodePage>(CodePage::Utf8) : CodePageByName(name);
  };
  const std::optional<CodePage> next = page(value);
  if (!next || !isOpen_) return false;
  if (next != page(encoding_)) {
    const auto body = text_.begin() + tree_[0].StartPos;
    if (std::any_of(body, text_.end(), [](char c) { return (c & 0x80) != 0; })) return false;
  }
  return SetHeaderField(encoding_, value);
}

bool XmlData::HeaderFieldsFit() const {
  const auto all = [](const std::string& s, auto ok) {
    return std::all_of(s.begin(), s.end(), ok);
  };
  const auto alnum = [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
  };
  // version: 1.digits; encoding: a letter, then letters, digits, '.', '_', '-'.
  const bool version = xmlVersion_.empty() ||
                       (xmlVersion_.size() > 2 && xmlVersion_.compare(0, 2, "1.") == 0 &&
                        all(xmlVersion_.substr(2), [](char c) { return c >= '0' && c <= '9'; }));
  const bool encoding =
      encoding_.empty() ||
      ((alnum(encoding_[0]) && !(encoding_[0] >= '0' && encoding_[0] <= '9')) &&
       all(encoding_, [&](char c) { return alnum(c) || c == '.' || c == '_' || c == '-'; }));
  // A public identifier's characters (no line breaks, so the header stays two lines).
  const bool publicId = all(doctype_, [&](char c) {
    return alnum(c) || (c != '"' && std::strchr(" -'()+,./:=?;!*#@$_%", c) != nullptr && c != 0);
  });
  // A file name in double quotes: anything XML carries but the quote and control characters.
  const bool systemId = IsXmlText(externalDTD_) && all(externalDTD_, [](char c) {
                          return c != '"' && static_cast<unsigned char>(c) >= 0x20;
                        });
  return version && encoding && publicId && systemId;
}
bool XmlData::SetXMLVersion(const std::string& value) { return SetHeaderField(xmlVersion_, value); }
bool XmlData::SetDoctype(const std::string& value) { return SetHeaderField(doctype_, value); }

bool XmlData::SetExternalDTD(const std::string& fileName) {
  if (fileName.empty()) {
    if (!isOpen_) {
      externalDTD_.clear();
      return true;
    }
    return SetHeaderField(externalDTD_, std::string());
  }
  auto fresh = std::make_unique<DtdModel>();
  if (!fresh->LoadDTD(ResolveAgainst(DirectoryOf(fileName_), fileName))) {
    ReportEditError(6, XMLErrorMessage(6));
    return false;
  }
  std::string oldName = std::exchange(externalDTD_, fileName);
  std::unique_ptr<DtdModel> oldDTD = std::exchange(dtd_, std::move(fresh));
  // A closed document takes the DTD for its next Open (to validate, or to
  // create a missing file from).
  if (!isOpen_) return true;
  if (RewriteHeader()) {
    // The entries were checked against the old tree, which goes now.
    for (int32_t i = 0; i < tree_.Size(); ++i) tree_[i].DTDElement = nullptr;
    tree_[0].DTDElement = &dtd_->Root();
    isValid_ = false;
    return true;
  }
  externalDTD_ = std::move(oldName);
  dtd_ = std::move(oldDTD);
  ReportEditError(6, XMLErrorMessage(6));
  return false;
}

}  // namespace xml
