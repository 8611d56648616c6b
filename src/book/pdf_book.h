#pragma once
// The book as a print-ready PDF: every sheet drawn by the book's own code at
// the paper's size, text as text, pictures decoded anew for the printed cell.

#include <QSize>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "book/pdf_sheet.h"
#include "book/print_check.h"

class AlbumModel;
struct AlbumLook;
struct ProgramSettings;
class BookView;

// The dpi range offered: enough for proofs and for photo printers alike.
constexpr int MinPdfDpi = 72;
constexpr int MaxPdfDpi = 1200;

// The window size the book is laid out for (PdfSheet::Layout): the sheet's
// part pages go on, a spread or two pages side by side, at the pages' own
// pixel size, so the layout, fonts and lines are those of the window.
QSize PdfLayoutSize(const PdfOptions& options);

// Called before each sheet with the chapter it shows (-1: the cover) and the
// share of sheets done; returning false cancels the export.
using PdfProgress = std::function<bool(int chapter, int percent)>;

// Writes the cover and every spread of every chapter (or every page) of the
// book (print-shop: every page, no cover), whose window must be laid out for
// PdfLayoutSize(options), into path; a print-shop cover sheet (CoverSpineMm)
// into PdfCoverPath(path). The files are replaced only when all is written;
// false with a message in *error when it cannot be (or was cancelled: error "cancelled"). The book
// shows the cover afterwards, with screen pictures again.
bool WriteBookPdf(BookView& book, const QString& path, const PdfOptions& options,
                  const PdfProgress& progress, QString* error);

// The sheets WriteBookPdf writes into the book's file: what a print shop
// counts to size the spine.
int PdfSheetCount(const BookView& book, const PdfOptions& options);

// The album of a window in a book of its own on a copy of the model, with
// the window's look and settings, so the window's book and pictures stay as
// they are: checked, then written.
class AlbumPdf {
 public:
  AlbumPdf(const AlbumModel& model, const AlbumLook& look, const ProgramSettings& settings,
           const PdfOptions& options);
  ~AlbumPdf();
  std::vector<PrintFinding> Check();
  bool Write(const QString& path, const PdfProgress& progress, QString* error);

 private:
  struct Book;
  std::unique_ptr<Book> book_;
  PdfOptions options_;
};

// AlbumPdf's Write without the check.
bool WriteAlbumPdf(const AlbumModel& model, const AlbumLook& look, const ProgramSettings& settings,
                   const QString& path, const PdfOptions& options, const PdfProgress& progress,
                   QString* error);
