#pragma once
// The element index of an open document: one IndexEntry entry per element with
// the byte offsets of its start and end tag in the file. Entries live in one
// flat array (a large album's index is a few tens of bytes per element) and
// are named by their number; the children of an entry are a run of numbers in
// a second array, so ChildAt is a plain lookup.
//
// Offsets, all counted from the start of the file:
//   StartPos     the element's '<', moved back over the tabs and spaces right
//                before it (the line's indentation);
//   StartTagEnd  the start tag's '>', moved forward over the CR and LF bytes
//                right after it: the start tag line is [StartPos, StartTagEnd];
//   EndPos       one past the end tag's '>' and the CR and LF bytes right after
//                it: the element is [StartPos, EndPos). 0 for an element written
//                as an empty-element tag, which is [StartPos, StartTagEnd].

#include <cstddef>
#include <cstdint>
#include <vector>

namespace xml {

class DtdElement;

constexpr int32_t kNoEntry = -1;

struct IndexEntry {
  int32_t StartPos = 0;
  int32_t StartTagEnd = 0;
  int32_t EndPos = 0;
  int32_t Parent = kNoEntry;
  int32_t ChildCount = 0;
  int32_t FirstSlot = 0;  // where the numbers of its children begin in the slot array
  int32_t Level = 0;      // number of ancestors, kept so that nothing walks to the root
  // Changes whenever the element's own bytes are rewritten, so that an element
  // object made before can tell that it no longer matches the file.
  uint32_t Stamp = 0;
  const DtdElement* DTDElement = nullptr;  // the declaration it was checked against

  // Where the element's bytes end (exclusive), for both forms of element.
  int32_t End() const { return EndPos != 0 ? EndPos : StartTagEnd + 1; }
};

class XmlIndexTree {
 public:
  // Empties the tree and makes a root entry (number 0) with zero offsets.
  void Reset();
  // Empties the tree (no entry at all).
  void Clear() {
    entries_.clear();
    entries_.shrink_to_fit();
    slots_.clear();
    slots_.shrink_to_fit();
  }
  bool Empty() const { return entries_.empty(); }
  int32_t Size() const { return static_cast<int32_t>(entries_.size()); }

  // True for an entry that is part of the tree (removed entries stay dead).
  bool Alive(int32_t id) const {
    return id >= 0 && id < Size() && (id == 0 || entries_[id].Parent != kDead);
  }
  IndexEntry& operator[](int32_t id) { return entries_[id]; }
  const IndexEntry& operator[](int32_t id) const { return entries_[id]; }

  // The i-th child of an entry, or kNoEntry when i is out of range.
  int32_t ChildAt(int32_t id, int32_t i) const;
  // Number of ancestors of an entry.
  int32_t Depth(int32_t id) const { return entries_[id].Level; }
  // Marks an entry's bytes as rewritten (see IndexEntry::Stamp).
  void Touch(int32_t id) { entries_[id].Stamp = ++stamps_; }

  // Adds delta to every offset of the entry and of all its descendants.
  void MoveEntry(int32_t id, int32_t delta);
  // After the bytes [from - removed, from) of the file were replaced by a text
  // longer by delta: every offset at or behind `from` moves by delta.
  void ShiftFrom(int32_t from, int32_t delta);
  // Drops every descendant of an entry from the tree.
  void RemoveChildren(int32_t id);

  // Building. Entries are added in document order below an entry whose
  // children are being built; Finish makes the child runs of all entries
  // added since `first` (and of their parent `top`) once the build is complete.
  int32_t AddChild(int32_t parent);
  void Reserve(int32_t entries) {
    entries_.reserve(entries_.size() + static_cast<size_t>(entries));
  }
  // Forgets the entries from number `first` on (a build that is abandoned).
  void Truncate(int32_t first);
  void Finish(int32_t top, int32_t first);

  // Copies a finished tree below entry `id`: sub's root becomes `id` itself (its
  // offsets moved by delta), its descendants become new entries.
  void Graft(int32_t id, const XmlIndexTree& sub, int32_t delta);

 private:
  static constexpr int32_t kDead = -2;
  std::vector<IndexEntry> entries_;
  std::vector<int32_t> slots_;
  uint32_t stamps_ = 0;
};

}  // namespace xml
