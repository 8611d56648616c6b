#pragma once
// Helpers shared by the parser tests: parts rendered as short strings.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "xml/xml_parser.h"

namespace xml_test {

// "Kind name|content" of the current part, attributes as " n=v" in list order.
inline std::string Describe(const xml::TXmlParser& p) {
  static const char* const kinds[] = {"none",  "prolog", "comment", "pi",   "doctype",
                                      "start", "empty",  "end",     "text", "cdata"};
  std::string s = kinds[p.PartType()];
  s += ' ';
  s += p.PartName();
  s += '|';
  s += p.PartContent();
  for (const xml::TAttr& a : p.PartAttributes()) s += " " + a.Name + "=" + a.Value;
  return s;
}

// Every part of one pass. The text is copied into a buffer of exactly its
// size, so that a read past its end is caught by the address sanitizer.
inline std::vector<std::string> Parts(xml::TXmlParser& p, const std::string& text) {
  static std::vector<char> buffer;
  buffer.assign(text.begin(), text.end());
  p.UseBuffer(buffer.data(), buffer.size());
  std::vector<std::string> out;
  while (p.NextPart()) out.push_back(Describe(p));
  return out;
}

inline std::vector<std::string> Parts(const std::string& text) {
  xml::TXmlParser p;
  return Parts(p, text);
}

// The content of the first text part.
inline std::string FirstText(xml::TXmlParser& p, const std::string& text) {
  static std::vector<char> buffer;
  buffer.assign(text.begin(), text.end());
  p.UseBuffer(buffer.data(), buffer.size());
  while (p.NextPart()) {
    if (p.PartType() == xml::pkText) return p.PartContent();
  }
  return "<no text>";
}

inline std::string FirstText(const std::string& text) {
  xml::TXmlParser p;
  return FirstText(p, text);
}

// A scratch folder removed with the object.
class TempDir {
 public:
  TempDir() {
    path_ = std::filesystem::temp_directory_path() /
            ("qv_xml_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter_++));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string Write(const std::string& name, const std::string& bytes) const {
    const std::filesystem::path file = path_ / name;
    std::ofstream(file, std::ios::binary) << bytes;
    return file.string();
  }
  std::string Path() const { return path_.string(); }

 private:
  std::filesystem::path path_;
  static inline int counter_ = 0;
};

}  // namespace xml_test
