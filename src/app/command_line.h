#pragma once
// What the program was asked to do on its command line: at most one file to
// open (further arguments are ignored), or --help / --version.

#include <QString>
#include <QStringList>

struct CommandLine {
  enum class Action { Run, ShowHelp, ShowVersion };
  Action action = Action::Run;
  QString file;  // empty: start with the closed book of an empty album
};

// arguments as QCoreApplication::arguments() gives them (program name first).
CommandLine ParseCommandLine(const QStringList& arguments);

QString HelpText();
