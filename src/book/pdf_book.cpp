#include "pdf_book.h"

#include <QDir>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <vector>

#include "book/book.h"
#include "book/sized_book_window.h"
#include "core/progress.h"

namespace {

// The pages' own resolution (PageDotsPerMeter): one page pixel is one unit
// on the sheet, so fonts given in points come out as on screen.
constexpr int PagePixelsPerInch = 96;

QPageLayout SheetLayout(const PdfOptions& options) {
  return QPageLayout(options.Paper, options.Pages ? QPageLayout::Portrait : QPageLayout::Landscape,
                     QMarginsF());
}

struct Sheet {
  int Chapter = 0;
  int Spread = -1;  // -1: the cover
  int Side = -1;    // with Pages: 0 the left, 1 the right page; -1 both
};

std::vector<Sheet> Sheets(const BookView& book, bool pages) {
  const AlbumModel& model = book.Model();
  const int perPage = book.Look().ImagesPerPage();
  std::vector<Sheet> sheets{{0, -1, -1}};
  for (int c = 0; c <= model.ChapterCount(); ++c) {
    for (int p = 0; p <= model.LastSpread(c, perPage); p += 2) {
      if (pages) {
        sheets.push_back({c, p, 0});
        sheets.push_back({c, p, 1});
      } else {
        sheets.push_back({c, p, -1});
      }
    }
  }
  return sheets;
}

// One page: its background as the window shows it, then its content drawn
// straight onto the sheet.
void PaintPage(BookView& book, BookPage& page, QPainter& sheet, QPoint at) {
  book.Painter().PaintBackground(page);
  sheet.drawImage(at, page.Image);
  sheet.save();
  sheet.translate(at);
  book.Painter().PaintContent(page, sheet);
  sheet.restore();
}

void PaintSheet(BookView& book, const Sheet& s, QPainter& sheet, QSize sheetSize) {
  if (s.Spread == -1) {
    const int x = s.Side == -1 ? (sheetSize.width() - book.CoverPage.Width()) / 2 : 0;
    PaintPage(book, book.CoverPage, sheet, QPoint(x, 0));
  } else if (s.Side == 0) {
    PaintPage(book, book.LeftPage, sheet, QPoint());
  } else if (s.Side == 1) {
    PaintPage(book, book.RightPage, sheet, QPoint());
  } else {
    PaintPage(book, book.LeftPage, sheet, QPoint());
    PaintPage(book, book.RightPage, sheet, QPoint(book.SpineX(), 0));
  }
}

}  // namespace

std::optional<QPageSize> ParsePaperSize(const QString& text) {
  const QString t = text.trimmed().toUpper();
  if (t == u"A4") return QPageSize(QPageSize::A4);
  if (t == u"A5") return QPageSize(QPageSize::A5);
  if (t == u"LETTER") return QPageSize(QPageSize::Letter);
  const QRegularExpressionMatch m =
      QRegularExpression(QStringLiteral("^(\\d{2,4})X(\\d{2,4})MM$")).match(t);
  if (!m.hasMatch()) return std::nullopt;
  const int w = m.captured(1).toInt();
  const int h = m.captured(2).toInt();
  // A page smaller than a postcard has no room for the book's margins.
  if (w < 90 || h < 90 || w > 2000 || h > 2000) return std::nullopt;
  return QPageSize(QSizeF(w, h), QPageSize::Millimeter);
}

QSize PdfLayoutSize(const PdfOptions& options) {
  const QSize sheet = SheetLayout(options).fullRectPixels(PagePixelsPerInch).size();
  return options.Pages ? QSize(sheet.width() * 2, sheet.height()) : sheet;
}

bool WriteBookPdf(BookView& book, const QString& path, const PdfOptions& options,
                  const PdfProgress& progress, QString* error) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    *error = QStringLiteral("cannot write %1: %2")
                 .arg(QDir::toNativeSeparators(path), file.errorString());
    return false;
  }
  const AlbumModel& model = book.Model();
  const std::vector<Sheet> sheets = Sheets(book, options.Pages);
  const QSize sheetSize = SheetLayout(options).fullRectPixels(PagePixelsPerInch).size();
  // Only the spread on the sheet keeps its pictures: a thousand photos at
  // print resolution would not fit in memory.
  book.SetPictureScale(double(options.Dpi) / PagePixelsPerInch, 0);
  bool cancelled = false;
  {
    QPdfWriter writer(&file);
    writer.setResolution(PagePixelsPerInch);
    writer.setPageLayout(SheetLayout(options));
    writer.setCreator(QStringLiteral("Quirevale"));
    writer.setTitle(model.DataTitles.value(0));
    QPainter sheet(&writer);
    for (std::size_t i = 0; i < sheets.size(); ++i) {
      const Sheet& s = sheets[i];
      if (progress && !progress(s.Spread == -1 ? -1 : s.Chapter, int(i * 100 / sheets.size()))) {
        cancelled = true;
        break;
      }
      if (i > 0) writer.newPage();
      book.ShowSpread(s.Chapter, s.Spread);
      PaintSheet(book, s, sheet, sheetSize);
    }
    sheet.end();
  }
  book.SetPictureScale(1.0, ThumbnailMemoryBudget);
  book.ShowSpread(0, -1);
  if (cancelled) {
    file.cancelWriting();
    *error = QStringLiteral("cancelled");
    return false;
  }
  if (progress) progress(-2, 100);
  if (!file.commit()) {
    *error = QStringLiteral("cannot write %1: %2")
                 .arg(QDir::toNativeSeparators(path), file.errorString());
    return false;
  }
  return true;
}

bool WriteAlbumPdf(const AlbumModel& model, const AlbumLook& look, const ProgramSettings& settings,
                   const QString& path, const PdfOptions& options, const PdfProgress& progress,
                   QString* error) {
  // A view and thumbnails of its own: the window's thumbnails are of its size.
  OpenAlbum copy{model, ViewState(), AlbumThumbnails()};
  copy.View.CurrentChapter = 0;
  SizedBookWindow window(PdfLayoutSize(options));
  BookView book(copy, window, look, settings);
  window.SetBook(&book);
  window.PositionWindow();
  return WriteBookPdf(book, path, options, progress, error);
}
