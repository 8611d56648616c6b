#include "xml_element.h"

#include <algorithm>
#include <utility>

#include "xml/xml_data.h"
#include "xml/xml_text.h"

namespace xml {

XmlData* XmlElement::Live() const {
  // One thread: while the token is not expired its pointee is alive, so no
  // lock (and no atomic increment) is needed on this frequent path.
  if (token_ == nullptr || doc_.expired()) return nullptr;
  XmlData* data = *token_;
  if (data == nullptr) return nullptr;
  if (data->openSerial_ != openSerial_ || !data->isOpen_ || !data->tree_.Alive(entry_)) {
    return nullptr;
  }
  return data;
}

XmlData* XmlElement::Current() const {
  XmlData* data = Live();
  return data != nullptr && data->tree_[entry_].Stamp == stamp_ ? data : nullptr;
}

XmlData* XmlElement::Data() const { return Live(); }

const IndexEntry* XmlElement::Index() const {
  const XmlData* data = Live();
  return data != nullptr ? &data->tree_[entry_] : nullptr;
}

XmlAttribute* XmlElement::AttributeAt(int i) const {
  return i >= 0 && i < AttributeCount() ? attributes_[i].get() : nullptr;
}

int XmlElement::IndexOfAttribute(const std::string& name) const {
  for (int i = 0; i < AttributeCount(); ++i) {
    if (attributes_[i]->Name() == name) return i;
  }
  return -1;
}

XmlAttribute* XmlElement::AttributeByName(const std::string& name) const {
  return AttributeAt(IndexOfAttribute(name));
}

XmlAttribute* XmlElement::AddAttribute(const std::string& name) {
  attributes_.push_back(std::make_unique<XmlAttribute>(name, this));
  return attributes_.back().get();
}

int XmlElement::ChildCount() const {
  const XmlData* data = Live();
  return data != nullptr ? data->tree_[entry_].ChildCount : 0;
}

std::unique_ptr<XmlElement> XmlElement::ChildAt(int i) const {
  const XmlData* data = Live();
  if (data == nullptr) return nullptr;
  const int32_t child = data->tree_.ChildAt(entry_, i);
  if (child == kNoEntry) return nullptr;
  std::unique_ptr<XmlElement> element = data->ElementFromIndex(child);
  element->position_ = i;
  return element;
}

std::unique_ptr<XmlElement> XmlElement::ChildByName(const std::string& name) const {
  const XmlData* data = Live();
  if (data == nullptr) return nullptr;
  const int count = data->tree_[entry_].ChildCount;
  // Names are compared on the bytes where that is exact; only the child that
  // matches is made.
  const bool byBytes = data->AsciiCompatible() && std::all_of(name.begin(), name.end(), [](char c) {
                         return static_cast<unsigned char>(c) < 0x80;
                       });
  for (int i = 0; i < count; ++i) {
    if (data->NameIs(data->tree_.ChildAt(entry_, i), name, byBytes)) return ChildAt(i);
  }
  return nullptr;
}

std::unique_ptr<XmlElement> XmlElement::Parent() const {
  const XmlData* data = Live();
  if (data == nullptr) return nullptr;
  const XmlIndexTree& tree = data->tree_;
  const int32_t parent = tree[entry_].Parent;
  if (parent < 0) return nullptr;
  std::unique_ptr<XmlElement> element = data->ElementFromIndex(parent);
  // Its position among its own siblings: they are in document order, so a
  // binary search by offset finds it.
  const int32_t grand = tree[parent].Parent;
  if (grand >= 0) {
    int lo = 0;
    int hi = tree[grand].ChildCount - 1;
    const int32_t at = tree[parent].StartPos;
    while (lo < hi) {
      const int mid = (lo + hi) / 2;
      if (tree[tree.ChildAt(grand, mid)].StartPos < at) {
        lo = mid + 1;
      } else {
        hi = mid;
      }
    }
    element->position_ = lo;
  }
  return element;
}

int XmlElement::Level() const {
  const XmlData* data = Live();
  if (data != nullptr) return 1 + data->tree_.Depth(entry_);
  return level_;
}

const DtdElement* XmlElement::DTDElement() const {
  const XmlData* data = Live();
  return data != nullptr ? data->tree_[entry_].DTDElement : nullptr;
}

bool XmlElement::IsEmpty() const {
  const DtdElement* decl = DTDElement();
  return decl != nullptr && decl->ContentType == etEmpty;
}

bool XmlElement::SetName(const std::string& name) {
  if (!IsValidName(name) || !IsXmlText(name)) return false;
  XmlData* data = Current();
  if (data == nullptr) {
    if (fromDocument_) return false;
    name_ = name;
    return true;
  }
  if (!CanEncodeAll(name, data->encoding_) || !data->MayEdit(position_)) return false;
  std::string old = std::exchange(name_, name);
  if (data->RewriteName(*this)) return Edited(*data);
  name_ = std::move(old);
  return false;
}

bool XmlElement::SetContent(const std::string& text) {
  if (!IsXmlText(text)) return false;
  XmlData* data = Current();
  if (data == nullptr) {
    if (fromDocument_) return false;
    content_ = text;
    return true;
  }
  // An element declared EMPTY is written without content: the text would be lost.
  if ((IsEmpty() && !text.empty()) || !data->MayEdit(position_)) return false;
  std::string old = std::exchange(content_, text);
  if (data->RewriteContent(*this)) return Edited(*data);
  content_ = std::move(old);
  return false;
}

bool XmlElement::ReplaceXML(const std::string& xml) {
  XmlData* data = Current();
  if (data == nullptr || !IsXmlText(xml) || !data->MayEdit(position_)) return false;
  // Not Edited: this object's snapshot does not describe the new text either.
  return data->ReplaceElementXML(*this, xml);
}

bool XmlElement::RewriteStartTag() {
  XmlData* data = Current();
  if (data == nullptr) return !fromDocument_;
  return data->MayEdit(position_) && data->RewriteStartTag(*this) && Edited(*data);
}

bool XmlElement::Edited(XmlData& data) {
  data.tree_.Touch(entry_);
  stamp_ = data.tree_[entry_].Stamp;
  return true;
}

}  // namespace xml
