#pragma once
// Where the program's run-time files are (default.AFM, Textures/, help):
// beside the executable, or in ../share/quirevale/ of an installed program.

#include <QString>

// The executable's folder with a trailing "/".
QString ProgramDirectory();

// The path of a run-time file given relative to the program directory: the
// one beside the program when it exists, else the installed one when that
// exists, else the path beside the program.
QString ProgramFile(const QString& relative);
