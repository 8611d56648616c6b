// Editing's mouse input: dragging the selected images onto another image of
// the spread, and files dropped from the desktop (the pictures among them).
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <cstdlib>

#include "browser/album_browser.h"
#include "browser/copied_files.h"
#include "browser/edit_window.h"
#include "core/paths.h"

namespace {

constexpr int kDragDistance = 10;

// The first album, format or data file among names, opened as the command
// line would open it.
QString DocumentAmong(const QStringList& names) {
  for (const QString& name : names) {
    const QString ext = FileExtUpper(name);
    if (ext == QLatin1String(".ALB") || ext == QLatin1String(".AFM") ||
        ext == QLatin1String(".XML"))
      return name;
  }
  return QString();
}

}  // namespace

bool EditWindow::LeftButtonMove(QPoint press, QPoint p) {
  const AlbumModel& model = Model();
  const ViewState& view = View();
  if (!window_.IsEditMode() || view.IsBookClosed()) return false;
  if (!dragging_) {
    const int i = hooks_.ImageAt ? hooks_.ImageAt(press) : -1;
    if (i < 0) return false;
    if (std::abs(p.x() - press.x()) <= kDragDistance &&
        std::abs(p.y() - press.y()) <= kDragDistance)
      return true;  // not yet a drag, but no window move either
    if (!SelectedRun(model, view).Contains(i)) SelectRange(i, i);
    dragging_ = true;
    window_.setCursor(Qt::DragMoveCursor);
  }
  const int target = hooks_.ImageAt ? hooks_.ImageAt(p) : -1;
  const int shown = editor_.DropAccepted(target) ? target : -1;
  if (shown != dragIndex_) {
    dragIndex_ = shown;
    window_.update();
  }
  return true;
}

bool EditWindow::MouseRelease(BookCursor, QPoint, Qt::MouseButton button, Qt::KeyboardModifiers) {
  if (!dragging_ || button != Qt::LeftButton) return false;
  const int target = dragIndex_;
  EndDrag();
  editor_.DropSelection(target);
  return true;
}

void EditWindow::EndDrag() {
  dragging_ = false;
  dragIndex_ = -1;
  window_.unsetCursor();
  window_.update();
}

bool EditWindow::DragEnter(QDragEnterEvent& event) {
  const QStringList files = CopiedFiles(event.mimeData());
  if (files.isEmpty() || (!window_.IsEditMode() && DocumentAmong(files).isEmpty())) return false;
  event.acceptProposedAction();
  return true;
}

bool EditWindow::DragMove(QDragMoveEvent& event) {
  if (CopiedFiles(event.mimeData()).isEmpty()) return false;
  event.acceptProposedAction();
  return true;
}

bool EditWindow::Drop(QDropEvent& event) {
  const QStringList files = CopiedFiles(event.mimeData());
  if (files.isEmpty()) return false;
  event.acceptProposedAction();
  if (window_.IsEditMode()) {
    const int at = hooks_.ImageAt ? hooks_.ImageAt(event.position().toPoint()) : -1;
    editor_.InsertImages(at, PictureFiles(files));
    return true;
  }
  const QString document = DocumentAmong(files);
  if (!document.isEmpty()) window_.OpenFile(document);
  return true;
}

void EditWindow::PaintOver(QPainter& painter) {
  if (dragIndex_ >= 0) window_.Book().RepaintCells(painter, dragIndex_, dragIndex_, dragIndex_);
}
