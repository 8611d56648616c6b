// Runs the fuzz target once over every file of the given folders or files,
// so that the saved corpus is checked by the ordinary sanitizer build.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::vector<fs::path> files(argv + 1, argv + argc);
  for (int i = 1; i < argc; ++i) {
    if (!fs::is_directory(argv[i])) continue;
    for (const auto& entry : fs::recursive_directory_iterator(argv[i])) {
      if (entry.is_regular_file()) files.push_back(entry.path());
    }
  }
  size_t replayed = 0;
  for (const fs::path& file : files) {
    if (fs::is_directory(file)) continue;
    std::ifstream in(file, std::ios::binary);
    const std::string read((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // A copy of exactly the input's size, so that reading past it is caught.
    const std::vector<uint8_t> bytes(read.begin(), read.end());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    ++replayed;
  }
  std::printf("replayed %zu inputs\n", replayed);
  return replayed == 0;
}
