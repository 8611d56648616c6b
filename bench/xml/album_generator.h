#pragma once
// Album data files as the program writes them: the header lines, a title,
// chapter links and one six-line photo block per image, in Windows-1250 with
// CR LF line ends.

#include <string>

namespace bench {

// The bytes of a main data file with `images` photo blocks. The same count
// always gives the same bytes.
std::string GenerateAlbumData(int images);

// The number of elements the file holds (what every parser must report).
long ExpectedElementCount(int images);

}  // namespace bench
