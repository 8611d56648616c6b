#pragma once
// A document type definition as a tree of element declarations: DtdModel owns a
// root DtdElement, each declaration owns its attribute declarations and its
// allowed children (each child a copy of the child's declaration, with how
// often it may occur). Read from a DTD file through the parser's declaration
// analysis, used to validate a document while it is indexed, and written back
// as DTD text by the writer.
//
// XmlAttribute also carries the attributes of element objects (XmlElement); an
// attribute that belongs to an element of an open document writes every
// change of its name or value into the file at once.

#include <memory>
#include <string>
#include <vector>

#include "xml/xml_definitions.h"

namespace xml {

class XmlElement;
class DtdElement;

class XmlAttribute {
 public:
  explicit XmlAttribute(std::string name = {}, XmlElement* owner = nullptr)
      : name_(std::move(name)), owner_(owner) {}

  const std::string& Name() const { return name_; }
  const std::string& Value() const { return value_; }
  const std::string& Enumeration() const { return enumeration_; }  // a|b|c
  const std::string& DefVal() const { return defVal_; }
  AttrValueType AttrType() const { return attrType_; }
  AttrDefault DefaultType() const { return defaultType_; }
  XmlElement* Owner() const { return owner_; }

  // Name and value setters of an element's attribute rewrite the element's start
  // tag in its open document; when that is refused or fails the previous value
  // stays and the result is false. The other fields do not appear in an
  // element's text, so setting them never writes.
  bool SetName(const std::string& name);
  bool SetValue(const std::string& value);
  void SetEnumeration(const std::string& text) { enumeration_ = text; }
  void SetDefVal(const std::string& text) { defVal_ = text; }
  void SetAttrType(AttrValueType type) { attrType_ = type; }
  void SetDefaultType(AttrDefault type) { defaultType_ = type; }

  // Copies the declaration fields (Name, DefVal, Enumeration, AttrType,
  // DefaultType), not Value, and never writes a file.
  void Assign(const XmlAttribute& other);

 private:
  friend class XmlElement;
  friend class XmlData;
  bool Rewrite();

  std::string name_;
  std::string value_;
  std::string enumeration_;
  std::string defVal_;
  AttrValueType attrType_ = AttrValueType::atCData;
  AttrDefault defaultType_ = AttrDefault::adRequired;
  XmlElement* owner_ = nullptr;
};

// How often a child may occur in its parent: zero or more, exactly one, one or
// more, zero or one.
enum class ChildRepeat { seAny, seOne, seOnePlus, seMaxOne };
// Whether a child joins the previous sibling of the model as a sequence or a choice.
enum class ContentJoin { And, Or };

const char* ChildCountName(ChildRepeat count);

class DtdElement {
 public:
  DtdElement() = default;
  DtdElement(const DtdElement&) = delete;
  DtdElement& operator=(const DtdElement&) = delete;

  std::string Name;
  ElemContentType ContentType = ElemContentType::etChildren;
  ChildRepeat ChildCount = ChildRepeat::seOne;
  ContentJoin AndOr = ContentJoin::And;

  DtdElement* Parent() const { return parent_; }
  int Count() const { return static_cast<int>(children_.size()); }
  int AttrCount() const { return static_cast<int>(attributes_.size()); }

  XmlAttribute* AddAttribute(const std::string& name);
  XmlAttribute* AttributeAt(int i) const;
  int IndexOfAttribute(const std::string& name) const;

  DtdElement* AddChild(const std::string& name);
  DtdElement* ChildAt(int i) const;
  int IndexOfChild(const std::string& name) const;

  // Back to a new declaration: no name, attributes or children, etChildren,
  // seOne, And. The parent stays.
  void Clear();
  // Deep copy of name, attributes, children, ContentType, ChildCount, AndOr.
  void Assign(const DtdElement& other);

  // The content model in DTD syntax: ANY, EMPTY, (#PCDATA), (#PCDATA | a | b)*,
  // (a, b?, c+), (a | b), ((a | b), c). A declaration read from DTD text
  // gives its model as written there (nested groups included) while its
  // children are as they were read; the children alone cannot tell (a|b)+
  // from a+ | b+.
  std::string ContentModelText() const;
  // Remembers the content model as written in DTD text (whitespace removed).
  void SetWrittenModel(std::string model);

 private:
  // The children's model when the written model was set, and that model.
  std::string FlatModelText() const;
  std::string writtenFor_;
  std::string written_;
  DtdElement* parent_ = nullptr;
  std::vector<std::unique_ptr<XmlAttribute>> attributes_;
  std::vector<std::unique_ptr<DtdElement>> children_;
};

class DtdModel {
 public:
  DtdModel() : root_(std::make_unique<DtdElement>()) {}

  DtdElement& Root() { return *root_; }
  const DtdElement& Root() const { return *root_; }

  // Reads a DTD file into the tree. False when the file does not exist (the
  // tree stays), and with an empty root when it declares no element or unfolds
  // into more than kMaxDeclarations declarations (a model naming shared
  // children at every level would otherwise be copied exponentially often).
  bool LoadDTD(const std::string& fileName);

  static constexpr int kMaxDeclarations = 100000;

 private:
  std::unique_ptr<DtdElement> root_;
};

}  // namespace xml
