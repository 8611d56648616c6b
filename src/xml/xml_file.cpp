#include "xml_file.h"

#include <filesystem>
#include <fstream>
#include <new>
#include <system_error>

namespace xml {

namespace fs = std::filesystem;

bool FileStore::ReadFile(const std::string& path, std::string& bytes, size_t limit) {
  bytes.clear();
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::error_code ec;
  const auto size = fs::file_size(path, ec);
  if (ec || size > limit) return false;
  try {
    bytes.resize(static_cast<size_t>(size));
  } catch (const std::bad_alloc&) {
    return false;
  }
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  // A short read (the file shrank meanwhile) is a failure; so is a file that grew.
  if (static_cast<size_t>(in.gcount()) != bytes.size()) return false;
  return in.peek() == std::char_traits<char>::eof();
}

bool FileStore::CanWrite(const std::string& path) {
  // Opening for update neither creates nor truncates, so asking costs nothing.
  std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
  return f.is_open();
}

bool FileStore::WriteAtomically(const std::string& path, const std::string& bytes) {
  std::error_code ec;
  fs::path target(path);
  if (fs::is_symlink(target, ec)) {
    target = fs::canonical(target, ec);
    if (ec) return false;
  }
  const bool existed = fs::exists(target, ec);
  fs::path temp;
  for (int attempt = 0;; ++attempt) {
    if (attempt == 1000) return false;
    temp = target;
    temp += ".tmp" + std::to_string(attempt);
    if (!fs::exists(temp, ec)) break;
  }
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      fs::remove(temp, ec);
      return false;
    }
  }
  if (existed) {
    // The new file keeps the old one's permissions.
    const auto perms = fs::status(target, ec).permissions();
    if (!ec) fs::permissions(temp, perms, ec);
  }
  fs::rename(temp, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    return false;
  }
  return true;
}

FileStore& FileStore::Default() {
  static FileStore store;
  return store;
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

std::string DirectoryOf(const std::string& path) { return fs::path(path).parent_path().string(); }

std::string ResolveAgainst(const std::string& folder, const std::string& name) {
  if (folder.empty() || name.empty()) return name;
  const fs::path p(name);
  if (p.is_absolute()) return name;
  return (fs::path(folder) / p).lexically_normal().string();
}

}  // namespace xml
