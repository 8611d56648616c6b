#include "browsing.h"

#include <QApplication>
#include <QFileInfo>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

#include "book/book.h"
#include "init/profile.h"

BookBrowsing::BookBrowsing(BookView& book, BrowseHost& host)
    : book_(book), host_(host), click_([this](QPoint p) { OpenClicked(p); }) {}

AlbumModel& BookBrowsing::Model() const { return book_.Model(); }
ViewState& BookBrowsing::View() const { return book_.View(); }

int BookBrowsing::LastSpread(int chapter) const {
  return Model().LastSpread(chapter, book_.Look().ImagesPerPage());
}

int BookBrowsing::ImageAt(int x, int y) const {
  const AlbumModel& m = Model();
  const ViewState& v = View();
  if (v.IsBookClosed()) return -1;
  const int perPage = book_.Look().ImagesPerPage();
  const int columns = book_.Look().ColumnCount;
  const int rows = book_.Look().RowCount;
  const int spineX = book_.SpineX();
  const QSize pageSize = PageSizeFor(book_.WindowSize());
  const EdgeRect leftArea = PageArea(true, pageSize);
  int base = v.CurrentPage > 0 ? (v.CurrentPage - 1) * perPage : 0;
  int left = 0;
  int right = 0;
  if (x > spineX) {
    const EdgeRect area = PageArea(false, pageSize);
    left = area.Left + spineX + 20;
    right = area.Right + spineX - 10;
    if (v.CurrentPage > 0) base += perPage;
  } else {
    left = leftArea.Left + 10;
    right = leftArea.Right - 20;
  }
  const int top = leftArea.Top + 20;
  const int bottom = leftArea.Bottom - 20;
  if (x < left || x > right || y < top || y > bottom) return -1;
  const bool leftHasImages = x < spineX && v.CurrentPage > 0;
  const bool rightHasImages = x > spineX && LastSpread(v.CurrentChapter) > v.CurrentPage;
  if (!leftHasImages && !rightHasImages) return -1;
  if (columns <= 0 || rows <= 0) return -1;
  const auto cellWidth =
      static_cast<int>(RoundHalfEven(std::max(0, leftArea.Width() - 30), columns));
  const auto cellHeight =
      static_cast<int>(RoundHalfEven(std::max(0, leftArea.Height() - 40), rows));
  if (cellWidth <= 0 || cellHeight <= 0) return -1;
  const int column = (x - left) / cellWidth;
  const int row = (y - top) / cellHeight;
  // The rounded cells may leave a sliver past the last row or column; it
  // belongs to no cell (rather than to the next row or page).
  if (column >= columns || row >= rows) return -1;
  const int index = columns * row + base + column;
  return index < m.ImageCount(v.CurrentChapter) ? index : -1;
}

void BookBrowsing::SelectRange(int a, int b) {
  AlbumModel& m = Model();
  ViewState& v = View();
  const int count = m.ImageCount(v.CurrentChapter);
  if (a < count && b < count) {
    const int oldStart = v.SelStart;
    const int oldEnd = v.SelEnd;
    v.SelStart = a;
    v.SelEnd = b;
    bool spreadKept = true;
    if (a < 0 || b < 0) {
      v.SelStart = 0;
      v.SelEnd = 0;
    } else {
      const int spread = SpreadOfImage(b, book_.Look().ImagesPerPage());
      if (spread != v.CurrentPage) {
        spreadKept = false;
        book_.ShowSpread(v.CurrentChapter, spread);
      }
    }
    // The selection frames are part of the page pictures in edit mode.
    const bool changed = oldStart != v.SelStart || oldEnd != v.SelEnd;
    if (spreadKept && changed && host_.IsEditMode() && !v.IsBookClosed())
      book_.ShowSpread(v.CurrentChapter, v.CurrentPage);
  }
  if (host_.IsDetailsShowing()) host_.SetDetailsRange(a, b);
}

void BookBrowsing::TurnPage(bool forward, bool bySelection, bool extend) {
  AlbumModel& m = Model();
  ViewState& v = View();
  if (bySelection && book_.Look().ColumnCount > 0) {
    const int columns = book_.Look().ColumnCount;
    const int rows = book_.Look().RowCount;
    const int count = m.ImageCount(v.CurrentChapter);
    const int s = extend ? v.SelEnd : v.SelStart;
    if (forward) {
      int target = s + columns * (rows - 1) + 1;
      if (count <= target) target = (count - 1) - ((count - 1) % columns);
      SelectRange(extend ? v.SelStart : target, target);
      return;
    }
    const int target = s - columns * (rows - 1) - 1;
    if (target >= 0) {
      SelectRange(extend ? v.SelStart : target, target);
      return;
    }
  }
  if (!forward) {
    if (v.CurrentPage != 0) {
      book_.ShowSpread(v.CurrentChapter, v.CurrentPage - 2);
    } else if (v.CurrentChapter != 0) {
      ShowChapter(v.CurrentChapter - 1, true);
    } else {
      book_.ShowSpread(0, -1);
    }
  } else if (v.CurrentPage == -1) {
    book_.ShowSpread(0, 0);
  } else if (LastSpread(v.CurrentChapter) > v.CurrentPage) {
    book_.ShowSpread(v.CurrentChapter, v.CurrentPage + 2);
  } else {
    ShowChapter(v.CurrentChapter + 1, false);
  }
}

void BookBrowsing::ShowChapter(int k, bool atEnd) {
  if (k == -1) {
    book_.ShowSpread(0, 0);
    return;
  }
  if (k < 0 || k > Model().ChapterCount()) return;
  book_.ShowSpread(k, atEnd ? LastSpread(k) : 0);
}

ZoneState BookBrowsing::Zones() const {
  const AlbumModel& m = Model();
  const ViewState& v = View();
  ZoneState s;
  s.Width = book_.WindowSize().width();
  s.Height = book_.WindowSize().height();
  s.SpineX = book_.SpineX();
  s.Chapter = v.CurrentChapter;
  s.Page = v.CurrentPage;
  s.ChapterCount = m.ChapterCount();
  s.LastSpread = LastSpread(v.CurrentChapter);
  s.EditMode = host_.IsEditMode();
  s.EdgeTop = PageArea(true, PageSizeFor(book_.WindowSize())).Top;
  s.Tabs = book_.Layout().Bookmarks();
  return s;
}

bool BookBrowsing::CursorAt(QPoint p, BookCursor& cursor) {
  const BookCursor zone = BrowseZoneCursor(Zones(), p, ImageAt(p));
  if (zone == BookCursor::Default) return false;
  cursor = zone;
  return true;
}

// A tab on the left edge: the spread where that tab's chapter begins. The
// rest of the band: the album's beginning (from chapter 0, the closed book).
void BookBrowsing::BookmarkBack(QPoint p) {
  if (const BookmarkTab* tab = book_.Layout().Bookmarks().At(p)) {
    book_.ShowSpread(tab->Chapter - 1, LastSpread(tab->Chapter - 1));
    return;
  }
  book_.ShowSpread(0, View().CurrentChapter == 0 ? -1 : 0);
}

// A tab on the right edge, as on the left; the rest of the band: the album's end.
void BookBrowsing::BookmarkForward(QPoint p) {
  if (const BookmarkTab* tab = book_.Layout().Bookmarks().At(p)) {
    book_.ShowSpread(tab->Chapter - 1, LastSpread(tab->Chapter - 1));
    return;
  }
  const int n = Model().ChapterCount();
  book_.ShowSpread(n, LastSpread(n));
}

bool BookBrowsing::MouseRelease(BookCursor cursor, QPoint p, Qt::MouseButton,
                                Qt::KeyboardModifiers modifiers) {
  // The second release of a double click: the double click has acted.
  if (click_.TakeDoubleClickEnd()) return true;
  switch (cursor) {
    case BookCursor::Previous:
    case BookCursor::Next:
      TurnPage(p.x() > book_.SpineX(), false, false);
      return true;
    case BookCursor::Left:
      BookmarkBack(p);
      return true;
    case BookCursor::Right:
      BookmarkForward(p);
      return true;
    case BookCursor::Zoom:
      // The image opens once no second click can make this a double click.
      clickedChapter_ = View().CurrentChapter;
      clickedImage_ = ImageAt(p);
      click_.Release(p);
      return true;
    default:
      break;
  }
  if (!host_.IsEditMode()) return false;
  const int i = ImageAt(p);
  if (modifiers & Qt::ShiftModifier) {
    SelectRange(View().SelStart, i);
  } else if (i > -1) {
    SelectRange(i, i);
  }
  return true;
}

bool BookBrowsing::MousePress(QPoint p, Qt::MouseButton button, Qt::KeyboardModifiers) {
  click_.Press();
  if (button != Qt::RightButton) return false;
  const int i = ImageAt(p);
  if (i < 0) return false;
  const AlbumModel& m = Model();
  const ViewState& v = View();
  const bool selected =
      v.SelEnd > -1 && i >= std::min(v.SelStart, v.SelEnd) && i <= std::max(v.SelStart, v.SelEnd);
  if (!selected) SelectRange(i, i);
  const QString file = m.Images(v.CurrentChapter).value(i).File;
  host_.SetShowPictureEnabled(QFileInfo::exists(file));
  host_.PopupPictureMenu(p);
  return true;
}

bool BookBrowsing::DoubleClick(QPoint p) {
  // A widget gets the second press of a double click as the double click
  // alone: it drops the click held since the first release.
  click_.Press();
  const ViewState& v = View();
  const int spineX = book_.SpineX();
  if (v.CurrentPage > -1 && ((p.x() < spineX && v.CurrentPage == 0) ||
                             (p.x() > spineX && v.CurrentPage == LastSpread(v.CurrentChapter)))) {
    host_.RunAction(QStringLiteral("EditChapters"));
    return true;
  }
  const int i = ImageAt(p);
  if (i < 0) return false;
  click_.DoubleClicked();
  host_.OpenDetails(i, -1);
  return true;
}

void BookBrowsing::OpenClicked(QPoint p) {
  // A dialog opened meanwhile, or a page turned, has the say.
  if (QApplication::activeModalWidget() != nullptr || View().CurrentChapter != clickedChapter_ ||
      ImageAt(p) != clickedImage_)
    return;
  clickedAt_ = p;
  host_.RunAction(QStringLiteral("ShowPicture"));
  clickedAt_.reset();
}

void BookBrowsing::ShowPictureCommand() {
  host_.ShowImage(ImageAt(clickedAt_.value_or(host_.PressPoint())));
}

bool BookBrowsing::Wheel(QWheelEvent& event) {
  // The book has no zoom: Ctrl+wheel turns no page either.
  if (event.modifiers() & Qt::ControlModifier) return true;
  // A notch is 120; a wheel turned back drops what was short of one.
  const int delta = event.angleDelta().y();
  if (wheelRest_ != 0 && (delta > 0) != (wheelRest_ > 0)) wheelRest_ = 0;
  wheelRest_ += delta;
  const int notches = wheelRest_ / 120;
  wheelRest_ -= notches * 120;
  // Down (towards the user) turns forward, as it scrolls down a page.
  for (int i = 0; i < std::abs(notches); ++i) TurnPage(notches < 0, false, false);
  return true;
}

void BookBrowsing::ShowDetailsCommand() {
  if (host_.IsEditMode()) {
    host_.OpenDetails(View().SelStart, View().SelEnd);
    return;
  }
  const int i = ImageAt(host_.PressPoint());
  if (i >= 0) host_.OpenDetailsReadOnly(i);
}

void BookBrowsing::GotoPageCommand() { host_.ShowGoto(); }

void BookBrowsing::PaintOver(QPainter& painter) {
  if (host_.IsLettersShown() && !host_.IsEditMode() && View().CurrentPage > -1)
    book_.PaintLetters(painter);
}
