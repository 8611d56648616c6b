#include "xml/xml_data.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "doc_test_util.h"

using xml::TElement;
using xml::TXMLData;
using xml_test::ReadBytes;
using xml_test::TempDir;
using xml_test::WriteBytes;

namespace {

const char kDecl[] = "<?xml version=\"1.0\" encoding=\"Windows-1250\"?>\r\n";

// An album data file as the program writes it, with an empty-element tag and a
// leaf holding references.
const std::string kAlbum = std::string(kDecl) +
                           "<!DOCTYPE album2 SYSTEM \"album2.dtd\"> \r\n"
                           "\r\n"
                           "<album2 dir=\"pics\" b=\"2\">\r\n"
                           "\t<title>My &amp; &lt;album&gt; &#65;&#x42;</title>\r\n"
                           "\t<photo src=\"a.jpg\">\r\n"
                           "  \t\t<title>First</title>\r\n"
                           "\t\t<date/>\n"
                           "\t\t<place>Brno</place><people>Jan</people>\r\n"
                           "\t</photo>\r\n"
                           "\t<photo src=\"b.jpg\">tail text<title>Second</title>\r\n"
                           "\t</photo></album2>";

struct Opened {
  TempDir dir;
  TXMLData doc;
  std::vector<std::string> errors;
  std::vector<int> warnings;

  explicit Opened(const std::string& text, bool open = true) {
    WriteBytes(dir.Path("album.xml"), text);
    doc.SetFileName(dir.Path("album.xml"));
    doc.OnStructureError = [this](int code, const std::string& msg, int, int) {
      errors.push_back(std::to_string(code) + " " + msg);
    };
    doc.OnParseWarning = [this](int code, const std::string&, int, int, bool&) {
      warnings.push_back(code);
    };
    if (open) doc.Open();
  }
};

}  // namespace

TEST(XmlDataOpen, FailuresReportTheirCodeAndMessage) {
  struct Case {
    std::string text;
    std::string error;  // empty: opens
  } cases[] = {
      {"<a/>", "1 XML prologue not found."},
      {"<!DOCTYPE a><a/>", "1 XML prologue not found."},
      {std::string(kDecl) + "<!-- note -->\r\n<a/>", "7 Root element not found."},
      {std::string(kDecl) + "<?pi x?><a/>", "7 Root element not found."},
      {std::string(kDecl) + "text<a/>", "7 Root element not found."},
      {"<?xml version=\"1.0\" colour=\"red\"?><a/>", "2 Error in XML prologue."},
      // Nothing to index: opening would leave edits aimed at the declaration.
      {std::string(kDecl), "7 Root element not found."},
      {std::string(kDecl) + "\r\n<a/>\r\n<!-- after -->", ""},
  };
  for (const Case& c : cases) {
    Opened o(c.text);
    EXPECT_EQ(o.doc.IsOpen(), c.error.empty()) << c.text;
    if (c.error.empty()) {
      EXPECT_TRUE(o.errors.empty()) << c.text;
    } else {
      ASSERT_EQ(o.errors.size(), 1u) << c.text;
      EXPECT_EQ(o.errors[0], c.error) << c.text;
      EXPECT_FALSE(o.doc.Root());
    }
  }
}

TEST(XmlDataOpen, DeclarationFieldsAndStandalone) {
  struct Case {
    const char* value;
    bool standalone;
  } cases[] = {{"yes", true}, {"true", true}, {"no", false}, {"YES", false}};
  for (const Case& c : cases) {
    Opened o(std::string("<?xml version=\"1.1\" encoding=\"UTF-8\" standalone=\"") + c.value +
             "\"?><a/>");
    ASSERT_TRUE(o.doc.IsOpen());
    EXPECT_EQ(o.doc.Standalone(), c.standalone) << c.value;
    EXPECT_EQ(o.doc.XMLVersion(), "1.1");
    EXPECT_EQ(o.doc.Encoding(), "UTF-8");
  }
}

TEST(XmlDataOpen, DoctypeWithoutDtdWarnsAndStopsOnlyWhenAsked) {
  Opened o(kAlbum);
  EXPECT_TRUE(o.doc.IsOpen());
  EXPECT_EQ(o.warnings, std::vector<int>{3});
  EXPECT_TRUE(o.doc.IsWellStructured());

  Opened stop(kAlbum, false);
  stop.doc.StopOnWarning = true;
  EXPECT_FALSE(stop.doc.Open());
  EXPECT_EQ(stop.errors, std::vector<std::string>{"3 No DTD specified."});
}

TEST(XmlDataOpen, ProblemsInsideTheTreeAreReportedAndTheDocumentOpens) {
  // An unclosed element: the document opens for reading, not for editing.
  Opened broken(std::string(kDecl) + "<a><b><c/></a>");
  EXPECT_TRUE(broken.doc.IsOpen());
  EXPECT_FALSE(broken.doc.IsWellStructured());
  EXPECT_EQ(broken.errors, std::vector<std::string>{"9 Wrong element nesting."});
  EXPECT_FALSE(broken.doc.Root()->SetName("x"));

  // Comments, CDATA sections, processing instructions and a stray declaration
  // inside warn (no message box); the analysis goes on.
  Opened warned(std::string(kDecl) +
                "<a><!--c--><b><![CDATA[x<y]]></b><?pi?><?xml version=\"1.0\"?><c/></a>");
  EXPECT_TRUE(warned.doc.IsWellStructured());
  EXPECT_EQ(warned.warnings, (std::vector<int>{15, 16, 14, 14}));
  EXPECT_EQ(warned.doc.Root()->ChildCount(), 2);
  EXPECT_EQ(warned.doc.Root()->ChildAt(0)->Content(), "x<y");
}

TEST(XmlDataOpen, OffsetsCoverIndentationAndLineEnds) {
  Opened o(kAlbum);
  const std::string& t = kAlbum;
  auto entry = [&](const std::vector<int>& path) {
    std::unique_ptr<TElement> e = o.doc.Root();
    for (int i : path) e = e->ChildAt(i);
    return *e->Index();
  };
  auto at = [&](const char* s, size_t from = 0) { return static_cast<int32_t>(t.find(s, from)); };

  const xml::TIndex root = entry({});
  EXPECT_EQ(root.StartPos, at("<album2"));
  EXPECT_EQ(root.StartTagEnd, at("\"2\">\r\n") + 5);
  EXPECT_EQ(root.EndPos, static_cast<int32_t>(t.size()));

  const xml::TIndex title = entry({0});  // no line end after its start tag
  EXPECT_EQ(title.StartPos, at("\t<title>"));
  EXPECT_EQ(title.StartTagEnd, at("<title>") + 6);
  EXPECT_EQ(title.EndPos, at("</title>") + 10);

  const xml::TIndex first = entry({1, 0});  // indented with spaces and tabs
  EXPECT_EQ(first.StartPos, at("  \t\t<title>First"));
  EXPECT_EQ(first.EndPos, at("First</title>\r\n") + 15);

  const xml::TIndex date = entry({1, 1});  // empty-element tag, LF only
  EXPECT_EQ(date.StartPos, at("\t\t<date/>"));
  EXPECT_EQ(date.StartTagEnd, at("<date/>\n") + 7);
  EXPECT_EQ(date.EndPos, 0);

  const xml::TIndex place = entry({1, 2});  // followed directly by a sibling
  EXPECT_EQ(place.EndPos, at("<people>"));
  EXPECT_EQ(entry({1, 3}).StartPos, at("<people>"));

  const xml::TIndex second = entry({2});  // ends right before the root's end tag
  EXPECT_EQ(second.EndPos, at("</album2>"));
}

TEST(XmlDataElements, NamesContentsAttributesAndNavigation) {
  Opened o(kAlbum);
  std::unique_ptr<TElement> root = o.doc.Root();
  ASSERT_TRUE(root);
  EXPECT_EQ(root->Name(), "album2");
  EXPECT_EQ(root->Level(), 1);
  EXPECT_EQ(root->Content(), "");
  ASSERT_EQ(root->AttributeCount(), 2);
  EXPECT_EQ(root->AttributeAt(0)->Name(), "b");  // the parser's name order
  EXPECT_EQ(root->AttributeByName("dir")->Value(), "pics");
  EXPECT_EQ(root->IndexOfAttribute("src"), -1);
  EXPECT_EQ(root->AttributeByName("src"), nullptr);
  EXPECT_EQ(root->AttributeAt(2), nullptr);

  ASSERT_EQ(root->ChildCount(), 3);
  EXPECT_EQ(root->ChildAt(0)->Content(), "My & <album> AB");
  EXPECT_EQ(root->ChildAt(3), nullptr);
  EXPECT_EQ(root->ChildAt(-1), nullptr);

  std::unique_ptr<TElement> photo = root->ChildByName("photo");
  ASSERT_TRUE(photo);
  EXPECT_EQ(photo->Position(), 1);
  EXPECT_EQ(photo->AttributeByName("src")->Value(), "a.jpg");
  EXPECT_EQ(photo->Content(), "");
  EXPECT_EQ(photo->ChildByName("place")->Content(), "Brno");
  EXPECT_EQ(photo->ChildByName("place")->Position(), 2);
  EXPECT_EQ(photo->ChildByName("plac"), nullptr);
  EXPECT_EQ(photo->ChildByName("date")->Content(), "");

  // The text of an element with children is its own text, not a child's.
  std::unique_ptr<TElement> second = root->ChildAt(2);
  EXPECT_EQ(second->Content(), "tail text");
  EXPECT_EQ(second->ChildAt(0)->Content(), "Second");

  std::unique_ptr<TElement> people = photo->ChildAt(3);
  EXPECT_EQ(people->Level(), 3);
  std::unique_ptr<TElement> parent = people->Parent();
  ASSERT_TRUE(parent);
  EXPECT_EQ(parent->Name(), "photo");
  EXPECT_EQ(parent->Position(), 1);
  EXPECT_EQ(parent->Parent()->Name(), "album2");
  EXPECT_EQ(root->Parent(), nullptr);

  // A free element: level 1, no children, its setters only store.
  TElement free("x");
  EXPECT_EQ(free.Level(), 1);
  EXPECT_EQ(free.ChildCount(), 0);
  EXPECT_EQ(free.Data(), nullptr);
  EXPECT_TRUE(free.SetName("y"));
  EXPECT_FALSE(free.SetName("not a name"));
}

TEST(XmlDataElements, TextInTheDeclaredCodePageArrivesAsUtf8) {
  Opened o(std::string(kDecl) + "<a n=\"\xE8\">\x9A\xE8 &#x10D;</a>");
  std::unique_ptr<TElement> root = o.doc.Root();
  EXPECT_EQ(root->Content(), "\xC5\xA1\xC4\x8D \xC4\x8D");  // "šč č"
  EXPECT_EQ(root->AttributeByName("n")->Value(), "\xC4\x8D");

  // The same component, reused for a file without encoding (UTF-8), does not
  // keep the code page of the file before.
  WriteBytes(o.dir.Path("utf8.xml"), "<?xml version=\"1.0\"?><a>\xC4\x8D</a>");
  o.doc.SetFileName(o.dir.Path("utf8.xml"));
  ASSERT_TRUE(o.doc.Open());
  EXPECT_EQ(o.doc.Encoding(), "");
  EXPECT_EQ(o.doc.Root()->Content(), "\xC4\x8D");
}

TEST(XmlDataElements, ElementsOutliveCloseAndTheirDocument) {
  auto o = std::make_unique<Opened>(kAlbum);
  std::unique_ptr<TElement> photo = o->doc.Root()->ChildAt(1);
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
  store.writable = false;
  o.doc.SetFileStore(&store);
  int vetoAsked = 0;
  o.doc.BeforeEdit = [&](int, bool&) { ++vetoAsked; };
  ASSERT_TRUE(o.doc.Open());
  EXPECT_TRUE(o.doc.IsReadOnly());
  std::unique_ptr<TElement> title = o.doc.Root()->ChildAt(0);
  EXPECT_FALSE(title->SetName("heading"));
  EXPECT_FALSE(title->SetContent("x"));
  EXPECT_EQ(title->Name(), "title");
  EXPECT_EQ(vetoAsked, 0);
  EXPECT_EQ(store.writes, 0);
  EXPECT_EQ(ReadBytes(o.dir.Path("album.xml")), kAlbum);
}

TEST(XmlDataOpen, LeavesTheCurrentFolderAloneAndReportsProgress) {
  Opened o(kAlbum, false);
  std::vector<int> percents;
  bool after = false;
  o.doc.OnOpenProgress = [&](int p) { percents.push_back(p); };
  o.doc.OnAfterOpen = [&] { after = true; };
  const auto cwd = std::filesystem::current_path();
  ASSERT_TRUE(o.doc.Open());
  EXPECT_EQ(std::filesystem::current_path(), cwd);
  EXPECT_TRUE(after);
  ASSERT_FALSE(percents.empty());
  EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
  EXPECT_EQ(percents.back(), 100);
}

TEST(XmlDataElements, PlainElementsReadAsTheParserReadsThem) {
  // Each case sits at the edge of the direct reading of plain elements.
  const char* bodies[] = {
      "<a x=\"1\" b='2'>  two  \r\n words </a>",
      "<a>&amp;&lt;&gt;&apos;&quot; &amp</a>",
      "<a>&#65;&#x42; &unknown; &</a>",
      "<a x=\"&amp;\" y=\"a\tb\r\nc\"/>",
      "<a x='1' x='2'>twin</a>",
      "<a\tx = \"1\"\r\n>t</a >",
      "<a><![CDATA[ c ]]></a>",
      "<a>\xE8\x9A</a>",
      "<a.b-c:d _e=\"\xE8\">x</a.b-c:d>",
      "<a><b>in</b>out<c/>more</a>",
      "<a>text<!-- c --></a>",
      "<\xE8>n</\xE8>",
  };
  for (const char* encoding : {"Windows-1250", "UTF-8", "ISO-8859-2", "KOI8-R"}) {
    for (const char* body : bodies) {
      Opened o(std::string("<?xml version=\"1.0\" encoding=\"") + encoding + "\"?>\n<r>" + body +
               "\n</r>");
      ASSERT_TRUE(o.doc.IsOpen()) << body;
      const std::string fast = xml_test::Dump(o.doc);
      o.doc.FastElementReads = false;
      EXPECT_EQ(fast, xml_test::Dump(o.doc)) << encoding << " " << body;
    }
  }
}

TEST(XmlDataOpen, ValidatesAgainstTheExternalDtd) {
  struct Case {
    const char* body;
    std::vector<int> codes;
  } cases[] = {
      {"<r k=\"ab\"><a>x</a><e/></r>", {}},
      {"<q/>", {8}},
      {"<r><b/></r>", {10}},
      {"<r z=\"1\"/>", {11}},
      {"<r k=\"a\"/>", {12}},  // part of an alternative is not one
      {"<r><e>text</e></r>", {13}},
      {"<r><b/><a k=\"1\">x</a></r>", {10, 11}},  // the analysis goes on after each
  };
  for (const Case& c : cases) {
    Opened o(std::string(kDecl) + c.body, false);
    xml_test::WriteBytes(o.dir.Path("r.dtd"),
                         "<!ELEMENT r (a*, e?)><!ATTLIST r k (ab|c) #IMPLIED>"
                         "<!ELEMENT a (#PCDATA)><!ELEMENT e EMPTY>");
    ASSERT_TRUE(o.doc.SetExternalDTD("r.dtd"));
    std::vector<int> codes;
    o.doc.OnValidityError = [&](int code, const std::string&, int, int) { codes.push_back(code); };
    ASSERT_TRUE(o.doc.Open()) << c.body;
    EXPECT_EQ(codes, c.codes) << c.body;
    EXPECT_EQ(o.doc.IsValid(), c.codes.empty()) << c.body;
    EXPECT_TRUE(o.doc.IsWellStructured()) << c.body;
  }
}
