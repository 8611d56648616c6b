// What the window's paint step draws: the page bitmaps, the letter marks of
// "Show letters" over them, and the cells redrawn for selection and drag
// feedback.

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "book/book.h"
#include "book/cell_letters.h"
#include "init/profile.h"

void BookView::PaintWindow(QPainter& window) const {
  window.save();
  window.setCompositionMode(QPainter::CompositionMode_Source);
  if (view_.IsBookClosed()) {
    window.drawImage(SpineX(), 0, CoverPage.Image);
  } else {
    window.drawImage(0, 0, LeftPage.Image);
    window.drawImage(SpineX(), 0, RightPage.Image);
  }
  window.restore();
}

std::vector<BookView::LetterMark> BookView::LetterMarks() const {
  std::vector<LetterMark> marks;
  const int c = view_.CurrentChapter;
  const int spread = view_.CurrentPage;
  if (view_.IsBookClosed() || spread < 0) return marks;
  const int perPage = look_.ImagesPerPage();
  const int count = model_.ImageCount(c);
  const QSize pageSize = layout_.PageSize();
  // The left page of spread 0 holds no images; the right page of the last
  // spread is a divider or the back cover.
  if (spread != 0) {
    const int first = (spread - 1) * perPage;
    for (int pos = 0; pos < perPage && first + pos < count; ++pos) {
      const EdgeRect cell = CellRect(false, pos, pageSize, look_);
      marks.push_back({QPoint(cell.Left, cell.Top), LetterForCell(pos)});
    }
  }
  if (spread != model_.LastSpread(c, perPage)) {
    const int first = spread * perPage;
    const int offset = spread == 0 ? 0 : perPage;
    for (int pos = 0; pos < perPage && first + pos < count; ++pos) {
      const EdgeRect cell = CellRect(true, pos, pageSize, look_);
      marks.push_back({QPoint(cell.Left + SpineX(), cell.Top), LetterForCell(offset + pos)});
    }
  }
  // Cells past the end of the letter table go unmarked.
  marks.erase(std::remove_if(marks.begin(), marks.end(),
                             [](const LetterMark& m) { return m.Letter.isNull(); }),
              marks.end());
  return marks;
}

void BookView::PaintLetters(QPainter& window) const {
  QFont font = look_.BaseFont.Font;
  font.setPointSize(8);
  window.save();
  window.setFont(font);
  window.setPen(ToQColor(look_.BaseFont.Color));
  const QFontMetrics fm = window.fontMetrics();
  for (const LetterMark& mark : LetterMarks()) {
    // On a white ground, so the letter reads on any picture.
    const QString text(mark.Letter);
    window.fillRect(mark.At.x(), mark.At.y(), fm.horizontalAdvance(text), fm.height(), Qt::white);
    window.drawText(QPoint(mark.At.x(), mark.At.y() + fm.ascent()), text);
  }
  window.restore();
}

void BookView::RepaintCells(QPainter& window, int a, int b, int dragIndex) const {
  const int perPage = look_.ImagesPerPage();
  if (perPage <= 0) return;
  const QSize pageSize = layout_.PageSize();
  window.save();
  for (int i = std::min(a, b); i <= std::max(a, b); ++i) {
    if (i < 0) continue;
    const int q = PageOfImage(i, perPage);
    const int pos = i - q * perPage;
    const bool right = q % 2 == 0 && q == view_.CurrentPage;
    const EdgeRect cell = CellRect(right, pos, pageSize, look_);
    const BookPage& source = right ? RightPage : LeftPage;
    const int dx = right ? SpineX() : 0;
    const QRect r(cell.Left - 3, cell.Top - 3, cell.Width() + 6, cell.Height() + 6);
    window.setCompositionMode(QPainter::CompositionMode_Source);
    window.drawImage(r.topLeft() + QPoint(dx, 0), source.Image, r);
    window.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (i == dragIndex) {
      // The drop mark: on the side of the cell where the dragged images land.
      const int x = (i > view_.SelEnd ? r.left() + r.width() - 2 : r.left() + 2) + dx;
      window.setPen(QPen(QColor(0, 0, 0x80), 1));
      window.drawLine(x, r.top(), x, r.top() + r.height() - 1);
    }
  }
  window.restore();
}
