// Drives the pull parser over the bytes up to the first zero; the bytes after
// it are the text of every external file the document names. It checks that
// every string handed out is UTF-8, parts stay inside their text, and LF, CR LF
// or CR for every line end reads as the same parts.

#include <iconv.h>

#include <cstdlib>

#include "test_util.h"

namespace {

// Checked by the C library's converter (not the toolkit's decoder).
bool ValidUtf8(std::string_view s) {
  iconv_t cd = iconv_open("UTF-32LE", "UTF-8");
  std::string out(4 * s.size() + 4, '\0');
  char* in = const_cast<char*>(s.data());
  char* to = out.data();
  size_t inLeft = s.size(), outLeft = out.size();
  const bool ok = iconv(cd, &in, &inLeft, &to, &outLeft) != static_cast<size_t>(-1);
  iconv_close(cd);
  return ok;
}

void Check(bool ok) {
  if (!ok) std::abort();
}

class FuzzParser : public xml::XmlParser {
 public:
  explicit FuzzParser(std::string_view external) : external_(external) {}

  std::unique_ptr<xml::XmlParser> OpenExternal(const std::string& systemId,
                                               const std::string& publicId,
                                               const std::string& notationName) override {
    Check(ValidUtf8(systemId) && ValidUtf8(publicId) && ValidUtf8(notationName));
    auto parser = std::make_unique<FuzzParser>(external_);
    parser->UseBuffer(external_.data(), external_.size());
    return parser;
  }

  void DeclarationFound(const xml::DeclNotice& n) override {
    Check(n.Kind >= xml::dkElement && n.Kind <= xml::dkError);
    if (n.Element != nullptr) {
      Check(ValidUtf8(n.Element->Name) && ValidUtf8(n.Element->Definition));
      for (const xml::AttrDef& a : n.Element->Attributes) {
        Check(ValidUtf8(a.Name) && ValidUtf8(a.Value) && ValidUtf8(a.TypeDef) &&
              ValidUtf8(a.Notations));
      }
    }
    if (n.Entity != nullptr) Check(ValidUtf8(n.Entity->Name) && ValidUtf8(n.Entity->Value));
    if (n.Notation != nullptr) Check(ValidUtf8(n.Notation->Name) && ValidUtf8(n.Notation->Value));
    Check(ValidUtf8(n.Target) && ValidUtf8(n.Content));
  }

 private:
  std::string_view external_;
};

void CheckPart(const xml::XmlParser& p) {
  Check(p.PartType() > xml::pkNone && p.PartType() <= xml::pkCData);
  Check(ValidUtf8(p.PartName()) && ValidUtf8(p.PartContent()));
  for (const xml::Attr& a : p.PartAttributes()) Check(ValidUtf8(a.Name) && ValidUtf8(a.Value));
  if (p.InBuffer(p.PartStart()) && p.InBuffer(p.PartEnd())) Check(p.PartStart() <= p.PartEnd());
}

// Every part, text as it stands; none when the length-bound expansion budget cut it off.
xml_test::Strings Reading(std::string_view doc, std::string_view external) {
  FuzzParser p(external);
  p.UseBuffer(doc.data(), doc.size());
  p.SetNormalizeText(false);
  xml_test::Strings parts = xml_test::Rest(p);
  return p.ExpansionCut() ? xml_test::Strings() : parts;
}

void CheckLineEnds(std::string_view doc, std::string_view external) {
  const std::string lf = xml_test::WithLineEnds(doc, "\n");
  const std::string lfExternal = xml_test::WithLineEnds(external, "\n");
  const xml_test::Strings expected = Reading(lf, lfExternal);
  for (const char* lineEnd : {"\r\n", "\r"}) {
    if (expected.empty()) break;
    const xml_test::Strings got =
        Reading(xml_test::WithLineEnds(lf, lineEnd), xml_test::WithLineEnds(lfExternal, lineEnd));
    Check(got.empty() || got == expected);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* text = reinterpret_cast<const char*>(data);
  const std::string_view all(text, size);
  const std::string_view doc = all.substr(0, all.find('\0'));
  const std::string_view external = doc.size() < size ? all.substr(doc.size() + 1) : "";

  FuzzParser p(external);
  p.UseBuffer(text, size);
  Check(p.BufferEnd() - p.Buffer() == static_cast<ptrdiff_t>(doc.size()));
  for (int pass = 0; pass < 2; ++pass) {
    while (p.NextPart()) CheckPart(p);
    Check(p.PartStart() == p.BufferEnd());
    p.Restart();
  }
  // The document as a DTD file, as the DTD model reads one.
  FuzzParser dtd(external);
  dtd.UseBuffer(text, size);
  const char* stop = dtd.AnalyzeSubset(dtd.Buffer());
  Check(stop >= dtd.Buffer() && stop <= dtd.BufferEnd());
  CheckLineEnds(doc, external);
  return 0;
}
