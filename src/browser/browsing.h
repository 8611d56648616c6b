#pragma once
// Browsing the book with the mouse and the keyboard: turning pages, jumping
// to bookmarks, opening images, the selection and the letters that name the
// visible thumbnails.
//
// BookBrowsing is installed into the book window as a BrowserInput; the
// operations below work on the album model, the book's look and the
// book alone, so they are tested without a window. Every change of spread
// goes through BookView::ShowSpread, which ignores targets out of range.

#include <QPoint>
#include <optional>

#include "browser/browse_host.h"
#include "browser/browse_zones.h"
#include "browser/browser_input.h"
#include "browser/pending_click.h"

class BookView;
class AlbumModel;
struct ViewState;

class BookBrowsing : public BrowserInput {
 public:
  BookBrowsing(BookView& book, BrowseHost& host);

  // The image of the current chapter under the window point (x, y); -1 when
  // none: the book closed, a margin, the spine, an empty cell.
  int ImageAt(int x, int y) const;
  int ImageAt(QPoint p) const { return ImageAt(p.x(), p.y()); }
  // Selects a..b (b is the moving end) and shows the spread holding b.
  void SelectRange(int a, int b);
  // One spread forward or back; bySelection moves the selection by a page
  // instead (extend keeps SelStart), turning only when it runs out.
  void TurnPage(bool forward, bool bySelection, bool extend);
  // Chapter k at its first or last spread; k = -1 opens chapter 0.
  void ShowChapter(int k, bool atEnd);
  // The image a letter key opens on the current spread, -1 for none.
  int ImageForLetterKey(int key) const;

  // The zone state of the current view.
  ZoneState Zones() const;
  // A click on a thumbnail waits to see whether a second click makes it a
  // double click; true while it waits.
  bool IsClickPending() const { return click_.IsPending(); }

  // The commands behind the actions ShowPicture, ShowDetails and GotoPage.
  // (ShowLetters flips its own checked state; the window then repaints.)
  void ShowPictureCommand();
  void ShowDetailsCommand();
  void GotoPageCommand();

  bool CursorAt(QPoint p, BookCursor& cursor) override;
  bool MouseRelease(BookCursor cursor, QPoint p, Qt::MouseButton button,
                    Qt::KeyboardModifiers modifiers) override;
  bool MousePress(QPoint p, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) override;
  bool DoubleClick(QPoint p) override;
  bool KeyDown(QKeyEvent& event) override;
  bool Wheel(QWheelEvent& event) override;
  void PaintOver(QPainter& painter) override;

 private:
  AlbumModel& Model() const;
  ViewState& View() const;
  int LastSpread(int chapter) const;
  void BookmarkBack(QPoint p);
  void BookmarkForward(QPoint p);
  // A single click on a thumbnail, once it is sure to be no double click.
  void OpenClicked(QPoint p);
  // The keys of the edit-mode selection; the new moving end or -1.
  int SelectionKey(int key, bool shift, bool& handled);

  BookView& book_;
  BrowseHost& host_;
  PendingClick click_;
  // Where the held click went: ShowPicture opens the image there rather
  // than under the pointer, which may have moved on.
  std::optional<QPoint> clickedAt_;
  // The image clicked: a page turned meanwhile leaves another under the point.
  int clickedChapter_ = -1;
  int clickedImage_ = -1;
  // Wheel movement short of a notch (touchpads, fine wheels), kept for the next.
  int wheelRest_ = 0;
};
