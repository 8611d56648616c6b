#include "command_line.h"

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
    if (result.file.isEmpty() && !arg.isEmpty()) result.file = arg;
  }
  return result;
}

QString HelpText() {
  return QStringLiteral(
      "Usage: quirevale [FILE]\n"
      "Shows a photo album as a book.\n"
      "\n"
      "FILE is an album file (.ALB), a format file (.AFM) or an album data file (.XML);\n"
      "further arguments are ignored.\n"
      "\n"
      "  -h, --help     show this help and exit\n"
      "  -v, --version  show the version and exit\n");
}
