// The book's keyboard: page and chapter keys, the digits that jump to a
// bookmark, the edit-mode selection keys and the letter keys.

#include <QKeyEvent>

#include "book/book.h"
#include "book/cell_letters.h"
#include "browser/browsing.h"
#include "init/profile.h"

namespace {

// Remainder with the sign of the dividend, as the selection keys count it.
int Mod(int a, int b) { return b != 0 ? a % b : 0; }

}  // namespace

int BookBrowsing::ImageForLetterKey(int key) const {
  if (key < Qt::Key_A || key > Qt::Key_Z) return -1;
  const AlbumModel& m = Model();
  const ViewState& v = View();
  if (v.IsBookClosed()) return -1;
  // Keys give capitals; the marks are the lower-case letters.
  const int cell = CellForLetter(QChar(key).toLower());
  const int perPage = book_.Look().ImagesPerPage();
  if (cell < 0) return -1;
  int image = -1;
  if (v.CurrentPage == 0) {
    if (cell < perPage) image = cell;
  } else if (cell < 2 * perPage) {
    image = (v.CurrentPage - 1) * perPage + cell;
  }
  return image < m.ImageCount(v.CurrentChapter) ? image : -1;
}

int BookBrowsing::SelectionKey(int key, bool shift, bool& handled) {
  const AlbumModel& m = Model();
  const ViewState& v = View();
  const int columns = book_.Look().ColumnCount;
  const int count = m.ImageCount(v.CurrentChapter);
  handled = true;
  switch (key) {
    case Qt::Key_End:
      return count - 1;
    case Qt::Key_Home:
      return 0;
    case Qt::Key_Left:
      if (Mod(v.SelEnd, columns) == 0) {
        TurnPage(false, true, shift);
      } else if (v.SelEnd >= 0) {
        return v.SelEnd - 1;
      }
      return -1;
    case Qt::Key_Right:
      if (Mod(v.SelEnd + 1, columns) == 0) {
        TurnPage(true, true, shift);
      } else if (v.SelEnd < count - 1) {
        return v.SelEnd + 1;
      }
      return -1;
    case Qt::Key_Up:
      return v.SelEnd >= columns ? v.SelEnd - columns : -1;
    case Qt::Key_Down:
      return v.SelEnd < count - columns ? v.SelEnd + columns : -1;
    default:
      handled = false;
      return -1;
  }
}

bool BookBrowsing::KeyDown(QKeyEvent& event) {
  AlbumModel& m = Model();
  ViewState& v = View();
  const int key = event.key();
  const bool ctrl = event.modifiers() & Qt::ControlModifier;
  const bool shift = event.modifiers() & Qt::ShiftModifier;
  const bool edit = host_.IsEditMode();
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (!edit) return false;
      host_.ShowImage(v.SelEnd);
      return true;
    case Qt::Key_Escape:
      if (!edit) return false;
      host_.RunAction(QStringLiteral("EditMode"));
      return true;
    case Qt::Key_PageUp:
      if (ctrl) {
        ShowChapter(v.CurrentChapter - 2, true);
      } else {
        TurnPage(false, false, false);
      }
      return true;
    case Qt::Key_PageDown:
      if (!ctrl) {
        TurnPage(true, false, false);
      } else if (v.CurrentPage == LastSpread(v.CurrentChapter)) {
        ShowChapter(v.CurrentChapter + 1, true);
      } else {
        ShowChapter(v.CurrentChapter, true);
      }
      return true;
    case Qt::Key_End:
    case Qt::Key_Home:
      if (ctrl) {
        if (key == Qt::Key_End) {
          ShowChapter(m.ChapterCount(), true);
        } else {
          book_.ShowSpread(0, -1);
        }
        return true;
      }
      if (!edit) {
        ShowChapter(v.CurrentChapter, key == Qt::Key_End);
        return true;
      }
      break;
    default:
      break;
  }
  if (key >= Qt::Key_0 && key <= Qt::Key_9) {
    // The keypad's digits arrive as the same keys with KeypadModifier.
    ShowChapter(key - Qt::Key_0 - 1, true);
    return true;
  }
  if (key >= Qt::Key_A && key <= Qt::Key_Z) {
    if (edit || ctrl) return false;
    const int image = ImageForLetterKey(key);
    if (image >= 0) host_.ShowImage(image);
    return true;
  }
  if (!edit) return false;
  bool handled = false;
  const int moved = SelectionKey(key, shift, handled);
  if (moved > -1) SelectRange(shift ? v.SelStart : moved, moved);
  return handled;
}
