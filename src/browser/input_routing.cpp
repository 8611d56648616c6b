// The book window's input: its own chrome first (cursor zones 1 to 4, the
// window drag, the close zone, the menu tab, F10), then whatever browsing
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
  if (drag_.Follow(cursor_, pressPoint_, p, event->globalPosition().toPoint())) pressPoint_ = p;
}

void AlbumBrowser::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  drag_.Press(event->globalPosition().toPoint());
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
      drag_.Release();
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
    drag_.ToggleMaximized();
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
