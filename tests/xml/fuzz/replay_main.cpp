// Runs the fuzz target over every file of the given folders or files (the saved corpus).

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
  size_t replayed = 0;
  const auto replay = [&replayed](const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    // A copy of exactly the input's size, so that reading past it is caught.
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    ++replayed;
  };
  for (int i = 1; i < argc; ++i) {
    if (!fs::is_directory(argv[i])) replay(argv[i]);
    std::error_code notFolder;  // a file: no entries
    for (const auto& entry : fs::recursive_directory_iterator(argv[i], notFolder)) {
      if (entry.is_regular_file()) replay(entry.path());
    }
  }
  std::printf("replayed %zu inputs\n", replayed);
  return replayed == 0;
}
