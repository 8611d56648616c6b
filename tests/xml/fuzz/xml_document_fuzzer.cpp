// Fuzz target: opens arbitrary bytes as a document, walks every element (once
// with the direct reading of plain elements, once with the parser alone, which
// must agree), and when the document may be edited, makes a few edits and
// checks that the edited index reads exactly what a fresh open of the written
// file reads.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "doc_dump.h"
#include "xml/xml_data.h"

namespace {

const std::string& FuzzFile() {
  static const std::string path =
      (std::filesystem::temp_directory_path() / ("qv-fuzz-document-" + std::to_string(getpid())))
          .string();
  return path;
}

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "fuzz_document: %s\n", what);
    std::abort();
  }
}

// Every entry lies inside its parent and after its previous sibling.
void CheckIndex(const xml::TXMLData& doc) {
  const xml::TIndexTree& tree = doc.IndexTree();
  const auto size = static_cast<int32_t>(doc.Text().size());
  std::vector<int32_t> todo{0};
  while (!todo.empty()) {
    const int32_t id = todo.back();
    todo.pop_back();
    const xml::TIndex& e = tree[id];
    Check(0 <= e.StartPos && e.StartPos <= e.StartTagEnd && e.End() <= size, "offsets");
    int32_t previousEnd = e.StartTagEnd + 1;
    for (int32_t i = 0; i < e.ChildCount; ++i) {
      const xml::TIndex& c = tree[tree.ChildAt(id, i)];
      Check(c.StartPos >= previousEnd, "sibling order");
      Check(e.EndPos == 0 || c.End() <= e.EndPos, "child inside parent");
      previousEnd = c.End();
      todo.push_back(tree.ChildAt(id, i));
    }
  }
}

void Edit(xml::TXMLData& doc, const std::string& path) {
  std::unique_ptr<xml::TElement> root = doc.Root();
  root->SetName("renamed-root-element");
  if (root->AttributeCount() > 0) root->AttributeAt(0)->SetValue("v \"&<>\" \xC3\xA9");
  if (std::unique_ptr<xml::TElement> last = root->ChildAt(root->ChildCount() - 1)) {
    last->SetName("z");
  }
  if (std::unique_ptr<xml::TElement> first = root->ChildAt(0)) {
    first->SetContent("x & <y>");
  }
  if (std::unique_ptr<xml::TElement> second = root->ChildAt(1)) {
    second->ReplaceXML("\t<n a=\"1\">\r\n\t\t<m/>\r\n\t</n>\r\n");
  }
  CheckIndex(doc);
  Check(xml_test::Dump(doc) == xml_test::DumpReopened(path), "edited index differs from file");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = FuzzFile();
  {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return 0;
    if (size > 0) std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  xml::TXMLData doc;
  doc.SetFileName(path);
  if (doc.Open()) {
    CheckIndex(doc);
    const std::string dump = xml_test::Dump(doc);
    doc.FastElementReads = false;
    Check(dump == xml_test::Dump(doc), "plain elements read otherwise than by the parser");
    doc.FastElementReads = true;
    if (doc.IsWellStructured()) Edit(doc, path);
  }
  doc.Close();
  std::remove(path.c_str());
  return 0;
}
