#include "xml/xml_data.h"

#include <gtest/gtest.h>

#include "test_util.h"

using xml::XmlData;
using xml::XmlElement;

namespace {

const std::string kDecl = "<?xml version=\"1.0\" encoding=\"Windows-1250\"?>\r\n";

// An album data file with an empty-element tag and a leaf holding references.
const std::string kAlbum = kDecl +
                           "<!DOCTYPE album2 SYSTEM \"album2.dtd\"> \r\n\r\n"
                           "<album2 dir=\"pics\" b=\"2\">\r\n"
                           "\t<title>My &amp; &lt;album&gt; &#65;&#x42;</title>\r\n"
                           "\t<photo src=\"a.jpg\">\r\n  \t\t<title>First</title>\r\n\t\t<date/>\n"
                           "\t\t<place>Brno</place><people>Jan</people>\r\n\t</photo>\r\n"
                           "\t<photo src=\"b.jpg\">tail text<title>Second</title>\r\n"
                           "\t</photo></album2>";

using Opened = xml_test::OpenDoc;

}  // namespace

TEST(XmlDataOpen, DeclarationFieldsOrTheFailureWithItsCode) {
  const std::string v11 = "<?xml version=\"1.1\" encoding=\"UTF-8\" standalone=";
  const std::pair<std::string, std::string> cases[] = {
      {"<a/>", "1 XML prologue not found."},
      {"<!DOCTYPE a><a/>", "1 XML prologue not found."},
      {kDecl + "<!-- note -->\r\n<a/>", "7 Root element not found."},
      {kDecl + "<?pi x?><a/>", "7 Root element not found."},
      {kDecl + "text<a/>", "7 Root element not found."},
      {"<?xml version=\"1.0\" colour=\"red\"?><a/>", "2 Error in XML prologue."},
      {kDecl, "7 Root element not found."},  // nothing an edit could aim at
      {kDecl + "\r\n<a/>\r\n<!-- after -->", "1.0 Windows-1250 standalone=0"},
      {v11 + "\"yes\"?><a/>", "1.1 UTF-8 standalone=1"},
      {v11 + "\"true\"?><a/>", "1.1 UTF-8 standalone=1"},
      {v11 + "\"YES\"?><a/>", "1.1 UTF-8 standalone=0"},
      {"\xEF\xBB\xBF" + kDecl + "<a/>", "1.0 Windows-1250 standalone=0"},  // a UTF-8 mark
      {std::string("\xFF\xFE<\0?\0x\0", 8),
       "2 Unsupported encoding: the file is in UTF-16 or UTF-32."},
      {std::string("<\0?\0x\0", 6), "2 Unsupported encoding: the file is in UTF-16 or UTF-32."},
  };
  for (const auto& [text, expected] : cases) {
    Opened o(text);
    std::string got = o.doc.Root() ? o.doc.XMLVersion() + " " + o.doc.Encoding() +
                                         " standalone=" + std::to_string(o.doc.Standalone())
                                   : "";
    for (const std::string& e : o.errors) got += e;
    EXPECT_EQ(got, expected) << text;
    EXPECT_EQ(o.doc.IsOpen(), o.errors.empty()) << text;
  }
}

TEST(XmlDataOpen, ProblemsBeforeAndInsideTheTree) {
  // A DOCTYPE without a DTD file warns; it stops the open only when asked to.
  Opened o(kAlbum);
  EXPECT_TRUE(o.doc.IsWellStructured());
  EXPECT_EQ(o.warnings, std::vector<int>{3});
  Opened stop(kAlbum, false);
  stop.doc.StopOnWarning = true;
  EXPECT_FALSE(stop.doc.Open());
  EXPECT_EQ(stop.errors, std::vector<std::string>{"3 No DTD specified."});

  // An unclosed element: the document opens for reading, not for editing.
  Opened broken(kDecl + "<a><b><c/></a>");
  EXPECT_TRUE(broken.doc.IsOpen());
  EXPECT_FALSE(broken.doc.IsWellStructured());
  EXPECT_EQ(broken.errors, std::vector<std::string>{"9 Wrong element nesting."});
  EXPECT_FALSE(broken.doc.Root()->SetName("x"));

  // Comments, CDATA, PIs and a stray declaration inside only warn; the analysis goes on.
  Opened warned(kDecl + "<a><!--c--><b><![CDATA[x<y]]></b><?pi?><?xml version=\"1.0\"?><c/></a>");
  EXPECT_TRUE(warned.doc.IsWellStructured());
  EXPECT_EQ(warned.warnings, (std::vector<int>{15, 16, 14, 14}));
  EXPECT_EQ(warned.doc.Root()->ChildCount(), 2);
  EXPECT_EQ(warned.doc.Root()->ChildAt(0)->Content(), "x<y");
}

TEST(XmlDataElements, NamesContentsAttributesAndNavigation) {
  Opened o(kAlbum);
  // Attributes in name order, references resolved; a parent's text is its own.
  EXPECT_EQ(xml_test::Dump(o.doc, false),
            "1 album2 b=2 dir=pics []\n2 title [My & <album> AB]\n2 photo src=a.jpg []\n"
            "3 title [First]\n3 date []\n3 place [Brno]\n3 people [Jan]\n"
            "2 photo src=b.jpg [tail text]\n3 title [Second]\n");
  std::unique_ptr<XmlElement> root = o.doc.Root();
  EXPECT_EQ(root->AttributeByName("dir")->Value(), "pics");
  EXPECT_EQ(root->IndexOfAttribute("src"), -1);
  EXPECT_TRUE(!root->AttributeAt(2) && !root->ChildAt(3) && !root->ChildAt(-1) && !root->Parent());

  std::unique_ptr<XmlElement> photo = root->ChildByName("photo");
  EXPECT_EQ(photo->Position(), 1);
  EXPECT_EQ(photo->AttributeByName("src")->Value(), "a.jpg");
  EXPECT_EQ(photo->ChildByName("place")->Position(), 2);
  EXPECT_EQ(photo->ChildByName("plac"), nullptr);
  std::unique_ptr<XmlElement> parent = photo->ChildAt(3)->Parent();
  EXPECT_EQ(parent->Name() + std::to_string(parent->Position()), "photo1");
  EXPECT_EQ(parent->Parent()->Name(), "album2");
}

TEST(XmlDataElements, TextInTheDeclaredCodePageArrivesAsUtf8) {
  Opened o(kDecl + "<a n=\"\xE8\">\x9A\xE8 &#x10D;</a>");
  EXPECT_EQ(o.doc.Root()->Content(), "\u0161\u010D \u010D");
  EXPECT_EQ(o.doc.Root()->AttributeByName("n")->Value(), "\u010D");
  // Reused for a file without encoding (UTF-8), it forgets the code page.
  o.doc.SetFileName(o.dir.Write("utf8.xml", "<?xml version=\"1.0\"?><a>\xC4\x8D</a>"));
  ASSERT_TRUE(o.doc.Open());
  EXPECT_EQ(o.doc.Encoding(), "");
  EXPECT_EQ(o.doc.Root()->Content(), "\u010D");
}

TEST(XmlDataElements, ElementsOutliveCloseAndTheirDocument) {
  auto o = std::make_unique<Opened>(kAlbum);
  std::unique_ptr<XmlElement> photo = o->doc.Root()->ChildAt(1);
  o->doc.Close();
  EXPECT_EQ(photo->Data(), nullptr);
  EXPECT_EQ(photo->ChildCount(), 0);
  EXPECT_EQ(photo->Level(), 2);
  EXPECT_EQ(photo->AttributeByName("src")->Value(), "a.jpg");
  EXPECT_FALSE(photo->SetName("picture"));
  ASSERT_TRUE(o->doc.Open());
  EXPECT_EQ(photo->Data(), nullptr);  // a new open is a new document
  photo = o->doc.Root()->ChildAt(1);
  o.reset();
  EXPECT_EQ(photo->Parent(), nullptr);
  EXPECT_FALSE(photo->AttributeAt(0)->SetValue("c.jpg"));
}

TEST(XmlDataOpen, ReadOnlyFilesOpenForReadingAndRefuseEdits) {
  Opened o(kAlbum, false);
  xml_test::RefusingStore store;
  o.doc.SetFileStore(&store);
  int vetoAsked = 0;
  o.doc.BeforeEdit = [&](int, bool&) { ++vetoAsked; };
  ASSERT_TRUE(o.doc.Open());
  EXPECT_TRUE(o.doc.IsReadOnly());
  std::unique_ptr<XmlElement> title = o.doc.Root()->ChildAt(0);
  EXPECT_FALSE(title->SetName("heading"));
  EXPECT_FALSE(title->SetContent("x"));
  EXPECT_EQ(title->Name(), "title");
  EXPECT_EQ(vetoAsked + store.writes, 0);
  EXPECT_EQ(o.Bytes(), kAlbum);
}

TEST(XmlDataOpen, ReportsProgressThenTheOpenedFile) {
  // The second has a text part that starts in the file and ends in an entity's text.
  for (const std::string& text : {kAlbum, kDecl + "<a><!DOCTYPE x [<!ENTITY e 'b<c/>'>]>t&e;" +
                                              std::string(200, 'x') + "</a>"}) {
    Opened o(text, false);
    std::vector<int> percents;
    o.doc.OnOpenProgress = [&](int p) { percents.push_back(p); };
    o.doc.OnAfterOpen = [&] { percents.push_back(-1); };
    ASSERT_TRUE(o.doc.Open());
    ASSERT_GE(percents.size(), 3u);
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end() - 2)) << text;
    EXPECT_GE(percents.front(), 0) << text;
    EXPECT_EQ(std::vector(percents.end() - 2, percents.end()), (std::vector{100, -1})) << text;
  }
}

TEST(XmlDataOpen, ReadsNoOtherFile) {
  // Neither an external subset nor an external entity, wherever the DOCTYPE stands.
  xml_test::TempDir other;
  const std::string secret = other.Write("secret.txt", "secret");
  const std::string dtd = other.Write("ext.dtd", "<!ENTITY s SYSTEM \"" + secret + "\">");
  const std::string doctype =
      "<!DOCTYPE a SYSTEM \"" + dtd + "\" [<!ENTITY t SYSTEM \"" + secret + "\">]>";
  Opened o(kDecl + doctype + "<a><b>&s;&t;</b><c>" + doctype + "&s;&t;</c></a>");
  ASSERT_TRUE(o.doc.IsOpen());
  EXPECT_EQ(xml_test::Dump(o.doc).find("secret"), std::string::npos) << xml_test::Dump(o.doc);
}

TEST(XmlDataOpen, FilesBeyondTheLimitAreNotRead) {
  xml_test::TempDir dir;
  std::string bytes = "kept";
  EXPECT_FALSE(xml::FileStore().ReadFile(dir.Write("small", "12345"), bytes, 4));
  EXPECT_TRUE(bytes.empty());
  // Sparse: no disk used, and refused before any memory is.
  Opened o(kDecl + "<a/>", false);
  std::filesystem::resize_file(o.path, std::uintmax_t{3} << 30);
  EXPECT_FALSE(o.doc.Open());
}

TEST(XmlDataOpen, ValidatesAgainstTheExternalDtd) {
  const std::pair<const char*, std::vector<int>> cases[] = {
      {"<r k=\"ab\"><a>x</a><e/></r>", {}},
      {"<q/>", {8}},
      {"<r><b/></r>", {10}},
      {"<r z=\"1\"/>", {11}},
      {"<r k=\"a\"/>", {12}},  // part of an alternative is not one
      {"<r><e>text</e></r>", {13}},
      {"<r><b/><a k=\"1\">x</a></r>", {10, 11}},  // the analysis goes on after each
  };
  for (const auto& [body, expected] : cases) {
    Opened o(kDecl + body, false);
    o.dir.Write("r.dtd",
                "<!ELEMENT r (a*, e?)><!ATTLIST r k (ab|c) #IMPLIED>"
                "<!ELEMENT a (#PCDATA)><!ELEMENT e EMPTY>");
    ASSERT_TRUE(o.doc.SetExternalDTD("r.dtd"));
    std::vector<int> codes;
    o.doc.OnValidityError = [&](int code, const std::string&, int, int) { codes.push_back(code); };
    ASSERT_TRUE(o.doc.Open()) << body;
    EXPECT_EQ(codes, expected) << body;
    EXPECT_EQ(o.doc.IsValid(), expected.empty()) << body;
    EXPECT_TRUE(o.doc.IsWellStructured()) << body;
  }
}
