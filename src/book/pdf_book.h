#pragma once
// The book as a print-ready PDF: every sheet drawn by the book's own code at
// the paper's size, text as text, pictures decoded anew for the printed cell.

#include <QSize>
#include <QString>
#include <functional>

#include "book/pdf_sheet.h"

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
// PdfLayoutSize(options), into path. The file is replaced only when the whole book is written;
// false with a message in *error when it cannot be (or was cancelled: error "cancelled"). The book
// shows the cover afterwards, with screen pictures again.
bool WriteBookPdf(BookView& book, const QString& path, const PdfOptions& options,
                  const PdfProgress& progress, QString* error);

// WriteBookPdf for the album of a window, drawn by a book of its own on a
// copy of the model with the window's look and settings, so the window's book
// and pictures stay as they are.
bool WriteAlbumPdf(const AlbumModel& model, const AlbumLook& look, const ProgramSettings& settings,
                   const QString& path, const PdfOptions& options, const PdfProgress& progress,
                   QString* error);
