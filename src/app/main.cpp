#include <QApplication>
#include <QTextStream>

#include "app/command_line.h"
#include "app/render_command.h"

int main(int argc, char* argv[]) {
  // --help and --version answer without a display, so parse before the GUI starts.
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const CommandLine command = ParseCommandLine(arguments);
  QTextStream out(stdout);
  QTextStream err(stderr);
  switch (command.action) {
    case CommandLine::Action::ShowHelp:
      out << HelpText();
      return 0;
    case CommandLine::Action::ShowVersion:
      out << "quirevale 1.0\n";
      return 0;
    case CommandLine::Action::Error:
      err << "quirevale: " << command.error << "\n"
          << "Try 'quirevale --help'.\n";
      return 2;
    case CommandLine::Action::Render:
      // Rendering needs no window: unless told otherwise, draw without a
      // display, so it runs on servers and CI alike.
      if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
      break;
    case CommandLine::Action::Run:
      break;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quirevale"));
  QApplication::setApplicationVersion(QStringLiteral("1.0"));
  if (command.action == CommandLine::Action::Render) return RunRenderCommand(command, out, err);
  // The book window arrives with the browser; until then there is nothing to show.
  out << "Quirevale 1.0: no window to show yet"
      << (command.file.isEmpty() ? QString() : QStringLiteral(" for ") + command.file) << '\n';
  return 0;
}
