#pragma once
// Helpers of the XML tests and fuzz targets (no GoogleTest here).

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
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

// The text with every line end (CR LF, CR or LF) written as lineEnd.
inline std::string WithLineEnds(std::string_view text, std::string_view lineEnd) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') {
      out += text[i];
      continue;
    }
    out += lineEnd;
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
  }
  return out;
}

// "kind name|content" of the current part, then " n=v" for each attribute.
inline std::string Describe(const xml::XmlParser& p) {
  static const char* const kinds[] = {"none",  "prolog", "comment", "pi",   "doctype",
                                      "start", "empty",  "end",     "text", "cdata"};
  std::string s = std::string(kinds[p.PartType()]) + " " + p.PartName() + "|" + p.PartContent();
  for (const xml::Attr& a : p.PartAttributes()) s += " " + a.Name + "=" + a.Value;
  return s;
}

// The parts left in the pass, described.
inline Strings Rest(xml::XmlParser& p) {
  Strings out;
  while (p.NextPart()) out.push_back(Describe(p));
  return out;
}

// Starts a pass over a heap copy of exactly the text's size (the address sanitizer catches
// a read past it); the copy lives until the next call.
inline void Use(xml::XmlParser& p, const std::string& text) {
  static std::unique_ptr<char[]> block;
  block = std::make_unique<char[]>(text.size());
  std::copy(text.begin(), text.end(), block.get());
  p.UseBuffer(block.get(), text.size());
}

// The parts, the first text, the first tag's attributes; read by p or a fresh parser.
template <class Parser = xml::XmlParser>
Strings Parts(const std::string& text, Parser&& p = Parser()) {
  Use(p, text);
  return Rest(p);
}

template <class Parser = xml::XmlParser>
std::string FirstText(const std::string& text, Parser&& p = Parser()) {
  Use(p, text);
  while (p.NextPart()) {
    if (p.PartType() == xml::pkText) return p.PartContent();
  }
  return "<no text>";
}

inline const xml::AttrList& Attrs(xml::XmlParser& p, const std::string& text) {
  Use(p, text);
  while (p.NextPart() && p.PartType() != xml::pkStartTag && p.PartType() != xml::pkEmptyTag) {
  }
  return p.PartAttributes();
}

// One line per element in document order: level, name, attributes, content and (unless
// left out) its entry's offsets. Iterative: fuzz input may nest deeply.
inline std::string Dump(const xml::XmlData& doc, bool offsets = true) {
  std::vector<std::unique_ptr<xml::XmlElement>> stack;
  if (auto root = doc.Root()) stack.push_back(std::move(root));
  if (stack.empty()) return "(closed)";
  std::string out;
  while (!stack.empty()) {
    const std::unique_ptr<xml::XmlElement> e = std::move(stack.back());
    stack.pop_back();
    out += std::to_string(e->Level()) + " " + e->Name();
    for (int i = 0; i < e->AttributeCount(); ++i) {
      out += " " + e->AttributeAt(i)->Name() + "=" + e->AttributeAt(i)->Value();
    }
    out += " [" + e->Content() + "]";
    if (const xml::IndexEntry* x = offsets ? e->Index() : nullptr) {
      out += " " + std::to_string(x->StartPos) + "," + std::to_string(x->StartTagEnd) + "," +
             std::to_string(x->EndPos);
    }
    out += "\n";
    for (int i = e->ChildCount() - 1; i >= 0; --i) stack.push_back(e->ChildAt(i));
  }
  return out;
}

// What a fresh open of the file gives: an edited document must read the same.
inline std::string DumpReopened(const std::string& path) {
  xml::XmlData fresh;
  fresh.SetFileName(path);
  return fresh.Open() ? Dump(fresh) : "(does not open)";
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
  std::string Bytes() const {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
};

}  // namespace xml_test
