#include "chapter_undo.h"

#include <QPointer>
#include <QUndoCommand>
#include <algorithm>
#include <utility>

namespace {

// What every step shares: the chapter, the selection before and after, and
// the modified flag after each direction.
class ChapterCommand : public QUndoCommand {
 public:
  ChapterCommand(AlbumUndo& owner, int k, const QString& text)
      : QUndoCommand(text), owner_(owner), k_(k), before_(SelectionOf(owner.Model())) {}

  void redo() final {
    const IndexMap map = Do();
    if (!afterKnown_) {
      after_ = SelectionAfter();
      afterKnown_ = true;
    }
    SetSelection(owner_.Model(), after_);
    owner_.AfterChange(k_, map);
  }
  void undo() final {
    const IndexMap map = Undo();
    SetSelection(owner_.Model(), before_);
    owner_.AfterChange(k_, map);
  }

 protected:
  virtual IndexMap Do() = 0;
  virtual IndexMap Undo() = 0;
  // The selection after the first Do.
  virtual SelectionRange SelectionAfter() const = 0;

  AlbumModel& Model() { return owner_.Model(); }
  const AlbumModel& Model() const { return owner_.Model(); }

  AlbumUndo& owner_;
  const int k_;

 private:
  SelectionRange before_;
  SelectionRange after_;
  bool afterKnown_ = false;
};

class InsertCommand : public ChapterCommand {
 public:
  InsertCommand(AlbumUndo& owner, int k, int position, ChapterBlock block, const QString& text)
      : ChapterCommand(owner, k, text), block_(std::move(block)) {
    const int count = owner.Model().ImageCount(k);
    position_ = position < 0 || position > count ? count : position;
  }

 protected:
  IndexMap Do() override {
    InsertEntries(Model(), k_, position_, block_);
    return {IndexMap::Insert, position_, block_.Count(), 0};
  }
  IndexMap Undo() override {
    block_ = TakeEntries(Model(), k_, position_, block_.Count());
    return {IndexMap::Remove, position_, block_.Count(), 0};
  }
  SelectionRange SelectionAfter() const override {
    return {position_, position_ + block_.Count() - 1};
  }

 private:
  ChapterBlock block_;
  int position_;
};

class RemoveCommand : public ChapterCommand {
 public:
  RemoveCommand(AlbumUndo& owner, int k, int first, int count, const QString& text)
      : ChapterCommand(owner, k, text), first_(first), count_(count) {}

 protected:
  IndexMap Do() override {
    block_ = TakeEntries(Model(), k_, first_, count_);
    return {IndexMap::Remove, first_, count_, 0};
  }
  IndexMap Undo() override {
    InsertEntries(Model(), k_, first_, block_);
    return {IndexMap::Insert, first_, count_, 0};
  }
  // The image after the removed run, or the new last one.
  SelectionRange SelectionAfter() const override {
    const int count = Model().ImageCount(k_);
    const int i = count <= first_ ? count - 1 : first_;
    // With no image left the selection falls back to image 0, as browsing does.
    return {std::max(i, 0), std::max(i, 0)};
  }

 private:
  int first_;
  int count_;
  ChapterBlock block_;
};

class MoveCommand : public ChapterCommand {
 public:
  MoveCommand(AlbumUndo& owner, int k, int first, int count, int to, const QString& text)
      : ChapterCommand(owner, k, text), first_(first), count_(count), to_(to) {}

 protected:
  IndexMap Do() override {
    MoveEntries(Model(), k_, first_, count_, to_);
    return {IndexMap::Move, first_, count_, to_};
  }
  IndexMap Undo() override {
    MoveEntries(Model(), k_, to_, count_, first_);
    return {IndexMap::Move, to_, count_, first_};
  }
  SelectionRange SelectionAfter() const override { return {to_, to_ + count_ - 1}; }

 private:
  int first_;
  int count_;
  int to_;
};

class ReplaceCommand : public ChapterCommand {
 public:
  ReplaceCommand(AlbumUndo& owner, int k, ImageList data, QList<int> changed,
                 ThumbnailList thumbnails, const QString& text)
      : ChapterCommand(owner, k, text),
        other_(std::move(data)),
        changed_(std::move(changed)),
        thumbnails_(std::move(thumbnails)) {}

 protected:
  IndexMap Do() override { return Swap(); }
  IndexMap Undo() override { return Swap(); }
  SelectionRange SelectionAfter() const override { return SelectionOf(Model()); }

 private:
  // Doing and undoing both exchange the chapter's details and the changed
  // thumbnails with the ones this step holds.
  IndexMap Swap() {
    AlbumModel& model = Model();
    ImageEdits::Swap(model, k_, other_);
    if (ThumbnailsParallel(model, k_) && thumbnails_.size() == changed_.size()) {
      for (int n = 0; n < changed_.size(); ++n) {
        const int i = changed_[n];
        if (i >= 0 && i < model.Thumbnails[k_].size())
          std::swap(model.Thumbnails[k_][i], thumbnails_[n]);
      }
    } else {
      model.Thumbnails[k_].clear();
      model.ThumbsLoaded[k_] = false;
    }
    return {};
  }

  ImageList other_;
  QList<int> changed_;
  ThumbnailList thumbnails_;
};

}  // namespace

SelectionRange SelectionOf(const AlbumModel& model) { return {model.SelStart, model.SelEnd}; }

void SetSelection(AlbumModel& model, SelectionRange selection) {
  model.SelStart = selection.Start;
  model.SelEnd = selection.End;
}

AlbumUndo::AlbumUndo(AlbumModel& model, QObject* parent) : QObject(parent), model_(model) {
  // Either may go first (the window's model goes before the window's children).
  model_.SetReplacedListener([self = QPointer<AlbumUndo>(this)] {
    if (self) self->Clear();
  });
}

void AlbumUndo::Clear() {
  stack_.clear();
  pending_.fill(false);
  emit Cleared();
}

void AlbumUndo::Insert(int k, int position, const ChapterBlock& block, const QString& text) {
  if (k < 0 || k >= MaxDataFiles || block.Count() == 0) return;
  stack_.push(new InsertCommand(*this, k, position, block, text));
}

void AlbumUndo::Remove(int k, int first, int count, const QString& text) {
  if (k < 0 || k >= MaxDataFiles || first < 0 || count <= 0 || first + count > model_.ImageCount(k))
    return;
  stack_.push(new RemoveCommand(*this, k, first, count, text));
}

void AlbumUndo::Move(int k, int first, int count, int to, const QString& text) {
  const int size = model_.ImageCount(k);
  if (k < 0 || k >= MaxDataFiles || count <= 0 || first < 0 || to < 0 || first == to ||
      first + count > size || to + count > size)
    return;
  stack_.push(new MoveCommand(*this, k, first, count, to, text));
}

void AlbumUndo::Replace(int k, const ImageList& data, const QList<int>& changed,
                        const ThumbnailList& thumbnails, const QString& text) {
  if (k < 0 || k >= MaxDataFiles || data.size() != model_.ImageCount(k) || data == model_.Images(k))
    return;
  stack_.push(new ReplaceCommand(*this, k, data, changed, thumbnails, text));
}

void AlbumUndo::AfterChange(int k, const IndexMap& map) {
  UpdateModified(k);
  emit ChapterChanged(k, map);
}

void AlbumUndo::SetPendingEdits(int k, bool pending) {
  if (k < 0 || k >= MaxDataFiles) return;
  pending_[static_cast<std::size_t>(k)] = pending;
  UpdateModified(k);
}

void AlbumUndo::UpdateModified(int k) {
  model_.UpdateModified(k);
  if (pending_[static_cast<std::size_t>(k)])
    model_.DataModified[static_cast<std::size_t>(k)] = true;
}
