#include <QApplication>
#include <QTextStream>

#include "app/command_line.h"
#include "app/pdf_command.h"
#include "app/render_command.h"
#include "app/startup.h"

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
    case CommandLine::Action::Pdf:
      // Rendering needs no window: unless told otherwise, draw without a
      // display, so it runs on servers and CI alike.
      if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
      break;
    case CommandLine::Action::Run: {
      QString why;
      if (!HasDisplay(&why)) {
        err << "quirevale: " << why << "\n"
            << "To draw an album's pages into files without a display: quirevale --render FILE "
               "--out DIR\n";
        return 1;
      }
      break;
    }
  }

  QApplication app(argc, argv);
  SetProgramIdentity();
  if (command.action == CommandLine::Action::Render) return RunRenderCommand(command, out, err);
  if (command.action == CommandLine::Action::Pdf) return RunPdfCommand(command, out, err);
  return RunBookWindow(command.file);
}
