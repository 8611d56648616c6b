#include "pdf_command.h"

#include <QDir>

#include "app/render_command.h"
#include "book/pdf_book.h"
#include "book/pdf_cover.h"
#include "book/print_check.h"

int RunPdfCommand(const CommandLine& command, QTextStream& out, QTextStream& err) {
  PdfOptions options;
  options.Paper = ParsePaperSize(command.paper).value_or(PaperSize());
  options.Profile = command.profile;
  options.Dpi = command.dpi;
  options.Pages = command.pages;
  options.CoverSpineMm = command.coverSpine;
  HeadlessAlbum album(PdfLayoutSize(options));
  QString error;
  if (!album.Open(command.file, &error)) {
    err << "quirevale: " << error << "\n";
    return 1;
  }
  for (const QString& message : album.Ask.Messages) err << "quirevale: " << message << "\n";
  const AlbumModel& model = album.Album.Model;
  // What a print shop would send back, before anything is written.
  const std::vector<PrintFinding> findings =
      CheckBookForPrint(album.Book, album.Window, PrintsCover(options));
  for (const PrintFinding& finding : findings)
    err << "quirevale: check: " << DescribeFinding(finding, model) << "\n";
  if (command.strict && !findings.empty()) {
    err << "quirevale: " << findings.size() << " findings, nothing written (--strict)\n";
    return 3;
  }
  int shown = -3;
  auto progress = [&](int chapter, int percent) {
    if (chapter != shown) {
      shown = chapter;
      if (chapter == -1)
        out << percent << "% cover\n";
      else if (chapter >= 0)
        out << percent << "% chapter " << chapter + 1 << ": " << model.DataTitles.value(chapter)
            << "\n";
      out.flush();
    }
    return true;
  };
  if (!WriteBookPdf(album.Book, command.outDir, options, progress, &error)) {
    err << "quirevale: " << error << "\n";
    return 1;
  }
  // The sheet count sizes the spine: the person checks its width with the print shop.
  out << "100% " << QDir::toNativeSeparators(command.outDir) << ", "
      << PdfSheetCount(album.Book, options) << " sheets";
  if (options.CoverSpineMm > 0)
    out << "; cover " << QDir::toNativeSeparators(PdfCoverPath(command.outDir)) << ", spine "
        << options.CoverSpineMm << " mm";
  out << "\n";
  return 0;
}
