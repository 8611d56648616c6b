#pragma once
// Every element of an open document as text, shared by the tests and the fuzz
// target (which builds without GoogleTest).

#include <memory>
#include <string>
#include <vector>

#include "xml/xml_data.h"

namespace xml_test {

// One line per element in document order: level, name, attributes, content
// and (unless left out) the three offsets of its entry. Iterative: fuzz input
// may nest deeply.
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

}  // namespace xml_test
