#pragma once
// The PDF command: the book of an album written as one print-ready PDF.

#include <QTextStream>

#include "app/command_line.h"

// Runs `quirevale --pdf ...`: opens the file as the program does, writes the
// PDF, prints a line with the share done as each chapter starts; returns the
// exit status (non-zero with a message on err when the file cannot be opened
// or the PDF not written).
int RunPdfCommand(const CommandLine& command, QTextStream& out, QTextStream& err);
