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

// Every element in document order, one line each: level, name, attributes,
// content and the three offsets of its entry.
inline std::string Dump(const xml::TElement& root) {
  std::string out;
  std::vector<std::unique_ptr<xml::TElement>> stack;
  auto line = [&out](const xml::TElement& e) {
    out += std::to_string(e.Level()) + " " + e.Name();
    for (int i = 0; i < e.AttributeCount(); ++i) {
      out += " " + e.AttributeAt(i)->Name() + "=" + e.AttributeAt(i)->Value();
    }
    out += " [" + e.Content() + "]";
    if (const xml::TIndex* x = e.Index()) {
      out += " " + std::to_string(x->StartPos) + "," + std::to_string(x->StartTagEnd) + "," +
             std::to_string(x->EndPos);
    }
    out += "\n";
  };
  line(root);
  for (int i = root.ChildCount() - 1; i >= 0; --i) stack.push_back(root.ChildAt(i));
  while (!stack.empty()) {
    std::unique_ptr<xml::TElement> e = std::move(stack.back());
    stack.pop_back();
    line(*e);
    for (int i = e->ChildCount() - 1; i >= 0; --i) stack.push_back(e->ChildAt(i));
  }
  return out;
}

inline std::string Dump(const xml::TXMLData& doc) {
  std::unique_ptr<xml::TElement> root = doc.Root();
  return root ? Dump(*root) : std::string("(closed)");
}

// The dump a fresh open of the same file gives: an edited document must be
// indistinguishable from one that was read again.
inline std::string DumpReopened(const std::string& path) {
  xml::TXMLData fresh;
  fresh.SetFileName(path);
  if (!fresh.Open()) return "(does not open)";
  return Dump(fresh);
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
