#pragma once
// Texts rewritten with other line ends, for the checks that line ends do not
// change what a reader of XML sees. Shared by the fuzz targets and the tests.

#include <string>
#include <string_view>

namespace xml_test {

// The text with every line end (CR LF, CR or LF) written as lineEnd.
inline std::string WithLineEnds(std::string_view text, std::string_view lineEnd) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      out += lineEnd;
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace xml_test
