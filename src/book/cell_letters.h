#pragma once
// The characters that mark the cells of a spread for "Show letters", and
// the way back from a typed character to its cell. Marks and keys share
// this one table.

#include <QChar>

// The mark of the spread's cell n (0 = the first cell): "a" to "z", then the
// printable characters that follow "z" in the album's code page
// (Windows-1250), skipping controls, unassigned bytes and invisible ones.
// A null QChar for cells past the end of the table: they get no mark.
QChar LetterForCell(int n);

// The cell marked with letter (exactly as LetterForCell gives it), or -1.
int CellForLetter(QChar letter);
