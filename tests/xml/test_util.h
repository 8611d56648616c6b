#pragma once
// Helpers of the XML toolkit's tests: a scratch folder, parts rendered as
// short strings, a document opened from given text, and a file store that
// refuses every write.

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "xml/xml_data.h"
#include "xml/xml_file.h"
#include "xml/xml_parser.h"

namespace xml_test {

using Strings = std::vector<std::string>;

// A scratch folder removed with the object.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qv-xml-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string Path(const std::string& name = {}) const { return (path_ / name).string(); }
  std::string Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path_ / name, std::ios::binary) << bytes;
    return Path(name);
  }

 private:
  std::filesystem::path path_;
};

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// "kind name|content" of the current part, then " n=v" for each attribute.
inline std::string Describe(const xml::XmlParser& p) {
  static const char* const kinds[] = {"none",  "prolog", "comment", "pi",   "doctype",
                                      "start", "empty",  "end",     "text", "cdata"};
  std::string s = std::string(kinds[p.PartType()]) + " " + p.PartName() + "|" + p.PartContent();
  for (const xml::Attr& a : p.PartAttributes()) s += " " + a.Name + "=" + a.Value;
  return s;
}

// Starts a pass over a copy of the text in a heap block of exactly its size,
// so that a read past its end is caught by the address sanitizer. The block
// lives until the next call.
inline void Use(xml::XmlParser& p, const std::string& text) {
  static std::unique_ptr<char[]> block;
  block = std::make_unique<char[]>(text.size());
  std::copy(text.begin(), text.end(), block.get());
  p.UseBuffer(block.get(), text.size());
}

inline Strings Parts(xml::XmlParser& p, const std::string& text) {
  Use(p, text);
  Strings out;
  while (p.NextPart()) out.push_back(Describe(p));
  return out;
}

inline Strings Parts(const std::string& text) {
  xml::XmlParser p;
  return Parts(p, text);
}

// The content of the first text part.
inline std::string FirstText(xml::XmlParser& p, const std::string& text) {
  Use(p, text);
  while (p.NextPart()) {
    if (p.PartType() == xml::pkText) return p.PartContent();
  }
  return "<no text>";
}

inline std::string FirstText(const std::string& text) {
  xml::XmlParser p;
  return FirstText(p, text);
}

// The attributes of the first start or empty-element tag.
inline const xml::AttrList& Attrs(xml::XmlParser& p, const std::string& text) {
  Use(p, text);
  while (p.NextPart() && p.PartType() != xml::pkStartTag && p.PartType() != xml::pkEmptyTag) {
  }
  return p.PartAttributes();
}

// A store that reports every file read-only and fails every write.
class RefusingStore : public xml::FileStore {
 public:
  int writes = 0;
  bool CanWrite(const std::string&) override { return false; }
  bool WriteAtomically(const std::string&, const std::string&) override { return ++writes, false; }
};

// A document written to a scratch file and opened, its errors collected.
struct OpenDoc {
  TempDir dir;
  xml::XmlData doc;
  std::string path;
  Strings errors;  // "code message"
  std::vector<int> warnings;

  explicit OpenDoc(const std::string& text, bool open = true) {
    path = dir.Write("doc.xml", text);
    doc.SetFileName(path);
    doc.OnStructureError = [this](int code, const std::string& msg, int, int) {
      errors.push_back(std::to_string(code) + " " + msg);
    };
    doc.OnParseWarning = [this](int code, const std::string&, int, int, bool&) {
      warnings.push_back(code);
    };
    if (open) doc.Open();
  }
  std::unique_ptr<xml::XmlElement> At(const std::vector<int>& childPath) const {
    std::unique_ptr<xml::XmlElement> e = doc.Root();
    for (int i : childPath) e = e->ChildAt(i);
    return e;
  }
  std::string Bytes() const { return ReadBytes(path); }
};

}  // namespace xml_test
