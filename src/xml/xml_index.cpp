#include "xml_index.h"

namespace xml {

void XmlIndexTree::Reset() {
  entries_.clear();
  slots_.clear();
  entries_.emplace_back();
}

int32_t XmlIndexTree::ChildAt(int32_t id, int32_t i) const {
  if (!Alive(id)) return kNoEntry;
  const IndexEntry& e = entries_[id];
  if (i < 0 || i >= e.ChildCount) return kNoEntry;
  return slots_[e.FirstSlot + i];
}

void XmlIndexTree::MoveEntry(int32_t id, int32_t delta) {
  if (!Alive(id) || delta == 0) return;
  std::vector<int32_t> todo{id};
  while (!todo.empty()) {
    IndexEntry& e = entries_[todo.back()];
    todo.pop_back();
    e.StartPos += delta;
    e.StartTagEnd += delta;
    if (e.EndPos != 0) e.EndPos += delta;
    for (int32_t i = 0; i < e.ChildCount; ++i) todo.push_back(slots_[e.FirstSlot + i]);
  }
}

void XmlIndexTree::ShiftFrom(int32_t from, int32_t delta) {
  if (delta == 0) return;
  // Dead entries move too; nothing reads them, and one pass without branches
  // on liveness is the cheapest way over a large index.
  for (IndexEntry& e : entries_) {
    if (e.StartPos >= from) e.StartPos += delta;
    if (e.StartTagEnd + 1 >= from) e.StartTagEnd += delta;
    if (e.EndPos != 0 && e.EndPos >= from) e.EndPos += delta;
  }
}

void XmlIndexTree::RemoveChildren(int32_t id) {
  if (!Alive(id)) return;
  std::vector<int32_t> todo;
  IndexEntry& top = entries_[id];
  todo.reserve(top.ChildCount);
  for (int32_t i = 0; i < top.ChildCount; ++i) todo.push_back(slots_[top.FirstSlot + i]);
  top.ChildCount = 0;
  while (!todo.empty()) {
    IndexEntry& e = entries_[todo.back()];
    todo.pop_back();
    e.Parent = kDead;
    for (int32_t i = 0; i < e.ChildCount; ++i) todo.push_back(slots_[e.FirstSlot + i]);
    e.ChildCount = 0;
  }
}

int32_t XmlIndexTree::AddChild(int32_t parent) {
  IndexEntry e;
  e.Parent = parent;
  e.Level = entries_[parent].Level + 1;
  entries_.push_back(e);
  ++entries_[parent].ChildCount;
  return Size() - 1;
}

void XmlIndexTree::Truncate(int32_t first) {
  if (first < 1 || first >= Size()) return;
  for (int32_t id = first; id < Size(); ++id) {
    const int32_t p = entries_[id].Parent;
    if (p >= 0 && p < first) --entries_[p].ChildCount;
  }
  entries_.resize(first);
}

void XmlIndexTree::Finish(int32_t top, int32_t first) {
  // Give every parent its run of slots, then fill the runs in document order,
  // counting each parent's children again as they are placed.
  auto place = [this](IndexEntry& e) {
    e.FirstSlot = static_cast<int32_t>(slots_.size());
    slots_.resize(slots_.size() + e.ChildCount);
    e.ChildCount = 0;
  };
  place(entries_[top]);
  for (int32_t id = first; id < Size(); ++id) place(entries_[id]);
  for (int32_t id = first; id < Size(); ++id) {
    IndexEntry& p = entries_[entries_[id].Parent];
    slots_[p.FirstSlot + p.ChildCount++] = id;
  }
}

void XmlIndexTree::Graft(int32_t id, const XmlIndexTree& sub, int32_t delta) {
  RemoveChildren(id);
  const int32_t base = Size() - 1;  // sub's entry k > 0 becomes base + k
  const auto slotBase = static_cast<int32_t>(slots_.size());
  auto adopt = [&](IndexEntry e) {
    e.StartPos += delta;
    e.StartTagEnd += delta;
    if (e.EndPos != 0) e.EndPos += delta;
    e.FirstSlot += slotBase;
    return e;
  };
  const int32_t parent = entries_[id].Parent;
  const int32_t level = entries_[id].Level;
  entries_[id] = adopt(sub.entries_[0]);
  entries_[id].Parent = parent;
  entries_[id].Level = level;
  Touch(id);
  for (int32_t k = 1; k < sub.Size(); ++k) {
    IndexEntry e = adopt(sub.entries_[k]);
    e.Parent = e.Parent == 0 ? id : e.Parent + base;
    e.Level += level;
    entries_.push_back(e);
  }
  for (int32_t s : sub.slots_) slots_.push_back(s + base);
}

}  // namespace xml
