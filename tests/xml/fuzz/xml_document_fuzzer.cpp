// Fuzz target: opens the bytes up to the first zero as a document, walks every
// element (the direct reading of plain elements must agree with the parser's),
// reads it again with each kind of line end, and when it may be edited runs a
// script of edits (the bytes after the zero, or a fixed one) on held, possibly
// stale elements: after each, the index must read what a fresh open reads.

#include <cstdio>
#include <cstdlib>

#include "test_util.h"

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "fuzz_document: %s\n", what);
    std::abort();
  }
}

// The scratch folder of this run: files are written there, never beside the corpus.
const xml_test::TempDir& Scratch() {
  static const xml_test::TempDir dir;
  return dir;
}

// Every entry lies inside its parent, after its previous sibling, at its level.
void CheckIndex(const xml::XmlData& doc) {
  const xml::XmlIndexTree& tree = doc.IndexTree();
  const auto size = static_cast<int32_t>(doc.Text().size());
  std::vector<int32_t> todo{0};
  while (!todo.empty()) {
    const int32_t id = todo.back();
    todo.pop_back();
    const xml::IndexEntry& e = tree[id];
    Check(0 <= e.StartPos && e.StartPos <= e.StartTagEnd && e.End() <= size, "offsets");
    Check(e.Parent < 0 ? e.Level == 0 : e.Level == tree[e.Parent].Level + 1, "level");
    int32_t previousEnd = e.StartTagEnd + 1;
    for (int32_t i = 0; i < e.ChildCount; ++i) {
      const xml::IndexEntry& c = tree[tree.ChildAt(id, i)];
      Check(c.StartPos >= previousEnd, "sibling order");
      Check(e.EndPos == 0 || c.End() <= e.EndPos, "child inside parent");
      previousEnd = c.End();
      todo.push_back(tree.ChildAt(id, i));
    }
  }
}

void CheckMatchesFile(const xml::XmlData& doc, const std::string& path) {
  CheckIndex(doc);
  Check(xml_test::Dump(doc) == xml_test::DumpReopened(path), "edited index differs from file");
}

// Reads the script: bytes and strings, zero when it is spent.
struct Script {
  std::string_view bytes;
  size_t at = 0;
  bool More() const { return at < bytes.size(); }
  uint8_t Byte() { return More() ? bytes[at++] : 0; }
  std::string Text() {
    const size_t length = Byte() % 48;
    std::string s;
    for (size_t i = 0; i < length && More(); ++i) s += static_cast<char>(Byte());
    return s;
  }
};

// Runs the script on an open, editable document.
void RunScript(xml::XmlData& doc, const std::string& path, Script& script) {
  std::vector<std::unique_ptr<xml::XmlElement>> held;
  for (int step = 0; step < 24 && script.More(); ++step) {
    const uint8_t op = script.Byte() % 13;
    if (op == 0 || held.empty()) {
      // Hold an element reached from the root by child positions.
      std::unique_ptr<xml::XmlElement> e = doc.Root();
      for (int depth = script.Byte() % 4; depth > 0 && e && e->ChildCount() > 0; --depth) {
        e = e->ChildAt(script.Byte() % e->ChildCount());
      }
      if (e && held.size() < 6) held.push_back(std::move(e));
      continue;
    }
    xml::XmlElement* e = held[script.Byte() % held.size()].get();
    if (op == 1) e->SetName(script.Text());
    if (op == 2) e->SetContent(script.Text());
    if (op == 3) {
      // Read in turn: the order of operands is not fixed within one expression.
      std::string xml = "\t<" + e->Name();
      xml += script.Text();
      xml += ">";
      xml += script.Text();
      e->ReplaceXML(xml + "</" + e->Name() + ">\r\n");
    }
    if (op == 4) e->ReplaceXML(script.Text());
    if ((op == 5 || op == 6) && e->AttributeCount() > 0) {
      xml::XmlAttribute* a = e->AttributeAt(script.Byte() % e->AttributeCount());
      op == 5 ? a->SetValue(script.Text()) : a->SetName(script.Text());
    }
    if (op == 7) e->AddAttribute(script.Text())->SetValue(script.Text());
    if (op == 8) {
      const int setter = script.Byte() % 4;
      if (setter == 0) doc.SetStandalone((script.Byte() & 1) != 0);
      if (setter == 1) doc.SetEncoding(script.Text());
      if (setter == 2) doc.SetXMLVersion(script.Text());
      if (setter == 3) doc.SetDoctype(script.Text());
    }
    if (op == 9) {
      // A DTD beside the document (its name may be written into the header),
      // or none, so the DTD goes into the header as text.
      std::string text = "<!ELEMENT " + e->Name() + " ";
      text += script.Text();
      text += ">";
      const std::string dtd = Scratch().Write("doc.dtd", text + script.Text());
      doc.SetExternalDTD((script.Byte() & 1) != 0 ? dtd : std::string());
      std::remove(dtd.c_str());
    }
    // A second object of a held element: one of the two goes stale.
    if (op == 10 && e->Data() != nullptr && held.size() < 6) {
      if (auto again = doc.ElementFromIndex(e->IndexId())) held.push_back(std::move(again));
    }
    if (op == 11)
      held.erase(held.begin() + static_cast<std::ptrdiff_t>(script.Byte() % held.size()));
    if (op == 12) CheckMatchesFile(doc, path);
  }
  CheckMatchesFile(doc, path);
}

// The script run on input without one.
void FixedEdits(xml::XmlData& doc, const std::string& path) {
  std::unique_ptr<xml::XmlElement> root = doc.Root();
  root->SetName("renamed-root-element");
  if (root->AttributeCount() > 0) root->AttributeAt(0)->SetValue("v \"&<>\"\t\r\n \xC3\xA9");
  if (auto last = root->ChildAt(root->ChildCount() - 1)) last->SetName("z");
  if (auto first = root->ChildAt(0)) first->SetContent("x & <y>");
  if (auto second = root->ChildAt(1)) second->ReplaceXML("\t<n a=\"1\">\r\n\t\t<m/>\r\n\t</n>\r\n");
  CheckMatchesFile(doc, path);
}

std::string Reading(const std::string& bytes) {
  xml::XmlData doc;
  doc.SetFileName(Scratch().Write("line-ends.xml", bytes));
  return doc.Open()
             ? xml_test::Dump(doc, false) + (doc.IsWellStructured() ? "" : "(ill-structured)")
             : "(does not open)";
}

void CheckLineEnds(std::string_view text) {
  // Entity expansion is bounded by a budget that grows with the text's
  // length: a longer text may expand further.
  if (text.find("<!ENTITY") != std::string_view::npos) return;
  const std::string lf = xml_test::WithLineEnds(text, "\n");
  const std::string expected = Reading(lf);
  for (const char* lineEnd : {"\r\n", "\r"}) {
    Check(Reading(xml_test::WithLineEnds(lf, lineEnd)) == expected, "line ends change the reading");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto* bytes = reinterpret_cast<const char*>(data);
  const std::string text(bytes, std::find(bytes, bytes + size, '\0'));
  const size_t docSize = text.size();
  CheckLineEnds(text);
  const std::string path = Scratch().Write("doc.xml", text);
  xml::XmlData doc;
  doc.SetFileName(path);
  if (doc.Open()) {
    CheckIndex(doc);
    const std::string dump = xml_test::Dump(doc);
    doc.FastElementReads = false;
    Check(dump == xml_test::Dump(doc), "plain elements read otherwise than by the parser");
    doc.FastElementReads = true;
    if (doc.IsWellStructured()) {
      if (docSize < size) {
        Script script{std::string_view(bytes, size).substr(docSize + 1)};
        RunScript(doc, path, script);
      } else {
        FixedEdits(doc, path);
      }
    }
  }
  return 0;
}
