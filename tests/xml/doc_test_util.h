#pragma once
// Helpers for the document component's tests: a temporary folder, whole-file
// reads and writes, and a walk over every element of an open document.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "doc_dump.h"
#include "xml/xml_data.h"
#include "xml/xml_file.h"

namespace xml_test {

class TempDir {
 public:
  TempDir() {
    namespace fs = std::filesystem;
    for (int i = 0;; ++i) {
      path_ = fs::temp_directory_path() / ("qv-xml-doc-" + std::to_string(::getpid()) + "-" +
                                           std::to_string(counter_++) + "-" + std::to_string(i));
      if (fs::create_directory(path_)) break;
    }
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string Path(const std::string& name) const { return (path_ / name).string(); }
  std::string Folder() const { return path_.string(); }

 private:
  static inline int counter_ = 0;
  std::filesystem::path path_;
};

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  ASSERT_TRUE(out.good()) << path;
}

// A store that reports files as read-only or fails every write.
class RefusingStore : public xml::FileStore {
 public:
  bool writable = true;
  bool failWrites = false;
  int writes = 0;
  bool CanWrite(const std::string& path) override {
    return writable && xml::FileStore::CanWrite(path);
  }
  bool WriteAtomically(const std::string& path, const std::string& bytes) override {
    ++writes;
    return !failWrites && xml::FileStore::WriteAtomically(path, bytes);
  }
};

}  // namespace xml_test
