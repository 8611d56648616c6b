#pragma once
// The pre-print check: what a print shop would send back, found before
// anything is written.

#include <QString>
#include <vector>

class AlbumModel;
class BookView;
class SizedBookWindow;

// A picture printed below this many pixels per inch looks soft.
constexpr int MinPrintPpi = 200;

struct PrintFinding {
  enum class Kind { Missing, Unreadable, Video, LowResolution, TextDoesNotFit };
  Kind What = Kind::Missing;
  int Chapter = 0;
  int Image = -1;  // the picture's index in its chapter; -1 for a text
  QString File;
  int Ppi = 0;   // LowResolution: at its printed size
  QString Text;  // TextDoesNotFit: the text as drawn
};

// Every missing, unreadable or video entry, every picture below MinPrintPpi
// at its printed size, and every text cut or shortened on any spread of the
// book, laid out in window as it will be printed (the cover too when
// withCover). The book shows the cover again afterwards.
std::vector<PrintFinding> CheckBookForPrint(BookView& book, SizedBookWindow& window,
                                            bool withCover);

// One line for a person: where, which file or text, what is wrong.
QString DescribeFinding(const PrintFinding& finding, const AlbumModel& model);
