#include <QApplication>
#include <QTextStream>

#include "app/command_line.h"

int main(int argc, char* argv[]) {
  // --help and --version answer without a display, so parse before the GUI starts.
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const CommandLine command = ParseCommandLine(arguments);
  QTextStream out(stdout);
  switch (command.action) {
    case CommandLine::Action::ShowHelp:
      out << HelpText();
      return 0;
    case CommandLine::Action::ShowVersion:
      out << "quirevale 1.0\n";
      return 0;
    case CommandLine::Action::Run:
      break;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quirevale"));
  QApplication::setApplicationVersion(QStringLiteral("1.0"));
  // The book window arrives with the browser; until then there is nothing to show.
  out << "Quirevale 1.0: no window to show yet"
      << (command.file.isEmpty() ? QString() : QStringLiteral(" for ") + command.file) << '\n';
  return 0;
}
