#include "dialogs/path_label.h"

#include <QResizeEvent>
#include <algorithm>

namespace {

// Room for a usual path before the label asks for more; beyond it the
// layout decides.
constexpr int kPreferredChars = 48;
constexpr int kMinimumChars = 12;

}  // namespace

PathLabel::PathLabel(QWidget* parent) : QLabel(parent) {}

void PathLabel::SetPath(const QString& path) {
  const bool changed = path != path_;
  path_ = path;
  setToolTip(path);
  ShowPath();  // also over a caption a language file gave the label
  if (changed) updateGeometry();
}

QSize PathLabel::sizeHint() const {
  const int room = fontMetrics().averageCharWidth() * kPreferredChars;
  return WithMargins(std::min(fontMetrics().horizontalAdvance(path_), room));
}

QSize PathLabel::minimumSizeHint() const {
  return WithMargins(fontMetrics().averageCharWidth() * kMinimumChars);
}

QSize PathLabel::WithMargins(int textWidth) const {
  const QMargins margins = contentsMargins();
  return {textWidth + margins.left() + margins.right() + 2 * margin(),
          fontMetrics().height() + margins.top() + margins.bottom() + 2 * margin()};
}

void PathLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  ShowPath();
}

void PathLabel::ShowPath() {
  const int room = contentsRect().width() - 2 * margin();
  const QString shown = fontMetrics().elidedText(path_, Qt::ElideMiddle, std::max(room, 0));
  if (shown != text()) setText(shown);
}
