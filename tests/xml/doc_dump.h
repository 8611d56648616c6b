#pragma once
// A walk over every element of an open document, shared by the tests and the
// fuzz target (which builds without GoogleTest).

#include <memory>
#include <string>
#include <vector>

#include "xml/xml_data.h"

namespace xml_test {

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

}  // namespace xml_test
