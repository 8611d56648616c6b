#pragma once
// The editing commands on the current chapter: add, insert, delete, cut,
// copy, paste, and moving the selected run by dragging it. Every change is
// one undo step (AlbumUndo), keeps the images and their thumbnails
// in step, marks the chapter modified and selects the changed images; the
// window shows the result when AlbumUndo reports the change. Image files on
// disk are never touched: the album only refers to them.
//
// Where a position is needed and the selection or the drop point gives none
// (-1), images go to the chapter's end. Chosen and dropped files keep the
// order they come in.

#include <QString>
#include <QStringList>
#include <functional>

#include "book/thumbnail_batch.h"
#include "core/chapter_block.h"

class AlbumUndo;
class Prompts;

// The selected images that exist, in ascending order; Count 0 when none.
struct ImageRun {
  int First = 0;
  int Count = 0;
  int Last() const { return First + Count - 1; }
  bool Contains(int i) const { return Count > 0 && i >= First && i <= Last(); }
};
ImageRun SelectedRun(const AlbumModel& model, const ViewState& view);

// Which side of the target cell the drop marker is drawn on.
enum class DropSide { None, Left, Right };

class ChapterEditor {
 public:
  // Makes the thumbnails of files about to be added, in order, and reads
  // their details when the setting asks for it.
  using ImageMaker = std::function<NewImages(const QStringList& files)>;

  ChapterEditor(AlbumUndo& undo, Prompts& prompts, ImageMaker makeImages);

  // The internal clipboard: it lives as long as the editor (the whole run),
  // so it survives New and Open; only Copy and Cut replace it.
  const ChapterBlock& Clipboard() const { return clipboard_; }

  // The open dialog (several files, image and video filters) at the
  // chapter's image folder, then AddImages or InsertImages at SelEnd.
  void AddPicturesExecute(bool insert, const QString& title);
  void AddImages(const QStringList& names);
  void InsertImages(int position, const QStringList& names);
  // Removes the selection, after asking when confirm is set.
  void DeletePicturesExecute(bool confirm);
  void CopyExecute();
  // Copy, then delete; a Cancel in the question keeps the images (and the
  // clipboard's new content).
  void CutExecute(bool confirm);
  // Inserts the clipboard in front of SelEnd.
  void PasteExecute();
  // Inserts files (copied in a file manager) in front of SelEnd.
  void PasteFiles(const QStringList& names);

  // The image drag: a drop on target moves the selected run next to it.
  // Only an existing image outside the selection accepts the drop.
  bool DropAccepted(int target) const;
  DropSide MarkerSide(int target) const;
  void DropSelection(int target);

 private:
  AlbumModel& Model() const;
  ViewState& View() const;
  int Chapter() const;
  void InsertFiles(int position, const QStringList& names, const QString& text);

  AlbumUndo& undo_;
  Prompts& prompts_;
  ImageMaker makeImages_;
  ChapterBlock clipboard_;
};
