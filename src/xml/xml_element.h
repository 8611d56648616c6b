#pragma once
// XmlElement: a snapshot of one element of an open document, made on request
// from the element's bytes (XmlData::ElementFromIndex) and owned by whoever
// asked for it. Reading it never touches the disk. Its setters (SetName,
// SetContent, ReplaceXML, and the name and value of its attributes) write the
// change into the document's file at once.
//
// An element keeps a weak link to its document and index entry: when the
// document closes, is destroyed, or an edit removes the entry, the element
// becomes detached; it still reads its snapshot, but has no children, no
// parent and refuses edits. An element whose bytes were rewritten through
// another object made from the same entry (a rename, an attribute, its content
// or its whole text) is stale: it still reads, but refuses edits, since writing
// its old snapshot back would undo that change or break the file; after
// ReplaceXML that includes the object it went through. An element
// made without a document (to be written by the writer) has no link and its
// setters only store.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "xml/dtd_model.h"
#include "xml/xml_index.h"

namespace xml {

class XmlData;

class XmlElement {
 public:
  XmlElement() = default;
  explicit XmlElement(std::string name) : name_(std::move(name)) {}
  XmlElement(const XmlElement&) = delete;
  XmlElement& operator=(const XmlElement&) = delete;

  const std::string& Name() const { return name_; }
  const std::string& Content() const { return content_; }
  // Index among its parent's children (0 for the root).
  int Position() const { return position_; }

  // The document and entry it came from, or none when detached or made freely.
  XmlData* Data() const;
  // Its index entry while attached; valid until the next edit of the document.
  const IndexEntry* Index() const;
  int32_t IndexId() const { return entry_; }

  int AttributeCount() const { return static_cast<int>(attributes_.size()); }
  XmlAttribute* AttributeAt(int i) const;
  int IndexOfAttribute(const std::string& name) const;
  XmlAttribute* AttributeByName(const std::string& name) const;
  // Adds an attribute; the file changes when its value is set.
  XmlAttribute* AddAttribute(const std::string& name);

  int ChildCount() const;
  std::unique_ptr<XmlElement> ChildAt(int i) const;
  // The first child whose name equals name exactly, with Position set.
  std::unique_ptr<XmlElement> ChildByName(const std::string& name) const;
  std::unique_ptr<XmlElement> Parent() const;
  // 1 for the root (or an element without entry), 1 + ancestors otherwise.
  int Level() const;
  const DtdElement* DTDElement() const;
  // Declared EMPTY in its DTD declaration.
  bool IsEmpty() const;

  // Each returns false, leaving the element and the file unchanged, when the
  // document refuses the edit (BeforeEdit veto, read-only file, not open), the
  // element is stale, the text holds what XML cannot carry (a control
  // character, a byte sequence that is no UTF-8), or writing the file fails.
  bool SetName(const std::string& name);
  // Replaces everything between the tags by the text (child elements
  // included). Refused for non-empty text when the element is declared EMPTY.
  bool SetContent(const std::string& text);
  // Replaces the element's whole text by xml, which must be one well-formed
  // element, optionally indented; the element is indexed again from it.
  bool ReplaceXML(const std::string& xml);

 private:
  friend class XmlAttribute;
  friend class XmlData;
  // The document while this element's entry is alive in it.
  XmlData* Live() const;
  // The document when it is live and its entry's bytes are still those this
  // element was made from.
  XmlData* Current() const;
  // After an edit through this element: other objects of its entry are stale now.
  bool Edited(XmlData& data);
  bool RewriteStartTag();
  void SetSnapshot(std::string name, std::string content) {
    name_ = std::move(name);
    content_ = std::move(content);
  }
  void Attach(const std::shared_ptr<XmlData*>& doc, uint64_t openSerial, int32_t entry,
              uint32_t stamp) {
    stamp_ = stamp;
    doc_ = doc;
    token_ = doc.get();
    openSerial_ = openSerial;
    entry_ = entry;
    fromDocument_ = true;
  }

  std::string name_;
  std::string content_;
  int position_ = 0;
  int level_ = 1;  // as it was when made, for a detached element
  std::vector<std::unique_ptr<XmlAttribute>> attributes_;
  std::weak_ptr<XmlData*> doc_;
  XmlData* const* token_ = nullptr;  // what doc_ points to, read while it has not expired
  uint64_t openSerial_ = 0;
  int32_t entry_ = kNoEntry;
  uint32_t stamp_ = 0;  // the entry's Stamp when made (or last edited through this object)
  bool fromDocument_ = false;
};

}  // namespace xml
