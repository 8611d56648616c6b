#include "command_line.h"

#include <QRegularExpression>

#include "book/pdf_book.h"

namespace {

CommandLine Failed(const QString& message) {
  CommandLine result;
  result.action = CommandLine::Action::Error;
  result.error = message;
  return result;
}

// Everything after --render; the file is the first word that is no option.
CommandLine ParseRender(const QStringList& arguments, qsizetype from) {
  CommandLine result;
  result.action = CommandLine::Action::Render;
  bool haveChapter = false;
  bool haveSpread = false;
  for (qsizetype i = from; i < arguments.size(); ++i) {
    const QString& arg = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    const QString value = hasValue ? arguments[i + 1] : QString();
    if (arg == u"--out" || arg == u"--size" || arg == u"--chapter" || arg == u"--spread") {
      if (!hasValue) return Failed(QStringLiteral("%1 needs a value").arg(arg));
      ++i;
    }
    bool ok = true;
    if (arg == u"--out") {
      result.outDir = value;
    } else if (arg == u"--size") {
      const QRegularExpressionMatch m =
          QRegularExpression(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$")).match(value);
      if (!m.hasMatch())
        return Failed(QStringLiteral("--size wants WIDTHxHEIGHT, not %1").arg(value));
      result.size = QSize(m.captured(1).toInt(), m.captured(2).toInt());
      // The main window's minimum size.
      if (result.size.width() < 350 || result.size.height() < 350)
        return Failed(QStringLiteral("--size must be at least 350x350"));
    } else if (arg == u"--chapter") {
      result.chapter = value.toInt(&ok);
      if (!ok || result.chapter < 0) return Failed(QStringLiteral("--chapter wants a number >= 0"));
      haveChapter = true;
    } else if (arg == u"--spread") {
      result.spread = value.toInt(&ok);
      if (!ok || result.spread < -1) return Failed(QStringLiteral("--spread wants a number >= -1"));
      haveSpread = true;
    } else if (arg.startsWith(u"--")) {
      return Failed(QStringLiteral("unknown option %1").arg(arg));
    } else if (result.file.isEmpty()) {
      result.file = arg;
    }
  }
  if (result.file.isEmpty()) return Failed(QStringLiteral("--render needs a FILE"));
  if (result.outDir.isEmpty()) return Failed(QStringLiteral("--render needs --out DIR"));
  if (haveChapter != haveSpread)
    return Failed(QStringLiteral("--chapter and --spread go together"));
  return result;
}

// Everything after --pdf; the file is the first word that is no option.
CommandLine ParsePdf(const QStringList& arguments, qsizetype from) {
  CommandLine result;
  result.action = CommandLine::Action::Pdf;
  for (qsizetype i = from; i < arguments.size(); ++i) {
    const QString& arg = arguments[i];
    const bool takesValue = arg == u"--out" || arg == u"--page-size" || arg == u"--dpi" ||
                            arg == u"--profile" || arg == u"--cover-spine";
    if (takesValue && i + 1 >= arguments.size())
      return Failed(QStringLiteral("%1 needs a value").arg(arg));
    const QString value = takesValue ? arguments[++i] : QString();
    bool ok = true;
    if (arg == u"--out") {
      result.outDir = value;
    } else if (arg == u"--page-size") {
      if (!ParsePaperSize(value))
        return Failed(QStringLiteral("--page-size wants A4, A5, Letter or WIDTHxHEIGHT in mm, cm "
                                     "or in (210.5x297mm, 8.5x11in; 90 to 2000 mm), not %1")
                          .arg(value));
      result.paper = value;
    } else if (arg == u"--dpi") {
      result.dpi = value.toInt(&ok);
      if (!ok || result.dpi < MinPdfDpi || result.dpi > MaxPdfDpi)
        return Failed(
            QStringLiteral("--dpi wants a number from %1 to %2").arg(MinPdfDpi).arg(MaxPdfDpi));
    } else if (arg == u"--spreads" || arg == u"--pages") {
      result.pages = arg == u"--pages";
    } else if (arg == u"--profile") {
      const std::optional<PdfProfile> profile = ParsePdfProfile(value);
      if (!profile)
        return Failed(
            QStringLiteral("--profile wants screen, home or print-shop, not %1").arg(value));
      result.profile = *profile;
    } else if (arg == u"--cover-spine") {
      result.coverSpine = value.toDouble(&ok);
      if (!ok || !(result.coverSpine > 0 && result.coverSpine <= MaxCoverSpineMm))
        return Failed(QStringLiteral("--cover-spine wants the spine's width in mm, more than 0 "
                                     "and at most %1, not %2")
                          .arg(MaxCoverSpineMm)
                          .arg(value));
    } else if (arg == u"--strict") {
      result.strict = true;
    } else if (arg.startsWith(u"--")) {
      return Failed(QStringLiteral("unknown option %1").arg(arg));
    } else if (result.file.isEmpty()) {
      result.file = arg;
    }
  }
  if (result.file.isEmpty()) return Failed(QStringLiteral("--pdf needs a FILE"));
  if (result.outDir.isEmpty()) return Failed(QStringLiteral("--pdf needs --out BOOK.pdf"));
  if (result.coverSpine > 0 && result.profile != PdfProfile::PrintShop)
    return Failed(QStringLiteral("--cover-spine goes with --profile print-shop"));
  return result;
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
  CommandLine result;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& arg = arguments[i];
    if (arg == u"--help" || arg == u"-h") {
      result.action = CommandLine::Action::ShowHelp;
      return result;
    }
    if (arg == u"--version" || arg == u"-v") {
      result.action = CommandLine::Action::ShowVersion;
      return result;
    }
    if (arg == u"--render" && result.file.isEmpty()) return ParseRender(arguments, i + 1);
    if (arg == u"--pdf" && result.file.isEmpty()) return ParsePdf(arguments, i + 1);
    if (result.file.isEmpty() && !arg.isEmpty()) result.file = arg;
  }
  return result;
}

QString HelpText() {
  return QStringLiteral(
      "Usage: quirevale [FILE]\n"
      "       quirevale --render FILE --out DIR [--size WxH] [--chapter K --spread P]\n"
      "       quirevale --pdf FILE --out BOOK.pdf [--page-size A4|A5|Letter|WxH(mm|cm|in)]\n"
      "                 [--dpi N] [--spreads|--pages] [--profile screen|home|print-shop]\n"
      "                 [--strict] [--cover-spine MM]\n"
      "Shows a photo album as a book.\n"
      "\n"
      "FILE is an album file (.ALB), a format file (.AFM) or an album data file (.XML);\n"
      "further arguments are ignored.\n"
      "\n"
      "  -h, --help     show this help and exit\n"
      "  -v, --version  show the version and exit\n"
      "  --render       draw the book into PNG files in DIR without a window: the\n"
      "                 closed cover and every spread of every chapter, or only\n"
      "                 spread P of chapter K (P = -1: the cover); --size sets the\n"
      "                 window size (default: the album look's)\n"
      "  --pdf          write the book as one print-ready PDF without a window: the\n"
      "                 cover and every spread of every chapter, a spread on each\n"
      "                 landscape sheet (--spreads, the default) or a page on each\n"
      "                 portrait sheet (--pages); --page-size sets the paper\n"
      "                 (default A4; WxH is the sheet as written, e.g. 300x200mm,\n"
      "                 8.5x11in), --dpi the pictures' resolution (default 300)\n"
      "  --profile      screen (default): the book as the window shows it;\n"
      "                 home: for a desktop printer, 6 mm margins, no decoration;\n"
      "                 print-shop: a page on each sheet (--spreads is ignored) at\n"
      "                 the paper size plus 3 mm bleed, trim and bleed boxes, no\n"
      "                 text or picture within 5 mm of the trim or 10 mm of the spine\n"
      "  --strict       any finding of the pre-print check is an error (exit 3,\n"
      "                 nothing written)\n"
      "  --cover-spine  print-shop: also write the cover sheet, BOOK-cover.pdf: back,\n"
      "                 spine MM wide (ask the print shop for the sheet count\n"
      "                 shown at the end) and front, with 3 mm bleed; the title\n"
      "                 runs along a spine of 6 mm or more\n");
}
