#include "page_text.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "book/text_wrap.h"

namespace {

const QChar Ellipsis(0x2026);

}  // namespace

QRect PageText::Line(const QRect& r, const QString& text) {
  if (text.isEmpty() || r.width() <= 0 || r.height() <= 0) return QRect();
  const QFontMetrics fm = painter_.fontMetrics();
  int width = fm.horizontalAdvance(text);
  if (width <= r.width()) {
    return Draw(fm, r, r.x() + (r.width() - width) / 2, r.y() + (r.height() - fm.height()) / 2,
                width, text, false);
  }
  const QString shown = fm.elidedText(text, Qt::ElideRight, r.width());
  if (shown.isEmpty()) return QRect();
  width = fm.horizontalAdvance(shown);
  return Draw(fm, r, r.x() + (r.width() - width) / 2, r.y() + (r.height() - fm.height()) / 2, width,
              shown, true);
}

QRect PageText::Aligned(const QRect& r, const QString& text, Qt::Alignment side) {
  if (text.isEmpty() || r.width() <= 0 || r.height() <= 0) return QRect();
  const QFontMetrics fm = painter_.fontMetrics();
  int width = fm.horizontalAdvance(text);
  const bool elided = width > r.width();
  const QString shown = elided ? fm.elidedText(text, Qt::ElideRight, r.width()) : text;
  if (shown.isEmpty()) return QRect();
  if (elided) width = fm.horizontalAdvance(shown);
  const int x = side == Qt::AlignRight ? r.x() + r.width() - width : r.x();
  return Draw(fm, r, x, r.y(), width, shown, elided);
}

QRect PageText::Block(const QRect& r, const QString& text) {
  if (text.isEmpty() || r.width() <= 0 || r.height() <= 0) return QRect();
  const QFontMetrics fm = painter_.fontMetrics();
  // Most texts fit on one line: no wrapping for them.
  if (fm.horizontalAdvance(text) <= r.width() && !text.contains(u'\n') && !text.contains(u'\r'))
    return Line(r, text);
  const int lineHeight = fm.height();
  // One line at least, even where it is cut: a text is never lost.
  const int room = std::max(1, r.height() / lineHeight);
  QStringList lines = TitleLines(text, r.width(), room + 1, [&fm](QStringView s) {
    return fm.horizontalAdvance(s.toString());
  });
  if (lines.size() > room) {
    lines.resize(room);
    // The text goes on: the last line shown says so.
    QString last = lines.last().trimmed();
    if (last.endsWith(u'-')) last.chop(1);
    while (!last.isEmpty() && fm.horizontalAdvance(last + Ellipsis) > r.width()) last.chop(1);
    lines.last() = last.trimmed() + Ellipsis;
  }
  const int top = r.y() + (r.height() - int(lines.size()) * lineHeight) / 2;
  QRect drawn;
  for (int i = 0; i < lines.size(); ++i)
    drawn |= Line(QRect(r.x(), top + i * lineHeight, r.width(), lineHeight), lines[i]);
  return drawn;
}

QRect PageText::Title(const QRect& r, const QString& text) {
  QFont font = painter_.font();
  const int size = TitlePointSize(text, font, r.size(), painter_.device());
  if (size != font.pointSize()) {
    font.setPointSize(size);
    painter_.setFont(font);
  }
  return Block(r, text);
}

QRect PageText::Draw(const QFontMetrics& fm, const QRect& r, int x, int y, int textWidth,
                     const QString& text, bool elided) {
  const QRect box(x, y, textWidth, fm.height());
  // Most text fits its box; a clip costs more than the text.
  const bool cut = !r.contains(box);
  if (cut) {
    painter_.save();
    painter_.setClipRect(r, Qt::IntersectClip);
  }
  const int baseline = y + fm.ascent();
  if (shadow_.isValid()) {
    const QPen pen = painter_.pen();
    painter_.setPen(shadow_);
    painter_.drawText(x + 1, baseline + 1, text);
    painter_.setPen(pen);
  }
  painter_.drawText(x, baseline, text);
  if (cut) painter_.restore();
  if (boxes_ != nullptr) boxes_->push_back({page_, box, text, cut, elided});
  return box;
}

int TitlePointSize(const QString& text, const QFont& font, QSize room, QPaintDevice* device) {
  const int size = font.pointSize();
  if (size <= 0 || room.width() <= 0 || room.height() <= 0) return size;
  const int floor = std::min(size, std::max(8, size / 2));
  QFont trial = font;
  for (int s = size; s > floor; --s) {
    trial.setPointSize(s);
    const QFontMetrics fm(trial, device);
    const std::vector<WrappedLine> lines = WrapText(
        text, room.width(), [&fm](QStringView v) { return fm.horizontalAdvance(v.toString()); });
    const bool whole =
        std::none_of(lines.begin(), lines.end(), [](const WrappedLine& l) { return l.SplitWord; });
    if (whole && int(lines.size()) * fm.height() <= room.height()) return s;
  }
  return floor;
}
