#include "pdf_book.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTemporaryFile>
#include <vector>

#include "book/book.h"
#include "book/pdf_boxes.h"
#include "book/pdf_cover.h"
#include "book/sized_book_window.h"
#include "core/progress.h"

namespace {

// The pages' own resolution (PageDotsPerMeter): one page pixel is one unit
// on the sheet, so fonts given in points come out as on screen.
constexpr int PagePixelsPerInch = 96;
constexpr double PointsPerMm = 72 / 25.4;
constexpr double PixelsPerMm = PagePixelsPerInch / 25.4;

struct Sheet {
  int Chapter = 0;
  int Spread = -1;  // -1: the cover
  int Side = -1;    // with Pages: 0 the left, 1 the right page; -1 both
};

std::vector<Sheet> Sheets(const BookView& book, bool pages, bool cover) {
  const AlbumModel& model = book.Model();
  const int perPage = book.Look().ImagesPerPage();
  std::vector<Sheet> sheets;
  if (cover) sheets.push_back({0, -1, -1});
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

// One page drawn on the sheet in the window's layers, at the dpi: the board
// and page-stack bands, the bookmark tabs (their labels as text), the paper,
// the spine shade and decorations, then the content.
void PaintPage(BookView& book, BookPage& page, QPainter& sheet, QPoint at, int dpi) {
  PagePainter& painter = book.Painter();
  painter.PaintBackground(page);  // the page's colour for the spread
  sheet.save();
  sheet.translate(at);
  painter.PaintBoard(page, sheet, dpi);
  if (!page.IsCover()) {
    painter.PaintBookmarkTabs(page, sheet);
    painter.PaintPaper(page, sheet, page.Area.ToQRect(), dpi);
    painter.PaintPaperEdges(page, sheet, dpi);
  }
  painter.PaintContent(page, sheet);
  sheet.restore();
}

void PaintSheet(BookView& book, const Sheet& s, QPainter& sheet, QSize sheetSize, int dpi) {
  if (s.Spread == -1) {
    const int x = s.Side == -1 ? (sheetSize.width() - book.CoverPage.Width()) / 2 : 0;
    PaintPage(book, book.CoverPage, sheet, QPoint(x, 0), dpi);
  } else if (s.Side == 0) {
    PaintPage(book, book.LeftPage, sheet, QPoint(), dpi);
  } else if (s.Side == 1) {
    PaintPage(book, book.RightPage, sheet, QPoint(), dpi);
  } else {
    PaintPage(book, book.LeftPage, sheet, QPoint(), dpi);
    PaintPage(book, book.RightPage, sheet, QPoint(book.SpineX(), 0), dpi);
  }
}

// A sheet for a printer: the paper at the dpi, then the content as vectors
// and text; no board, page stacks, curls or spine shade. Print-shop puts the
// page's inner area on the safe rect with the paper running into the bleed;
// home puts the pages on the printable part with their bookmark tabs.
void PaintPrintSheet(BookView& book, const Sheet& s, QPainter& sheet, const PdfSheet& geometry,
                     const PdfOptions& options) {
  PagePainter& painter = book.Painter();
  const bool shop = options.Profile == PdfProfile::PrintShop;
  auto paint = [&](BookPage& page, QPointF origin) {
    QRectF paper(origin + QPointF(page.Area.Left, page.Area.Top),
                 QSizeF(page.Area.Width(), page.Area.Height()));
    if (page.IsCover()) paper = QRectF(origin, QSizeF(page.Width(), page.Height()));
    // The bleed is the paper running on past the trim.
    if (shop) paper = QRectF(QPointF(), geometry.Mm * PixelsPerMm + QSizeF(1, 1));
    painter.PaintPaper(page, sheet, paper, options.Dpi);
    sheet.save();
    sheet.translate(origin);
    if (!shop && !page.IsCover()) painter.PaintBookmarkTabs(page, sheet);
    painter.PaintContent(page, sheet);
    sheet.restore();
  };
  if (shop) {
    BookPage& page = s.Side == 0 ? book.LeftPage : book.RightPage;
    const QRectF at = geometry.Content(page.IsLeft());
    paint(page, at.topLeft() - QPointF(page.Area.Left, page.Area.Top));
    return;
  }
  const QPointF origin = geometry.Printable.topLeft();
  if (s.Spread == -1) {
    const double x = s.Side == -1 ? (geometry.Printable.width() - book.CoverPage.Width()) / 2 : 0;
    paint(book.CoverPage, origin + QPointF(x, 0));
  } else if (s.Side == 0) {
    paint(book.LeftPage, origin);
  } else if (s.Side == 1) {
    paint(book.RightPage, origin);
  } else {
    paint(book.LeftPage, origin);
    paint(book.RightPage, origin + QPointF(book.SpineX(), 0));
  }
}

QString CannotWrite(const QString& path, const QString& why) {
  return QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(path), why);
}

// Qt draws the sheets (draw returns false to cancel) into a temporary file;
// the boxes of a sheetMm sheet with bleedMm and the output intent are added
// as it is copied into file, which the caller commits.
bool DrawPdf(QSaveFile& file, const QPageLayout& page, QSizeF sheetMm, double bleedMm, bool print,
             const QString& title, const std::function<bool(QPdfWriter&, QPainter&)>& draw,
             QString* error) {
  QTemporaryFile written;
  if (!written.open()) {
    *error = CannotWrite(written.fileTemplate(), written.errorString());
    return false;
  }
  bool drawn = false;
  {
    QPdfWriter writer(&written);
    // A printer wants no transparency: PDF/A-1b has none, and an output intent.
    if (print) writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
    writer.setResolution(PagePixelsPerInch);
    writer.setPageLayout(page);
    writer.setCreator(QStringLiteral("Quirevale"));
    writer.setTitle(title);
    QPainter sheet(&writer);
    drawn = draw(writer, sheet);
    sheet.end();
  }
  if (!drawn) {
    *error = QStringLiteral("cancelled");
    return false;
  }
  written.flush();
  QString why;
  if (!FinishPdf(written.fileName(), file, sheetMm * PointsPerMm, bleedMm * PointsPerMm, &why)) {
    *error = CannotWrite(file.fileName(), why);
    return false;
  }
  return true;
}

}  // namespace

QSize PdfLayoutSize(const PdfOptions& options) { return SheetFor(options).Layout; }

int PdfSheetCount(const BookView& book, const PdfOptions& options) {
  return int(
      Sheets(book, SheetFor(options).SinglePages, options.Profile != PdfProfile::PrintShop).size());
}

bool WriteBookPdf(BookView& book, const QString& path, const PdfOptions& options,
                  const PdfProgress& progress, QString* error) {
  const bool shop = options.Profile == PdfProfile::PrintShop;
  const bool coverSheet = shop && options.CoverSpineMm > 0;
  QSaveFile file(path);
  QSaveFile cover(PdfCoverPath(path));
  for (QSaveFile* f : {&file, &cover}) {
    if (f == &cover && !coverSheet) continue;
    if (!f->open(QIODevice::WriteOnly)) {
      *error = CannotWrite(f->fileName(), f->errorString());
      return false;
    }
  }
  const QString title = book.Model().DataTitles.value(0);
  const PdfSheet geometry = SheetFor(options);
  const bool print = options.Profile != PdfProfile::Screen;
  const std::vector<Sheet> sheets = Sheets(book, geometry.SinglePages, !shop);
  const QSize sheetSize = geometry.Page.fullRectPixels(PagePixelsPerInch).size();
  // Only the spread on the sheet keeps its pictures: a thousand photos at
  // print resolution would not fit in memory.
  book.SetPictureScale(double(options.Dpi) / PagePixelsPerInch, 0);
  book.Painter().SetPrintStyle(print);
  auto drawBook = [&](QPdfWriter& writer, QPainter& sheet) {
    for (std::size_t i = 0; i < sheets.size(); ++i) {
      const Sheet& s = sheets[i];
      if (progress && !progress(s.Spread == -1 ? -1 : s.Chapter, int(i * 100 / sheets.size())))
        return false;
      if (i > 0) writer.newPage();
      book.ShowSpread(s.Chapter, s.Spread);
      if (print)
        PaintPrintSheet(book, s, sheet, geometry, options);
      else
        PaintSheet(book, s, sheet, sheetSize, options.Dpi);
    }
    return true;
  };
  bool ok = DrawPdf(file, geometry.Page, shop ? geometry.Mm : QSizeF(), geometry.BleedMm, print,
                    title, drawBook, error);
  if (ok && coverSheet) {
    const CoverSheet layout = CoverSheetFor(options);
    book.ShowSpread(0, -1);
    ok = DrawPdf(
        cover, WholePointsLayout(layout.Mm), layout.Mm, PdfBleedMm, true, title,
        [&](QPdfWriter&, QPainter& sheet) {
          PaintCoverSheet(book, sheet, layout, options.Dpi);
          return true;
        },
        error);
  }
  book.Painter().SetPrintStyle(false);
  book.SetPictureScale(1.0, ThumbnailMemoryBudget);
  book.ShowSpread(0, -1);
  if (!ok) {
    file.cancelWriting();
    cover.cancelWriting();
    return false;
  }
  if (progress) progress(-2, 100);
  // The cover goes first: should the book then fail, the new cover goes again
  // and neither file is left half a pair.
  if (coverSheet && !cover.commit()) {
    file.cancelWriting();
    *error = CannotWrite(cover.fileName(), cover.errorString());
    return false;
  }
  if (!file.commit()) {
    if (coverSheet) QFile::remove(cover.fileName());
    *error = CannotWrite(path, file.errorString());
    return false;
  }
  return true;
}

struct AlbumPdf::Book {
  // A view and thumbnails of its own: the window's thumbnails are of its size.
  OpenAlbum Album;
  SizedBookWindow Window;
  BookView View;
  Book(const AlbumModel& model, const AlbumLook& look, const ProgramSettings& settings, QSize size)
      : Album{model, ViewState(), AlbumThumbnails()},
        Window(size),
        View(Album, Window, look, settings) {
    Album.View.CurrentChapter = 0;
    Window.SetBook(&View);
    Window.PositionWindow();
  }
};

AlbumPdf::AlbumPdf(const AlbumModel& model, const AlbumLook& look, const ProgramSettings& settings,
                   const PdfOptions& options)
    : book_(std::make_unique<Book>(model, look, settings, PdfLayoutSize(options))),
      options_(options) {}

AlbumPdf::~AlbumPdf() = default;

std::vector<PrintFinding> AlbumPdf::Check() {
  return CheckBookForPrint(book_->View, book_->Window, PrintsCover(options_));
}

bool AlbumPdf::Write(const QString& path, const PdfProgress& progress, QString* error) {
  return WriteBookPdf(book_->View, path, options_, progress, error);
}

bool WriteAlbumPdf(const AlbumModel& model, const AlbumLook& look, const ProgramSettings& settings,
                   const QString& path, const PdfOptions& options, const PdfProgress& progress,
                   QString* error) {
  return AlbumPdf(model, look, settings, options).Write(path, progress, error);
}
