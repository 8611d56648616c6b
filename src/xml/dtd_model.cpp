#include "dtd_model.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <utility>

#include "xml/xml_element.h"
#include "xml/xml_file.h"
#include "xml/xml_parser.h"
#include "xml/xml_text.h"

namespace xml {

// --- XmlAttribute

bool XmlAttribute::SetName(const std::string& name) {
  if (owner_ != nullptr) {
    if (!IsValidName(name) || !IsXmlText(name)) return false;
    // Two attributes of one name would make the tag ill-formed.
    const XmlAttribute* same = owner_->AttributeByName(name);
    if (same != nullptr && same != this) return false;
  }
  std::string old = std::exchange(name_, name);
  if (Rewrite()) return true;
  name_ = std::move(old);
  return false;
}

bool XmlAttribute::SetValue(const std::string& value) {
  if (owner_ != nullptr && !IsXmlText(value)) return false;
  std::string old = std::exchange(value_, value);
  if (Rewrite()) return true;
  value_ = std::move(old);
  return false;
}

bool XmlAttribute::Rewrite() { return owner_ == nullptr || owner_->RewriteStartTag(); }

void XmlAttribute::Assign(const XmlAttribute& other) {
  name_ = other.name_;
  defVal_ = other.defVal_;
  enumeration_ = other.enumeration_;
  attrType_ = other.attrType_;
  defaultType_ = other.defaultType_;
}

// --- DtdElement

const char* ChildCountName(ChildRepeat count) {
  static const char* const names[] = {"None or more", "One", "One or more", "None or one"};
  return names[static_cast<int>(count)];
}

XmlAttribute* DtdElement::AddAttribute(const std::string& name) {
  attributes_.push_back(std::make_unique<XmlAttribute>(name));
  return attributes_.back().get();
}

XmlAttribute* DtdElement::AttributeAt(int i) const {
  return i >= 0 && i < AttrCount() ? attributes_[i].get() : nullptr;
}

int DtdElement::IndexOfAttribute(const std::string& name) const {
  for (int i = 0; i < AttrCount(); ++i) {
    if (attributes_[i]->Name() == name) return i;
  }
  return -1;
}

DtdElement* DtdElement::AddChild(const std::string& name) {
  children_.push_back(std::make_unique<DtdElement>());
  DtdElement* child = children_.back().get();
  child->Name = name;
  child->parent_ = this;
  return child;
}

DtdElement* DtdElement::ChildAt(int i) const {
  return i >= 0 && i < Count() ? children_[i].get() : nullptr;
}

int DtdElement::IndexOfChild(const std::string& name) const {
  for (int i = 0; i < Count(); ++i) {
    if (children_[i]->Name == name) return i;
  }
  return -1;
}

void DtdElement::Clear() {
  Name.clear();
  written_.clear();
  writtenFor_.clear();
  attributes_.clear();
  children_.clear();
  ContentType = etChildren;
  ChildCount = ChildRepeat::seOne;
  AndOr = ContentJoin::And;
}

void DtdElement::Assign(const DtdElement& other) {
  if (&other == this) return;
  Clear();
  Name = other.Name;
  ContentType = other.ContentType;
  ChildCount = other.ChildCount;
  AndOr = other.AndOr;
  for (const auto& a : other.attributes_) {
    AddAttribute(a->Name())->Assign(*a);
  }
  for (const auto& c : other.children_) AddChild(c->Name)->Assign(*c);
  written_ = other.written_;
  writtenFor_ = other.writtenFor_;
}

std::string DtdElement::FlatModelText() const {
  if (ContentType == etAny) return "ANY";
  if (ContentType == etEmpty || (ContentType == etChildren && children_.empty())) return "EMPTY";
  static const char* const signs[] = {"*", "", "+", "?"};
  const auto item = [](const DtdElement& c) {
    return c.Name + signs[static_cast<int>(c.ChildCount)];
  };
  if (ContentType == etMixed) {
    std::string s = "(#PCDATA";
    for (const auto& c : children_) s += " | " + item(*c);
    return s + (children_.empty() ? ")" : ")*");
  }
  // A group is either a sequence or a choice: a choice within a sequence is
  // written as a group of its own.
  std::vector<std::string> runs;
  std::vector<size_t> sizes;
  for (size_t i = 0; i < children_.size(); ++i) {
    if (i == 0 || children_[i]->AndOr == ContentJoin::And) {
      runs.emplace_back();
      sizes.push_back(0);
    } else {
      runs.back() += " | ";
    }
    runs.back() += item(*children_[i]);
    ++sizes.back();
  }
  if (runs.size() == 1) return "(" + runs[0] + ")";
  std::string s = "(";
  for (size_t i = 0; i < runs.size(); ++i) {
    if (i > 0) s += ", ";
    s += sizes[i] > 1 ? "(" + runs[i] + ")" : runs[i];
  }
  return s + ")";
}

std::string DtdElement::ContentModelText() const {
  std::string flat = FlatModelText();
  if (written_.empty() || flat != writtenFor_) return flat;
  std::string s;
  for (const char c : written_) {
    if (c == ',') {
      s += ", ";
    } else if (c == '|') {
      s += " | ";
    } else {
      s += c;
    }
  }
  return s;
}

void DtdElement::SetWrittenModel(std::string model) {
  // Names and the model's own punctuation only: nothing that could end the
  // declaration or the internal subset it is written into.
  const bool group =
      !model.empty() && model[0] == '(' && std::all_of(model.begin(), model.end(), [](char c) {
        return (c & 0x80) != 0 || std::isalnum(static_cast<unsigned char>(c)) ||
               std::strchr("()|,*+?#_:.-", c) != nullptr;
      });
  // Only a group that agrees with the content type stands for the children.
  if (!group || (ContentType == etMixed) != (model.compare(0, 8, "(#PCDATA") == 0) ||
      (ContentType != etMixed && ContentType != etChildren)) {
    written_.clear();
    return;
  }
  written_ = std::move(model);
  writtenFor_ = FlatModelText();
}

// --- DtdModel

namespace {

// One name of a content model with its occurrence sign (0 for none) and the
// separator that joins it to the name before it.
struct ModelItem {
  std::string name;
  char sign = 0;
  ContentJoin andOr = ContentJoin::And;
};

constexpr int kMaxGroupDepth = 64;

bool IsSign(char c) { return c == '*' || c == '+' || c == '?'; }

// Reads the group whose '(' is right before i up to its ')' and the sign after
// it. Nested groups are flattened into the names they contain; a name without
// a sign of its own takes the sign of its nested group, since that is how often
// it may occur.
void ReadGroup(const std::string& s, size_t& i, ContentJoin sep, int depth,
               std::vector<ModelItem>& out) {
  const size_t first = out.size();
  while (i < s.size()) {
    const char c = s[i];
    if (c == ')') {
      ++i;
      break;
    }
    if (c == ',' || c == '|') {
      sep = c == ',' ? ContentJoin::And : ContentJoin::Or;
      ++i;
    } else if (c == '(') {
      ++i;
      if (depth >= kMaxGroupDepth) {
        i = s.size();
        break;
      }
      ReadGroup(s, i, sep, depth + 1, out);
    } else {
      const size_t b = i;
      while (i < s.size() && std::strchr(",|()", s[i]) == nullptr && !IsSign(s[i])) ++i;
      ModelItem item{s.substr(b, i - b), 0, sep};
      if (i < s.size() && IsSign(s[i])) item.sign = s[i++];
      if (!item.name.empty() && item.name != "#PCDATA") out.push_back(std::move(item));
    }
  }
  char groupSign = 0;
  if (i < s.size() && IsSign(s[i])) groupSign = s[i++];
  if (depth > 0 && groupSign != 0) {
    for (size_t k = first; k < out.size(); ++k) {
      if (out[k].sign == 0) out[k].sign = groupSign;
    }
  }
}

ChildRepeat CountOfSign(char sign) {
  switch (sign) {
    case '*':
      return ChildRepeat::seAny;
    case '+':
      return ChildRepeat::seOnePlus;
    case '?':
      return ChildRepeat::seMaxOne;
    default:
      return ChildRepeat::seOne;
  }
}

// Turns the parser's element definitions into finished declarations, each
// definition once; a declaration named by several parents is copied into each.
class Converter {
 public:
  explicit Converter(ElemList& defs) : defs_(defs) {}

  // Converts the definition of that name (still in the list); false when the
  // declarations grow beyond the limits.
  bool Convert(const std::string& name, int depth) {
    const ElemDef* found = defs_.FindNode(name);
    if (found == nullptr) return true;
    if (depth > kMaxGroupDepth) return false;
    const ElemDef def = *found;
    defs_.Remove(name);

    auto decl = std::make_unique<DtdElement>();
    decl->Name = def.Name;
    decl->ContentType = def.ElemType;
    for (const AttrDef& ad : def.Attributes) {
      XmlAttribute* a = decl->AddAttribute(ad.Name);
      a->SetAttrType(ad.AttrType);
      a->SetDefaultType(ad.DefaultType);
      if (ad.AttrType == atEnumeration) a->SetEnumeration(ad.TypeDef);
      std::string defVal = ad.Value;
      if (defVal.empty() && ad.AttrType == atEnumeration) {
        const size_t bar = ad.TypeDef.find('|');
        if (bar != std::string::npos) defVal = ad.TypeDef.substr(0, bar);
      }
      a->SetDefVal(defVal);
    }

    std::vector<ModelItem> items;
    if (!def.Definition.empty() && def.Definition[0] == '(') {
      size_t i = 1;
      ReadGroup(def.Definition, i, ContentJoin::And, 0, items);
    }
    int size = 1;
    for (const ModelItem& item : items) {
      if (defs_.FindNode(item.name) != nullptr && !Convert(item.name, depth + 1)) {
        return false;
      }
      auto done = finished_.find(item.name);
      if (done == finished_.end()) continue;  // named but never declared
      size += done->second.size;
      nodes_ += done->second.size;
      if (nodes_ > DtdModel::kMaxDeclarations) return false;
      DtdElement* child = decl->AddChild(item.name);
      child->Assign(*done->second.decl);
      child->ChildCount = CountOfSign(item.sign);
      child->AndOr = item.andOr;
    }
    decl->SetWrittenModel(def.Definition);
    nodes_ += 1;
    if (nodes_ > DtdModel::kMaxDeclarations) return false;
    finished_[decl->Name] = {decl.get(), size};
    working_.push_back(std::move(decl));
    return true;
  }

  // The declaration converted last: the root of the DTD.
  const DtdElement* Last() const { return working_.empty() ? nullptr : working_.back().get(); }

 private:
  struct Finished {
    const DtdElement* decl;
    int size;
  };
  ElemList& defs_;
  std::vector<std::unique_ptr<DtdElement>> working_;
  std::map<std::string, Finished> finished_;
  int nodes_ = 0;
};

}  // namespace

bool DtdModel::LoadDTD(const std::string& fileName) {
  if (!FileExists(fileName)) return false;
  root_->Clear();
  XmlParser parser;
  // The document component reads no file but the DTD it was given: parameter
  // entities that name other files stay empty.
  parser.SetReadsExternalFiles(false);
  if (!parser.LoadFile(fileName)) return false;
  parser.AnalyzeSubset(parser.Buffer());
  Converter converter(parser.ElementDefs());
  while (!parser.ElementDefs().Empty()) {
    if (!converter.Convert(parser.ElementDefs().Front().Name, 0)) {
      root_->Clear();
      return false;
    }
  }
  const DtdElement* last = converter.Last();
  if (last == nullptr) return false;
  root_->Assign(*last);
  return true;
}

}  // namespace xml
