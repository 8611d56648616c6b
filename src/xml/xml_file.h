#pragma once
// Reading a whole file and replacing a file atomically, the only file access
// of the document component. The document reaches the disk through a
// FileStore so that tests can stand in a store that fails or refuses writes
// (tests run as root, where file permissions do not stop a write).

#include <cstddef>
#include <string>

namespace xml {

class FileStore {
 public:
  virtual ~FileStore() = default;

  // Reads the whole file into bytes; false when it cannot be opened or read
  // completely, or is larger than limit (checked before anything is read) or
  // than memory allows.
  virtual bool ReadFile(const std::string& path, std::string& bytes, size_t limit);
  // True when the file exists and may be opened for writing.
  virtual bool CanWrite(const std::string& path);
  // Replaces (or creates) the file with bytes: a temporary file in the same folder is
  // written and then renamed over the old one, so a failure at any step leaves the old
  // file as it was. A symbolic link is followed and its target replaced.
  virtual bool WriteAtomically(const std::string& path, const std::string& bytes);

  // The store used when none is set.
  static FileStore& Default();
};

bool FileExists(const std::string& path);
// The folder part of a path ("" when it has none).
std::string DirectoryOf(const std::string& path);
// A relative name taken relative to folder; absolute names and an empty folder unchanged.
std::string ResolveAgainst(const std::string& folder, const std::string& name);

}  // namespace xml
