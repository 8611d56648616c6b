#include "xml_build.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "xml/dtd_model.h"
#include "xml/xml_parser.h"

namespace xml {
namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// An enumerated value must be one of the alternatives, not merely part of one.
bool IsAlternative(const std::string& alternatives, const std::string& value) {
  size_t b = 0;
  for (;;) {
    const size_t e = alternatives.find('|', b);
    if (alternatives.compare(b, e == std::string::npos ? std::string::npos : e - b, value) == 0) {
      return true;
    }
    if (e == std::string::npos) return false;
    b = e + 1;
  }
}

// Without a DTD the index needs names only to match start and end tags, which
// the raw bytes do as well as their decoded form, and no text at all: so the
// bytes are taken as they are, sparing a conversion of the whole file.
class IndexParser : public XmlParser {
 public:
  explicit IndexParser(bool raw) : raw_(raw) { SetReadsExternalFiles(false); }
  void DecodeText(std::string_view text, std::string& out) override {
    if (raw_) {
      out.append(text);
    } else {
      XmlParser::DecodeText(text, out);
    }
  }

 private:
  bool raw_;
};

}  // namespace

int32_t IndexBuilder::LineStart(size_t pos, size_t limit) const {
  while (pos > limit && (text_[pos - 1] == ' ' || text_[pos - 1] == '\t')) --pos;
  return static_cast<int32_t>(pos);
}

int32_t IndexBuilder::PastLineEnds(size_t pos) const {
  while (pos < text_.size() && IsLineEnd(text_[pos])) ++pos;
  return static_cast<int32_t>(pos);
}

bool IndexBuilder::Build(int32_t top, size_t begin, const DtdElement* decl) {
  tree_.RemoveChildren(top);
  const int32_t first = tree_.Size();
  opened_ = closed_ = false;
  elementEnd_ = begin;

  // Room for the entries at once: about one start tag in two tags.
  tree_.Reserve(static_cast<int32_t>(
      std::count(text_.begin() + static_cast<std::ptrdiff_t>(begin), text_.end(), '<') / 2 + 1));
  IndexParser parser(decl == nullptr);
  parser.SetTextEncoding(encoding_);
  parser.UseBuffer(text_.data() + begin, text_.size() - begin);

  const char* base = parser.Buffer();
  const size_t length = text_.size() - begin;
  int32_t current = top;
  // Names of the open elements and the declarations they were checked against.
  std::vector<std::string> names;
  std::vector<const DtdElement*> decls;
  const DtdElement* currentDecl = nullptr;
  int lastPercent = -1;
  int start = 0;
  int end = 0;

  auto check = [&](int code) {
    if (validity) validity(code, parser.PartName(), start, end);
  };
  auto warn = [&](int code) {
    if (problem && !problem(code, parser.PartName(), start, end)) throw EXMLException{code};
  };

  try {
    while (!closed_ && parser.NextPart()) {
      // Parts from an entity's text (a document type declaration inside the
      // tree may declare entities) are no bytes of this text; a text part may
      // also start here and end in one, and then ends here for the offsets.
      if (!parser.InBuffer(parser.PartStart())) continue;
      const bool endsHere = parser.InBuffer(parser.PartEnd());
      const size_t partStart = begin + (parser.PartStart() - base);
      const size_t partEnd = endsHere ? begin + (parser.PartEnd() - base) : partStart;
      start = static_cast<int>(partStart);
      end = static_cast<int>(partEnd);
      // A tag cut off by the end of a replacement text would run on into the
      // bytes that follow it in the file.
      const PartKind kind = parser.PartType();
      if (strict && (kind == pkStartTag || kind == pkEmptyTag || kind == pkEndTag) &&
          text_[partEnd] != '>') {
        throw EXMLException{0};
      }

      switch (parser.PartType()) {
        case pkStartTag:
        case pkEmptyTag: {
          const std::string& name = parser.PartName();
          const AttrList& attributes = parser.PartAttributes();
          if (strict) {
            // In name order, so twins are neighbours.
            for (size_t i = 1; i < attributes.Count(); ++i) {
              if (attributes[i].Name == attributes[i - 1].Name) throw EXMLException{0};
            }
          }
          const DtdElement* own = nullptr;
          if (!opened_) {
            opened_ = true;
            own = decl;
            if (decl != nullptr && name != decl->Name) check(8);
          } else {
            current = tree_.AddChild(current);
            if (currentDecl != nullptr) {
              own = currentDecl->ChildAt(currentDecl->IndexOfChild(name));
              if (own == nullptr) check(10);
            }
          }
          IndexEntry& entry = tree_[current];
          entry.DTDElement = own;
          if (own != nullptr) {
            for (const Attr& a : parser.PartAttributes()) {
              const XmlAttribute* declared = own->AttributeAt(own->IndexOfAttribute(a.Name));
              if (declared == nullptr) {
                check(11);
              } else if (declared->AttrType() == atEnumeration &&
                         !IsAlternative(declared->Enumeration(), a.Value)) {
                check(12);
              }
            }
          }
          entry.StartPos = LineStart(partStart, begin);
          entry.StartTagEnd = PastLineEnds(partEnd + 1) - 1;
          entry.EndPos = 0;
          if (parser.PartType() == pkEmptyTag) {
            if (names.empty()) {
              closed_ = true;
              elementEnd_ = static_cast<size_t>(entry.StartTagEnd) + 1;
            } else {
              current = entry.Parent;
            }
          } else {
            names.push_back(name);
            decls.push_back(currentDecl);
            currentDecl = own;
          }
          break;
        }
        case pkEndTag: {
          if (names.empty() || names.back() != parser.PartName()) throw EXMLException{9};
          IndexEntry& entry = tree_[current];
          entry.EndPos = PastLineEnds(partEnd + 1);
          currentDecl = decls.back();
          decls.pop_back();
          names.pop_back();
          if (names.empty()) {
            closed_ = true;
            elementEnd_ = static_cast<size_t>(entry.EndPos);
          } else {
            current = entry.Parent;
          }
          break;
        }
        case pkText:
          if (currentDecl != nullptr && !names.empty() && currentDecl->ContentType != etAny &&
              currentDecl->ContentType != etMixed) {
            check(13);
          }
          break;
        case pkComment:
          warn(15);
          break;
        case pkCData:
          warn(16);
          break;
        case pkProlog:  // "<?xml..." inside the tree is a processing instruction too
        case pkDoctype:
          if (strict) throw EXMLException{0};
          warn(14);
          break;
        case pkPI:
          warn(14);
          break;
        case pkNone:
          break;
      }
      // A text part may end inside an entity's text: its end is then no offset
      // in this text, and the progress waits for a part that ends in it.
      if (progress && length > 0 && endsHere) {
        const int percent = static_cast<int>(std::lround((partEnd - begin) * 100.0 / length));
        if (percent != lastPercent) {
          lastPercent = percent;
          progress(percent);
        }
      }
    }
    if (!closed_ && !names.empty() && problem) problem(9, parser.PartName(), start, end);
  } catch (const EXMLException& e) {
    if (structure) structure(e.ErrorCode, parser.PartName(), start, end);
    tree_.Truncate(current + 1 > first ? current + 1 : first);
    tree_[current].ChildCount = 0;
    tree_.Finish(top, first);
    return false;
  }
  tree_.Finish(top, first);
  return true;
}

}  // namespace xml
