#pragma once
// The reference both XML benchmarks time against: one expat SAX pass over
// Windows-1250 album bytes, with element and character-data handlers.

#include <cstddef>
#include <string>

struct ExpatCount {
  long elements = 0;     // -1 when expat rejected the bytes
  size_t textBytes = 0;  // keeps the text work from being optimised away
};

ExpatCount ExpatPass(const std::string& bytes);
