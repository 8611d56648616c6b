// The book window's input: its own chrome first (cursor zones 1 to 4, window
// move and resize, the close zone, the menu tab, F10), then whatever browsing
// and editing take.
#include <QAction>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QShortcutEvent>
#include <QWheelEvent>

#include "browser/album_browser.h"
#include "browser/tool_panel.h"

bool AlbumBrowser::event(QEvent* event) {
  // Before a key can run an action, the rule has its say (as before a
  // command run from code).
  if (event->type() == QEvent::ShortcutOverride) UpdateActions();
  return QWidget::event(event);
}

void AlbumBrowser::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (event->buttons() == Qt::NoButton) {
    pressPoint_ = p;
    for (CaptionButton* button : {btClose_, btMaximize_, btMinimize_})
      button->SetHighlighted(false);
    std::optional<BookCursor> cursor = ChromeZone(p, ChromeState());
    for (auto it = inputs_.begin(); !cursor && it != inputs_.end(); ++it) {
      BookCursor chosen = BookCursor::Default;
      if ((*it)->CursorAt(p, chosen)) cursor = chosen;
    }
    ShowBookCursor(cursor.value_or(BookCursor::Default));
    return;
  }
  if (!(event->buttons() & Qt::LeftButton)) return;
  for (BrowserInput* input : inputs_) {
    if (input->LeftButtonMove(pressPoint_, p)) return;
  }
  MoveOrResize(p, event->globalPosition().toPoint());
}

void AlbumBrowser::MoveOrResize(QPoint p, QPoint global) {
  if (look_.FormMaximized) return;
  if (cursor_ == BookCursor::Move) {
    // Measured on the screen: the window follows the pointer even when the
    // window system moves it a little later than asked.
    const QPoint to = moveStartWindow_ + (global - moveStartGlobal_);
    if (to == QPoint(look_.FormLeft, look_.FormTop)) return;
    // From the window as placed: the look now holds what the person sees.
    look_.FormLeft = to.x();
    look_.FormTop = to.y();
    look_.FormWidth = width();
    look_.FormHeight = height();
    move(to);
    model_.FormatModified = true;
    UpdateActions();
  } else if (cursor_ == BookCursor::Resize) {
    if (p == pressPoint_) return;
    if (!resizing_) {
      // The gesture starts from the window as placed, which a look too
      // large or off the screens was held to.
      look_.FormLeft = x();
      look_.FormTop = y();
      look_.FormWidth = width();
      look_.FormHeight = height();
    }
    resizing_ = true;
    const QPoint by = p - pressPoint_;
    look_.FormWidth = std::max(minimumWidth(), look_.FormWidth + by.x());
    look_.FormHeight = std::max(minimumHeight(), look_.FormHeight + by.y());
    model_.FormatModified = true;
    PositionWindow();
    pressPoint_ = p;
    UpdateActions();
  }
}

void AlbumBrowser::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  moveStartGlobal_ = event->globalPosition().toPoint();
  moveStartWindow_ = pos();
  for (BrowserInput* input : inputs_) {
    if (input->MousePress(p, event->button(), event->modifiers())) return;
  }
}

void AlbumBrowser::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  pressPoint_ = p;
  switch (cursor_) {
    case BookCursor::Arrow:
      if (InCloseZone(p, size())) close();
      return;
    case BookCursor::Resize:
      if (resizing_) {
        resizing_ = false;
        // Thumbnails are made for the new page size, and the pages drawn
        // with their pictures again.
        RunAction(QStringLiteral("RecreateThumbnails"));
        book_->RebuildPages();
      }
      return;
    case BookCursor::Hand:
      if (OnMenuTab(p, ChromeState())) SlideMenu();
      return;
    default:
      break;
  }
  for (BrowserInput* input : inputs_) {
    if (input->MouseRelease(cursor_, p, event->button(), event->modifiers())) break;
  }
  UpdateActions();
}

void AlbumBrowser::mouseDoubleClickEvent(QMouseEvent*) {
  if (cursor_ == BookCursor::Move) {
    ToggleMaximized();
    return;
  }
  if (OnMenuTab(pressPoint_, ChromeState())) return;
  for (BrowserInput* input : inputs_) {
    if (input->DoubleClick(pressPoint_)) return;
  }
}

void AlbumBrowser::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::NoModifier) {
    SlideMenu();  // does nothing while the book is closed
    return;
  }
  for (BrowserInput* input : inputs_) {
    if (input->KeyDown(*event)) {
      UpdateActions();
      return;
    }
  }
  QWidget::keyPressEvent(event);
}

void AlbumBrowser::wheelEvent(QWheelEvent* event) {
  for (BrowserInput* input : inputs_) {
    if (input->Wheel(*event)) return;
  }
  QWidget::wheelEvent(event);
}

void AlbumBrowser::dragEnterEvent(QDragEnterEvent* event) {
  for (BrowserInput* input : inputs_) {
    if (input->DragEnter(*event)) return;
  }
  event->ignore();
}

void AlbumBrowser::dragMoveEvent(QDragMoveEvent* event) {
  for (BrowserInput* input : inputs_) {
    if (input->DragMove(*event)) return;
  }
}

void AlbumBrowser::dragLeaveEvent(QDragLeaveEvent* event) {
  for (BrowserInput* input : inputs_) {
    if (input->DragLeave(*event)) return;
  }
}

void AlbumBrowser::dropEvent(QDropEvent* event) {
  for (BrowserInput* input : inputs_) {
    if (input->Drop(*event)) break;
  }
  UpdateActions();
}
