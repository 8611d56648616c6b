#pragma once
// Undo and redo of every change to a chapter's images: one QUndoStack for the
// album, one command per user command. Each command restores the images,
// the thumbnails and the selection exactly. The steps are the only changes of
// the images besides opening or making an album, which the model reports and
// which clears the stack: a step never acts on images it does not know. Afterwards the chapter
// counts as modified exactly while its data file would differ from what was last read or written
// (AlbumModel::SavedFiles): its title, folder and links count as much as its images, so undoing an
// image edit never hides a change made elsewhere, and a save in between is what the chapter is
// compared with.

#include <QObject>
#include <QUndoStack>
#include <array>

#include "core/chapter_block.h"

// Image Index of chapter Chapter now is the file NewFile.
struct Relinked {
  int Chapter = 0;
  int Index = 0;
  QString NewFile;
};

class AlbumUndo : public QObject {
  Q_OBJECT

 public:
  explicit AlbumUndo(OpenAlbum& album, QObject* parent = nullptr);

  QUndoStack& Stack() { return stack_; }
  AlbumModel& Model() { return album_.Model; }
  ViewState& View() { return album_.View; }
  AlbumThumbnails& Thumbs() { return album_.Thumbs; }

  // Forgets every step: another album was opened or made.
  void Clear();
  void Undo() { stack_.undo(); }
  void Redo() { stack_.redo(); }

  // Each of these makes one step and does it at once. The selection
  // afterwards is the changed images; Remove selects the image after the
  // removed run, or the new last image.
  void Insert(int k, int position, const ChapterBlock& block, const QString& text);
  void Remove(int k, int first, int count, const QString& text);
  void Move(int k, int first, int count, int to, const QString& text);
  // Replaces the details of chapter k (same number of images); thumbnails
  // holds a new thumbnail for each image whose file changed, by index.
  void Replace(int k, const ImageList& data, const QList<int>& changed,
               const ThumbnailList& thumbnails, const QString& text);

  // Gives images of any chapter new files, as one step; their thumbnails
  // are made again when shown. The selection stays.
  void Relink(const QList<Relinked>& relinks, const QString& text);

  // Edits of chapter k not yet applied (the image properties dialog's)
  // count as a change of the chapter until they are applied or dropped.
  void SetPendingEdits(int k, bool pending);

  // After every change of chapter k's images, done, undone or redone.
  void AfterChange(int k, const IndexMap& map);
  // After a step over several chapters: each is marked as it now stands,
  // and only the current chapter is shown again.
  void AfterChanges(const QList<int>& chapters);

 signals:
  // The images of chapter k changed; map tells where each former image went.
  // The model's selection is already the one to show.
  void ChapterChanged(int k, const IndexMap& map);
  // Clear() ran.
  void Cleared();

 private:
  OpenAlbum& album_;
  QUndoStack stack_;
  std::array<bool, MaxDataFiles> pending_{};

  void UpdateModified(int k);
};

// The view's selection (SelStart, SelEnd).
struct SelectionRange {
  int Start = 0;
  int End = -1;
};
SelectionRange SelectionOf(const ViewState& view);
void SetSelection(ViewState& view, SelectionRange selection);
