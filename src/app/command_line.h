#pragma once
// What the program was asked to do on its command line: at most one file to
// open (further arguments are ignored), --help / --version, or the headless
// render command:
//   quirevale --render FILE --out DIR [--size WxH] [--chapter K --spread P]
//   quirevale --pdf FILE --out BOOK.pdf [--page-size A4|A5|Letter|WxH(mm|cm|in)] [--dpi N]
//             [--spreads|--pages] [--profile screen|home|print-shop] [--strict]
//             [--cover-spine MM]

#include <QSize>
#include <QString>
#include <QStringList>

#include "book/pdf_sheet.h"

struct CommandLine {
  enum class Action { Run, ShowHelp, ShowVersion, Render, Pdf, Error };
  Action action = Action::Run;
  QString file;  // empty: start with the closed book of an empty album

  // --render
  QString outDir;
  QSize size;        // invalid: the look's window size
  int chapter = -2;  // -2: every chapter (and the cover)
  int spread = -2;   // with chapter: that spread only (-1 is the cover)
  // --pdf (the file written is outDir)
  QString paper = QStringLiteral("A4");
  int dpi = 300;
  bool pages = false;
  PdfProfile profile = PdfProfile::Screen;
  bool strict = false;    // any finding of the pre-print check is an error
  double coverSpine = 0;  // print-shop: > 0 writes the cover sheet for this spine (mm)
  QString error;          // Action::Error: what is wrong, for the user
};

// arguments as QCoreApplication::arguments() gives them (program name first).
CommandLine ParseCommandLine(const QStringList& arguments);

QString HelpText();
