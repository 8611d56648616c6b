#pragma once
// Editing installed into the book window: the album's undo stack, the
// editing commands (ChapterEditor) behind the Editing actions and Undo/Redo,
// the image properties dialog, edit mode's selection, and the mouse drag of
// the selected images with its drop marker and files dropped from the
// desktop (a BrowserInput).
//
// The image drag stays inside the window: pages do not turn during it, so
// the press, the moves and the release of the left button are the whole
// gesture. Files pasted from a file manager go in like dropped ones. Files
// dropped outside edit mode open an album, format or data
// file as the command line does; anything else dropped there is ignored.

#include <QObject>
#include <functional>
#include <memory>

#include "browser/browser_input.h"
#include "browser/editing.h"
#include "core/chapter_undo.h"
#include "dialogs/pic_details.h"

class QAction;
class AlbumBrowser;

// What editing needs of browsing: the hit test and the selection change
// (which also brings the selection into view and informs the dialog).
struct EditHooks {
  std::function<int(QPoint)> ImageAt;
  std::function<void(int, int)> SelectRange;
};

class EditWindow : public QObject, public BrowserInput, public DetailsHost {
 public:
  // Installs editing into window; a child of window, it lives as long. Made
  // before browsing, so a drag's release reaches it first.
  explicit EditWindow(AlbumBrowser& window);

  void SetHooks(EditHooks hooks) { hooks_ = std::move(hooks); }
  AlbumUndo& Undo() { return undo_; }
  ChapterEditor& Editor() { return editor_; }
  // The image properties dialog, made when first needed: start-up does not
  // wait for a window it does not show.
  PicDetailsDialog& Details();
  bool DetailsShowing() const { return details_ != nullptr && details_->IsShowing(); }
  // The image the drag would drop on (-1: none, or not accepted).
  int DragIndex() const { return dragIndex_; }

  // DetailsHost
  void SelectRange(int a, int b) override;
  ThumbnailList MakeThumbnails(const QStringList& files) override;

  // BrowserInput
  bool LeftButtonMove(QPoint press, QPoint p) override;
  bool MouseRelease(BookCursor cursor, QPoint p, Qt::MouseButton button,
                    Qt::KeyboardModifiers modifiers) override;
  bool DragEnter(QDragEnterEvent& event) override;
  bool DragMove(QDragMoveEvent& event) override;
  bool Drop(QDropEvent& event) override;
  void PaintOver(QPainter& painter) override;

 private:
  void ConnectActions();
  void OnEditMode(bool on);
  // Whether the spread on screen shows at least one selected image.
  bool SelectionShown() const;
  // Shows chapter k after a change: its spread (held to the chapter's last),
  // thumbnails made again when the change left them unfit, the selection.
  void ShowChange(int k);
  void UpdateUndoActions();
  AlbumModel& Model() const;
  ViewState& View() const;
  // image_drag.cpp
  void EndDrag();
  // find_missing.cpp: the offer after opening, and the command.
  void OfferFindMissing();
  void FindMissingExecute();
  // Paste takes what was copied last: the pictures a file manager put on the
  // system clipboard after the last Copy or Cut here, else the images here.
  void SystemClipboardChanged();
  void PasteExecute();

  AlbumBrowser& window_;
  AlbumUndo undo_;
  ChapterEditor editor_;
  PicDetailsDialog* details_ = nullptr;
  EditHooks hooks_;
  QAction* undoAction_ = nullptr;
  QAction* redoAction_ = nullptr;
  bool dragging_ = false;
  int dragIndex_ = -1;
  int systemPictures_ = 0;  // on the system clipboard, copied after the images here
};
