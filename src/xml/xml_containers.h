#pragma once
// The containers of the XML parser: sorted lists of names with their records,
// the lists of declarations, the attributes of a tag and the stack of the
// entity texts being scanned.

#include <algorithm>
#include <cstddef>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "xml_definitions.h"

namespace xml {

class XmlParser;

// A list kept sorted by Name (byte order, case-sensitive) for binary search.
// A node added under a name already present goes in front of the nodes of
// that name, so FindNode returns the one added last. Pointers and references
// to nodes stay valid only until the list changes.
template <class T>
class SortedList {
 public:
  size_t Count() const { return count_; }
  bool Empty() const { return count_ == 0; }
  T& operator[](size_t i) { return nodes_[i]; }
  const T& operator[](size_t i) const { return nodes_[i]; }
  T* begin() { return nodes_.data(); }
  T* end() { return nodes_.data() + count_; }
  const T* begin() const { return nodes_.data(); }
  const T* end() const { return nodes_.data() + count_; }

  T& AddSorted(T node) {
    const size_t pos = LowerBound(node.Name);
    if (count_ < nodes_.size()) {
      nodes_[count_] = std::move(node);
    } else {
      nodes_.push_back(std::move(node));
    }
    std::rotate(nodes_.begin() + pos, nodes_.begin() + count_, nodes_.begin() + count_ + 1);
    ++count_;
    return nodes_[pos];
  }

  // Puts the node in place of the one FindNode returns for its name, or
  // adds it when there is none; the same as Remove then AddSorted.
  T& AddOrReplace(T node) {
    const size_t i = IndexOf(node.Name);
    if (i == npos) return AddSorted(std::move(node));
    nodes_[i] = std::move(node);
    return nodes_[i];
  }

  // The position of the node FindNode returns, or npos.
  size_t IndexOf(std::string_view name) const {
    const size_t pos = LowerBound(name);
    return pos < count_ && nodes_[pos].Name == name ? pos : npos;
  }
  T* FindNode(std::string_view name) {
    const size_t i = IndexOf(name);
    return i == npos ? nullptr : &nodes_[i];
  }
  const T* FindNode(std::string_view name) const {
    const size_t i = IndexOf(name);
    return i == npos ? nullptr : &nodes_[i];
  }

  // The i-th name in sorted order; empty when i is out of range.
  const std::string& NameAt(size_t i) const { return i < count_ ? nodes_[i].Name : Empty_(); }

  void RemoveAt(size_t i) {
    nodes_.erase(nodes_.begin() + i);
    --count_;
  }
  // Removes the node FindNode would return; false when there is none.
  bool Remove(std::string_view name) {
    const size_t i = IndexOf(name);
    if (i == npos) return false;
    RemoveAt(i);
    return true;
  }
  void Clear() {
    nodes_.clear();
    count_ = 0;
  }

  static constexpr size_t npos = static_cast<size_t>(-1);

 protected:
  size_t LowerBound(std::string_view name) const {
    size_t lo = 0;
    size_t hi = count_;
    while (lo < hi) {
      const size_t mid = lo + (hi - lo) / 2;
      if (std::string_view(nodes_[mid].Name) < name) {
        lo = mid + 1;
      } else {
        hi = mid;
      }
    }
    return lo;
  }
  static const std::string& Empty_() {
    static const std::string empty;
    return empty;
  }

  // nodes_[count_..] are spare nodes kept for their string capacity.
  std::vector<T> nodes_;
  size_t count_ = 0;

  friend class XmlParser;
};

// Declarations by name, in name order. A document may declare many thousands,
// so lookup and insertion take logarithmic time. As in SortedList, a node
// added under a name already present goes in front of the nodes of that name,
// and FindNode returns the one added last. Nodes stay where they are (and
// pointers to them valid) until they are removed.
template <class T>
class DefList {
  using Map = std::multimap<std::string, T, std::less<>>;

  template <class It, class V>
  class Iter {
   public:
    using iterator_category = std::bidirectional_iterator_tag;
    using value_type = std::remove_const_t<V>;
    using difference_type = std::ptrdiff_t;
    using pointer = V*;
    using reference = V&;
    Iter() = default;
    explicit Iter(It it) : it_(it) {}
    V& operator*() const { return it_->second; }
    V* operator->() const { return &it_->second; }
    Iter& operator++() {
      ++it_;
      return *this;
    }
    bool operator==(const Iter& o) const { return it_ == o.it_; }
    bool operator!=(const Iter& o) const { return it_ != o.it_; }

   private:
    It it_{};
  };

 public:
  using iterator = Iter<typename Map::iterator, T>;
  using const_iterator = Iter<typename Map::const_iterator, const T>;

  size_t Count() const { return map_.size(); }
  bool Empty() const { return map_.empty(); }
  iterator begin() { return iterator(map_.begin()); }
  iterator end() { return iterator(map_.end()); }
  const_iterator begin() const { return const_iterator(map_.begin()); }
  const_iterator end() const { return const_iterator(map_.end()); }
  // The first node in name order; the list must not be empty.
  T& Front() { return map_.begin()->second; }

  T& AddSorted(T node) {
    std::string key = node.Name;
    const auto hint = map_.lower_bound(key);
    return map_.emplace_hint(hint, std::move(key), std::move(node))->second;
  }
  // Puts the node in place of the one FindNode returns for its name, or adds
  // it when there is none.
  T& AddOrReplace(T node) {
    const auto it = map_.lower_bound(node.Name);
    if (it == map_.end() || it->first != node.Name) return AddSorted(std::move(node));
    it->second = std::move(node);
    return it->second;
  }
  T* FindNode(std::string_view name) {
    const auto it = map_.lower_bound(name);
    return it != map_.end() && it->first == name ? &it->second : nullptr;
  }
  const T* FindNode(std::string_view name) const {
    const auto it = map_.lower_bound(name);
    return it != map_.end() && it->first == name ? &it->second : nullptr;
  }
  // Removes the node FindNode would return; false when there is none.
  bool Remove(std::string_view name) {
    const auto it = map_.lower_bound(name);
    if (it == map_.end() || it->first != name) return false;
    map_.erase(it);
    return true;
  }
  void Clear() { map_.clear(); }

 private:
  Map map_;
};

using NvpList = SortedList<NvpNode>;
using AttrDefList = DefList<AttrDef>;
using EntityList = DefList<EntityDef>;
using NotationList = DefList<NotationDef>;

// The attributes of the current tag, always in name order.
class AttrList : public SortedList<Attr> {
 public:
  // The value of the attribute of that name, or an empty string.
  const std::string& ValueOf(std::string_view name) const {
    const Attr* a = FindNode(name);
    return a != nullptr ? a->Value : Empty_();
  }
};

// A declared element: its content model without whitespace and its
// attribute definitions in name order.
struct ElemDef {
  std::string Name;
  std::string Definition;
  ElemContentType ElemType = etAny;
  AttrDefList Attributes;
};

using ElemList = DefList<ElemDef>;

// One entity whose text is being scanned. Begin/End is that text: a copy of
// an internal entity's replacement text (UTF-8) or the text of Instance.
struct OpenEntity {
  std::unique_ptr<XmlParser> Instance;
  std::string SavedEncoding;
  const char* ReturnPos = nullptr;
  std::string Text;
  const char* Begin = nullptr;
  const char* End = nullptr;
  bool Utf8 = false;
};

// The entities being scanned, innermost last.
class OpenEntities {
 public:
  bool Empty() const { return nodes_.empty(); }
  size_t Depth() const { return nodes_.size(); }
  const OpenEntity& Top() const { return *nodes_.back(); }

 private:
  std::vector<std::unique_ptr<OpenEntity>> nodes_;
  friend class XmlParser;
};

}  // namespace xml
