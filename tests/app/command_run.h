#pragma once
// Runs a --render or --pdf command line as main does, keeping what it prints.

#include <QStringList>
#include <QTextStream>

#include "app/pdf_command.h"
#include "app/render_command.h"

struct CommandRun {
  int status = -1;  // also when the line does not parse; err then says why
  QString out;
  QString err;
};

inline CommandRun RunCommand(const QStringList& arguments) {
  const CommandLine command = ParseCommandLine(QStringList{"quirevale"} + arguments);
  CommandRun run;
  QTextStream out(&run.out);
  QTextStream err(&run.err);
  if (command.action == CommandLine::Action::Render) {
    run.status = RunRenderCommand(command, out, err);
  } else if (command.action == CommandLine::Action::Pdf) {
    run.status = RunPdfCommand(command, out, err);
  } else {
    err << command.error;
  }
  out.flush();
  err.flush();
  return run;
}
