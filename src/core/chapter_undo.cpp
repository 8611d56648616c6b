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
      : QUndoCommand(text), owner_(owner), k_(k), before_(SelectionOf(owner.View())) {}

  void redo() final {
    const IndexMap map = Do();
    if (!afterKnown_) {
      after_ = SelectionAfter();
      afterKnown_ = true;
    }
    SetSelection(owner_.View(), after_);
    owner_.AfterChange(k_, map);
  }
  void undo() final {
    const IndexMap map = Undo();
    SetSelection(owner_.View(), before_);
    owner_.AfterChange(k_, map);
  }

 protected:
  virtual IndexMap Do() = 0;
  virtual IndexMap Undo() = 0;
  // The selection after the first Do.
  virtual SelectionRange SelectionAfter() const = 0;

  AlbumModel& Model() { return owner_.Model(); }
  const AlbumModel& Model() const { return owner_.Model(); }
  AlbumThumbnails& Thumbs() { return owner_.Thumbs(); }
  const ViewState& View() const { return owner_.View(); }

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
    InsertEntries(Model(), Thumbs(), k_, position_, block_);
    return {IndexMap::Insert, position_, block_.Count(), 0};
  }
  IndexMap Undo() override {
    block_ = TakeEntries(Model(), Thumbs(), k_, position_, block_.Count());
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
    block_ = TakeEntries(Model(), Thumbs(), k_, first_, count_);
    return {IndexMap::Remove, first_, count_, 0};
  }
  IndexMap Undo() override {
    InsertEntries(Model(), Thumbs(), k_, first_, block_);
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
    MoveEntries(Model(), Thumbs(), k_, first_, count_, to_);
    return {IndexMap::Move, first_, count_, to_};
  }
  IndexMap Undo() override {
    MoveEntries(Model(), Thumbs(), k_, to_, count_, first_);
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
  SelectionRange SelectionAfter() const override { return SelectionOf(View()); }

 private:
  // Doing and undoing both exchange the chapter's details and the changed
  // thumbnails with the ones this step holds.
  IndexMap Swap() {
    AlbumModel& model = Model();
    AlbumThumbnails& thumbs = Thumbs();
    ImageEdits::Swap(model, k_, other_);
    if (ThumbnailsParallel(model, thumbs, k_) && thumbnails_.size() == changed_.size()) {
      for (int n = 0; n < changed_.size(); ++n) {
        const int i = changed_[n];
        if (i >= 0 && i < thumbs.Lists[k_].size()) std::swap(thumbs.Lists[k_][i], thumbnails_[n]);
      }
    } else {
      thumbs.Drop(k_);
    }
    return {};
  }

  ImageList other_;
  QList<int> changed_;
  ThumbnailList thumbnails_;
};

// New files for images of several chapters. Not a macro of Replace steps:
// each would report its chapter, and the window would show each in turn.
class RelinkCommand : public QUndoCommand {
 public:
  RelinkCommand(AlbumUndo& owner, const QList<Relinked>& relinks, const QString& text)
      : QUndoCommand(text), owner_(owner) {
    for (const Relinked& r : relinks) {
      auto part = std::find_if(parts_.begin(), parts_.end(),
                               [&r](const Part& p) { return p.K == r.Chapter; });
      if (part == parts_.end())
        part = parts_.insert(parts_.end(), Part{r.Chapter, owner.Model().Images(r.Chapter), {}});
      part->Other[r.Index].File = r.NewFile;
      part->Changed << r.Index;
    }
  }
  void redo() override { Swap(); }
  void undo() override { Swap(); }

 private:
  struct Part {
    int K;
    ImageList Other;  // the chapter's images before or after the step
    QList<int> Changed;
  };

  void Swap() {
    QList<int> chapters;
    for (Part& part : parts_) {
      ImageEdits::Swap(owner_.Model(), part.K, part.Other);
      AlbumThumbnails& thumbs = owner_.Thumbs();
      if (ThumbnailsParallel(owner_.Model(), thumbs, part.K)) {
        for (int i : part.Changed) thumbs.Lists[part.K][i] = Thumbnail();
      } else {
        thumbs.Drop(part.K);
      }
      chapters << part.K;
    }
    owner_.AfterChanges(chapters);
  }

  AlbumUndo& owner_;
  QList<Part> parts_;
};

}  // namespace

SelectionRange SelectionOf(const ViewState& view) { return {view.SelStart, view.SelEnd}; }

void SetSelection(ViewState& view, SelectionRange selection) {
  view.SelStart = selection.Start;
  view.SelEnd = selection.End;
}

AlbumUndo::AlbumUndo(OpenAlbum& album, QObject* parent) : QObject(parent), album_(album) {
  // Either may go first (the window's model goes before the window's children).
  album_.Model.SetReplacedListener([self = QPointer<AlbumUndo>(this)] {
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
  if (k < 0 || k >= MaxDataFiles || first < 0 || count <= 0 ||
      first + count > album_.Model.ImageCount(k))
    return;
  stack_.push(new RemoveCommand(*this, k, first, count, text));
}

void AlbumUndo::Move(int k, int first, int count, int to, const QString& text) {
  const int size = album_.Model.ImageCount(k);
  if (k < 0 || k >= MaxDataFiles || count <= 0 || first < 0 || to < 0 || first == to ||
      first + count > size || to + count > size)
    return;
  stack_.push(new MoveCommand(*this, k, first, count, to, text));
}

void AlbumUndo::Replace(int k, const ImageList& data, const QList<int>& changed,
                        const ThumbnailList& thumbnails, const QString& text) {
  if (k < 0 || k >= MaxDataFiles || data.size() != album_.Model.ImageCount(k) ||
      data == album_.Model.Images(k))
    return;
  stack_.push(new ReplaceCommand(*this, k, data, changed, thumbnails, text));
}

void AlbumUndo::Relink(const QList<Relinked>& relinks, const QString& text) {
  for (const Relinked& r : relinks)
    if (r.Chapter < 0 || r.Chapter >= MaxDataFiles || r.Index < 0 ||
        r.Index >= album_.Model.ImageCount(r.Chapter))
      return;
  if (!relinks.isEmpty()) stack_.push(new RelinkCommand(*this, relinks, text));
}

void AlbumUndo::AfterChanges(const QList<int>& chapters) {
  for (int k : chapters) UpdateModified(k);
  if (chapters.contains(album_.View.CurrentChapter))
    emit ChapterChanged(album_.View.CurrentChapter, IndexMap());
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
  album_.Model.UpdateModified(k);
  if (pending_[static_cast<std::size_t>(k)])
    album_.Model.DataModified[static_cast<std::size_t>(k)] = true;
}
