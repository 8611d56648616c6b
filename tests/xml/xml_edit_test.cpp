#include <gtest/gtest.h>

#include <functional>

#include "test_util.h"
#include "xml/xml_text.h"
#include "xml/xml_writer.h"

using xml::ElementText;
using xml::XmlElement;
using namespace xml_test;
using Doc = OpenDoc;

namespace {

const std::string kDecl = "<?xml version=\"1.0\" encoding=\"Windows-1250\"?>\r\n";
const std::string kBody =
    "<album2 dir=\"pics\">\r\n\t<title>Trips</title>\r\n\t<photo src=\"a.jpg\">\r\n"
    "\t\t<title>First</title>\r\n\t\t<date/>\r\n\t</photo>\r\n"
    "\t<photo src=\"b.jpg\"><title>Second</title></photo>\r\n</album2>\r\n";
const std::string kFile = kDecl + kBody;

const char kDtd[] =
    "<!ELEMENT album2 (title, photo*)>\n<!ATTLIST album2 dir CDATA #IMPLIED>\n"
    "<!ELEMENT photo (title, date?)>\n<!ATTLIST photo src CDATA #REQUIRED>\n"
    "<!ELEMENT title (#PCDATA)>\n<!ELEMENT date EMPTY>\n";

std::string Replaced(std::string s, const std::string& from, const std::string& to) {
  const size_t at = s.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return s.replace(at, from.size(), to);
}

// A document opened with a DTD file beside it.
struct DtdDoc : Doc {
  DtdDoc(const std::string& body, const std::string& dtd)
      : Doc("<?xml version=\"1.0\"?>\n" + body, false) {
    EXPECT_TRUE(doc.SetExternalDTD(dir.Write("d.dtd", dtd)));
    EXPECT_TRUE(doc.Open());
  }
};

}  // namespace

TEST(XmlEdit, RenamingKeepsEveryLaterElementExact) {
  // Path, new name, the bytes of the file that change and what they become.
  const std::tuple<std::vector<int>, std::string, std::string, std::string> cases[] = {
      // Longer and shorter, with the end tag renamed in the same write.
      {{0}, "albumtitle", "\t<title>Trips</title>", "\t<albumtitle>\rTrips</albumtitle>"},
      {{1},
       "p",
       "\t<photo src=\"a.jpg\">\r\n\t\t<title>First</title>\r\n\t\t<date/>\r\n\t</photo>",
       "\t<p src=\"a.jpg\">\r\t\t<title>First</title>\r\n\t\t<date/>\r\n\t</p>"},
      {{1, 1}, "when", "\t\t<date/>\r\n", "\t\t<when />\r"},  // stays an empty-element tag
      {{2, 0}, "t", "<title>Second</title>", "\t\t<t>\rSecond</t>"},
      {{}, "album3", "<album2 dir=\"pics\">\r\n", "<album3 dir=\"pics\">\r"},
  };
  for (const auto& [path, name, from, to] : cases) {
    Doc d(kFile);
    std::unique_ptr<XmlElement> e = d.At(path);
    ASSERT_TRUE(e->SetName(name)) << name;
    EXPECT_EQ(e->Name(), name);
    std::string expected = Replaced(kFile, from, to);
    if (path.empty()) expected = Replaced(expected, "</album2>", "</album3>");
    EXPECT_EQ(d.Bytes(), expected) << name;
    // Every element, made again from the index, reads what a fresh open reads.
    EXPECT_EQ(Dump(d.doc), DumpReopened(d.path)) << name;
  }
}

TEST(XmlEdit, RefusedAndFailedEditsLeaveElementAndFileAlone) {
  Doc d(kFile);
  std::vector<int> asked;
  d.doc.BeforeEdit = [&](int pIndex, bool& canEdit) {
    asked.push_back(pIndex);
    canEdit = false;
  };
  std::unique_ptr<XmlElement> photo = d.At({2});
  EXPECT_FALSE(photo->SetName("picture"));
  EXPECT_FALSE(photo->SetContent("x"));
  EXPECT_FALSE(photo->AttributeByName("src")->SetValue("c.jpg"));
  EXPECT_FALSE(d.doc.SetEncoding("UTF-8"));
  EXPECT_EQ(asked, (std::vector<int>{2, 2, 2, -1}));
  EXPECT_EQ(photo->Name() + photo->AttributeByName("src")->Value() + d.doc.Encoding(),
            "photob.jpgWindows-1250");
  EXPECT_EQ(d.Bytes(), kFile);

  // A write that fails part way: the old file stays, and so does the index.
  d.doc.BeforeEdit = nullptr;
  RefusingStore store;
  d.doc.SetFileStore(&store);
  EXPECT_FALSE(photo->SetName("picture"));
  EXPECT_FALSE(photo->AttributeByName("src")->SetValue("c.jpg"));
  EXPECT_FALSE(d.At({0})->ReplaceXML("\t<title>New</title>\r\n"));
  EXPECT_EQ(store.writes, 3);
  EXPECT_EQ(photo->Name(), "photo");
  EXPECT_EQ(d.Bytes(), kFile);
  EXPECT_EQ(Dump(d.doc), DumpReopened(d.path));
}

TEST(XmlEdit, ContentAndAttributesAreEscapedAndEncoded) {
  Doc d(kFile);
  std::unique_ptr<XmlElement> stale = d.At({1, 0});
  // A leaf: references for markup characters, the code page for the rest.
  const std::string text = "Tom & Jerry <1999> \u010D\u20AC \U0001F600";
  ASSERT_TRUE(d.At({0})->SetContent(text));
  EXPECT_EQ(d.At({0})->Content(), text);
  std::string expected =
      Replaced(kFile, "\t<title>Trips</title>\r\n",
               "\t<title>Tom &amp; Jerry &lt;1999&gt; \xE8\x80 &#x1F600;</title>\r");
  EXPECT_EQ(d.Bytes(), expected);

  // A parent: its children go, from the file and from the index.
  ASSERT_TRUE(d.At({1})->SetContent("gone"));
  expected = Replaced(
      expected,
      "\t<photo src=\"a.jpg\">\r\n\t\t<title>First</title>\r\n\t\t<date/>\r\n\t</photo>\r\n",
      "\t<photo src=\"a.jpg\">gone</photo>\r");
  EXPECT_EQ(d.At({1})->ChildCount(), 0);
  EXPECT_EQ(d.At({1})->Content(), "gone");
  EXPECT_EQ(stale->Data(), nullptr);
  EXPECT_FALSE(stale->SetName("x"));

  // A value survives later rewrites of its tag exactly, references and blanks included.
  std::unique_ptr<XmlElement> root = d.doc.Root();
  const std::string value = "say \"hi\" & <go> &#65;\t1\r\n2";
  ASSERT_TRUE(root->AttributeByName("dir")->SetValue(value));
  ASSERT_TRUE(root->AddAttribute("b")->SetValue("2"));
  ASSERT_TRUE(root->AttributeByName("b")->SetName("z"));
  EXPECT_EQ(d.doc.Root()->AttributeByName("dir")->Value(), value);
  EXPECT_EQ(
      d.Bytes(),
      Replaced(expected, "<album2 dir=\"pics\">\r\n",
               "<album2 dir=\"say &quot;hi&quot; &#38; &lt;go&gt; &#38;#65;&#9;1&#13;&#10;2\" "
               "z=\"2\">\r"));
  EXPECT_EQ(Dump(d.doc), DumpReopened(d.path));

  // An empty-element tag gets an end tag.
  Doc e(kDecl + "<a>\r\n\t<b x=\"1\"/>\r\n\t<c/>\r\n</a>\r\n");
  ASSERT_TRUE(e.At({0})->SetContent(""));
  ASSERT_TRUE(e.At({1})->SetContent("t"));
  EXPECT_EQ(e.Bytes(), kDecl + "<a>\r\n\t<b x=\"1\">\r\t</b>\r\t<c>t</c>\r</a>\r\n");
  EXPECT_EQ(Dump(e.doc), DumpReopened(e.path));
}

TEST(XmlEdit, ReplaceXmlIndexesTheNewText) {
  Doc d(kFile);
  std::unique_ptr<XmlElement> photo = d.At({1});
  ASSERT_TRUE(photo->ReplaceXML(
      "\t<photo src=\"n.jpg\">\n\t\t<title>New</title>\n\t\t<date/><place>Here</place>\n"
      "\t</photo>\n"));
  EXPECT_EQ(photo->ChildCount(), 3);
  EXPECT_EQ(d.At({1, 2})->Content() + d.At({2, 0})->Content(), "HereSecond");
  EXPECT_EQ(Dump(d.doc), DumpReopened(d.path));

  // Text that is not exactly one element is refused before anything is written.
  const std::string before = d.Bytes();
  for (const char* bad :
       {"", "text", "<a>", "<a></b>", "<a/><b/>", "<!-- c --><a/>", "</a>", "<a/>tail",
        "\t<title>\xF0\x9F\x98\x80</title>", "<a><!DOCTYPE a></a>", "<a><?xml version='1.0'?></a>",
        "<a x='1' x='2'/>", "<a>\x01</a>", "<a></a", "<a/"}) {
    EXPECT_FALSE(d.At({0})->ReplaceXML(bad)) << bad;
  }
  EXPECT_EQ(d.Bytes(), before);
  EXPECT_FALSE(d.errors.empty());
  EXPECT_TRUE(d.doc.IsWellStructured());
  // The root too, indented: a fresh open counts the indentation to it as well.
  ASSERT_TRUE(d.doc.Root()->ReplaceXML("\t<album2><title>T</title></album2>\r\n"));
  EXPECT_EQ(Dump(d.doc), DumpReopened(d.path));
}

TEST(XmlEdit, HeaderSettersRewriteTheHeaderAndKeepTheBody) {
  Doc d(kDecl + "<!DOCTYPE album2 SYSTEM \"album2.dtd\">\r\n\r\n" + kBody);
  // Without a DTD there is no header to write: error 5, value kept.
  EXPECT_FALSE(d.doc.SetEncoding("UTF-8"));
  EXPECT_EQ(d.errors, Strings{"5 Declared DTD file (%s) not found."});
  EXPECT_EQ(d.doc.Encoding(), "Windows-1250");

  d.dir.Write("album2.dtd", kDtd);
  ASSERT_TRUE(d.doc.SetExternalDTD("album2.dtd"));
  EXPECT_EQ(d.Bytes(),
            "<?xml version=\"1.0\" encoding=\"Windows-1250\"?>\r<!DOCTYPE album2 SYSTEM "
            "\"album2.dtd\">\r" +
                kBody);
  ASSERT_TRUE(d.doc.SetEncoding("ISO-8859-2"));
  ASSERT_TRUE(d.doc.SetStandalone(true));
  ASSERT_TRUE(d.doc.SetDoctype("-//Q//Album//EN"));
  EXPECT_EQ(d.Bytes(),
            "<?xml version=\"1.0\" encoding=\"ISO-8859-2\" standalone=\"yes\"?>\r<!DOCTYPE "
            "album2 PUBLIC \"-//Q//Album//EN\" \"album2.dtd\">\r" +
                kBody);
  EXPECT_EQ(Dump(d.doc), DumpReopened(d.path));

  // A DTD that does not load: error 6, the previous name and DTD stay.
  const xml::DtdModel* dtd = d.doc.DTD();
  d.errors.clear();
  EXPECT_FALSE(d.doc.SetExternalDTD("missing.dtd"));
  EXPECT_EQ(d.errors, Strings{"6 Error in document type declaration."});
  EXPECT_EQ(d.doc.ExternalDTD(), "album2.dtd");
  EXPECT_EQ(d.doc.DTD(), dtd);

  d.doc.Close();
  EXPECT_FALSE(d.doc.SetStandalone(false));
  EXPECT_TRUE(d.doc.Standalone());
}

TEST(XmlEdit, MissingFileIsCreatedFromTheDtd) {
  Doc d("", false);
  std::filesystem::remove(d.path);
  EXPECT_FALSE(d.doc.Open());  // no DTD: nothing to name the root after
  EXPECT_EQ(d.errors, Strings{"5 Declared DTD file (%s) not found."});
  EXPECT_FALSE(xml::FileExists(d.path));

  ASSERT_TRUE(d.doc.SetExternalDTD(d.dir.Write("album2.dtd", kDtd)));
  ASSERT_TRUE(d.doc.Open());
  EXPECT_EQ(d.Bytes(),
            "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\"?>\r<!DOCTYPE "
            "album2 SYSTEM \"" +
                d.dir.Path("album2.dtd") + "\">\r<album2>\r</album2>\r");
  std::unique_ptr<XmlElement> root = d.doc.Root();
  ASSERT_TRUE(
      root->ReplaceXML("<album2><title>T</title><photo src=\"x\"><title/><date/></photo>"
                       "<photo src=\"y\"><title/><date></date></photo></album2>"));
  EXPECT_TRUE(d.doc.IsValid());
  // A tag declared EMPTY but written with an end tag keeps its form when renamed.
  ASSERT_TRUE(d.At({2, 1})->SetName("when"));
  EXPECT_NE(d.Bytes().find("\t\t<when>\r</when>"), std::string::npos);
  EXPECT_EQ(Dump(d.doc), DumpReopened(d.path));
  // Content for an element declared EMPTY is refused, not dropped.
  EXPECT_TRUE(d.At({1, 1})->IsEmpty());
  EXPECT_FALSE(d.At({1, 1})->SetContent("lost"));
  ASSERT_TRUE(d.At({1, 1})->SetContent(""));
  EXPECT_NE(d.Bytes().find("<date />\r</photo>"), std::string::npos);
}

TEST(XmlEdit, AnElementRewrittenThroughAnotherObjectIsStale) {
  using Edit = std::function<bool(XmlElement&)>;
  const std::pair<const char*, Edit> edits[] = {
      {"name", [](XmlElement& e) { return e.SetName("picture"); }},
      {"value", [](XmlElement& e) { return e.AttributeByName("src")->SetValue("x.jpg"); }},
      {"content", [](XmlElement& e) { return e.SetContent("c"); }},
      {"xml", [](XmlElement& e) { return e.ReplaceXML("\t<photo src=\"r.jpg\" k=\"1\"/>\r\n"); }},
  };
  for (const auto& [firstName, first] : edits) {
    for (const auto& [secondName, second] : edits) {
      Doc d(kFile);
      std::unique_ptr<XmlElement> mine = d.At({1});
      std::unique_ptr<XmlElement> old = d.At({1});
      ASSERT_TRUE(first(*mine)) << firstName;
      const std::string bytes = d.Bytes();
      // Writing the old snapshot back would undo the change or unbalance the tags.
      EXPECT_FALSE(second(*old)) << firstName << " then " << secondName;
      EXPECT_EQ(d.Bytes(), bytes) << firstName << " then " << secondName;
      // The changing object goes on, unless it replaced the text its snapshot describes.
      EXPECT_EQ(second(*mine), std::string(firstName) != "xml") << firstName << secondName;
      EXPECT_EQ(Dump(d.doc), DumpReopened(d.path)) << firstName << " then " << secondName;
      EXPECT_TRUE(second(*d.At({1}))) << firstName << " then " << secondName;
    }
  }
}

TEST(XmlEdit, WhatWouldBreakTheFileIsRefused) {
  Doc d(kDecl + "<!DOCTYPE album2 SYSTEM \"album2.dtd\">\r\n" +
        Replaced(kBody, "Trips", "Trips \xE8"));
  d.dir.Write("album2.dtd", kDtd);
  ASSERT_TRUE(d.doc.SetExternalDTD("album2.dtd"));
  std::unique_ptr<XmlElement> root = d.doc.Root();
  ASSERT_TRUE(root->AddAttribute("b")->SetValue("1"));
  std::unique_ptr<XmlElement> photo = d.At({1});
  const std::string nul("a\0b", 3);
  const std::pair<const char*, std::function<bool()>> edits[] = {
      // Characters XML cannot carry, not even as references, and bytes that are no UTF-8.
      {"content nul", [&] { return photo->SetContent(nul); }},
      {"content not utf-8", [&] { return photo->SetContent("\xE8"); }},
      {"value nul", [&] { return root->AttributeByName("dir")->SetValue(nul); }},
      {"name beyond the code page", [&] { return photo->SetName("\xF0\x9F\x98\x80"); }},
      // Header values that would end their quotes, the declaration or its line.
      {"version nul", [&] { return d.doc.SetXMLVersion(std::string("1.0\0", 4)); }},
      {"version markup", [&] { return d.doc.SetXMLVersion("1.0?><x/><?y"); }},
      {"version line end", [&] { return d.doc.SetXMLVersion("1.0\r\n"); }},
      {"encoding line end", [&] { return d.doc.SetEncoding("UTF-8\r\n"); }},
      {"public id quote", [&] { return d.doc.SetDoctype("-//Q\"//EN"); }},
      {"public id line end", [&] { return d.doc.SetDoctype("-//Q//EN\r\n"); }},
      {"root name from a DTD",
       [&] { return d.doc.SetExternalDTD(d.dir.Write("odd.dtd", "<!ELEMENT a[b ANY>")); }},
      // An encoding the body's letters would not read back in, or one not read at all.
      {"encoding of other letters", [&] { return d.doc.SetEncoding("UTF-8"); }},
      {"encoding not read", [&] { return d.doc.SetEncoding("UTF-16"); }},
      // A second attribute of one name.
      {"renamed twin", [&] { return root->AttributeByName("b")->SetName("dir"); }},
      {"added twin", [&] { return d.At({1})->AddAttribute("src")->SetValue("x"); }},
  };
  for (const auto& [what, edit] : edits) {
    const std::string bytes = d.Bytes();
    EXPECT_FALSE(edit()) << what;
    EXPECT_EQ(d.Bytes(), bytes) << what;
  }
  EXPECT_EQ(root->AttributeByName("dir")->Value(), "pics");
  EXPECT_EQ(Dump(d.doc), DumpReopened(d.path));
  // The same code page under another name changes nothing in the body.
  ASSERT_TRUE(d.doc.SetEncoding("cp1250"));
  EXPECT_EQ(d.doc.Root()->ChildAt(0)->Content(), "Trips \u010D");
}

TEST(XmlWriter, ElementTextBytes) {
  DtdDoc d(
      "<r><a x=\"1\" y='\"&lt;'>t</a><a/><p><c>c1</c><c/><e/></p><q><s><v>deep</v></s></q></r>",
      "<!ELEMENT r (p)><!ELEMENT p (c*, e)><!ELEMENT e EMPTY><!ELEMENT c (#PCDATA)>");
  const std::unique_ptr<XmlElement> root = d.doc.Root(), a = d.At({0}), empty = d.At({1}),
                                    p = d.At({2}), e = d.At({2, 2}), q = d.At({3});
  // Element, with its end tag, with its children, and the text written.
  const std::tuple<const XmlElement*, bool, bool, std::string> cases[] = {
      {a.get(), false, false, "\t<a x=\"1\" y=\"&quot;&lt;\">\r"},
      {a.get(), true, false, "\t<a x=\"1\" y=\"&quot;&lt;\">t</a>\r"},
      {empty.get(), true, false, "\t<a>\r\t</a>\r"},
      {empty.get(), false, false, "\t<a>\r"},
      {e.get(), true, true, "\t\t<e />\r"},  // declared EMPTY
      {root.get(), false, false, "<r>\r"},
      {p.get(), true, false, "\t<p>\r\t</p>\r"},
      // Children written whole, then an empty line before the end tag.
      {p.get(), true, true, "\t<p>\r\t\t<c>c1</c>\r\t\t<c>\r\t\t</c>\r\t\t<e />\r\r\t</p>\r"},
      {q.get(), true, true, "\t<q>\r\t\t<s>\r\t\t\t<v>deep</v>\r\r\t\t</s>\r\r\t</q>\r"},
  };
  for (const auto& [element, closing, children, bytes] : cases) {
    EXPECT_EQ(ElementText(*element, closing, children), bytes) << bytes;
  }
  XmlElement free("x");
  ASSERT_TRUE(free.SetName("f"));  // a free element's setters only store
  free.AddAttribute("k")->SetValue("v");
  free.SetContent("a & b");
  EXPECT_EQ(ElementText(free, true, true), "<f k=\"v\">a &amp; b</f>\r");
  EXPECT_EQ(xml::StartTagText(free, true), "<f k=\"v\" />\r");
}

TEST(XmlWriter, HeaderWithTheDtdAsInternalSubset) {
  DtdDoc d(
      "<r/>",
      "<!ELEMENT r (i*, j?)>\n<!ATTLIST r k (a|b) #IMPLIED n CDATA #REQUIRED f CDATA #FIXED 'x'\n"
      "  d CDATA '&#34;%&#38;'>\n<!ELEMENT i EMPTY>\n<!ELEMENT j (#PCDATA | i)*>\n");
  ASSERT_TRUE(d.doc.SetStandalone(true));
  ASSERT_TRUE(d.doc.SetEncoding("Windows-1250"));
  // Without a DTD file name the DTD is written once as the internal subset.
  ASSERT_TRUE(d.doc.SetExternalDTD(""));
  ASSERT_TRUE(d.doc.SetXMLVersion(""));
  EXPECT_EQ(xml::HeaderText(d.doc),
            "<?xml encoding=\"Windows-1250\" standalone=\"yes\"?>\r<!DOCTYPE r [<!--\r"
            "\tr DTD definition file\r\tWritten from the document's DTD model\r-->\r\r"
            "<!ELEMENT r (i*, j?)>\r<!ATTLIST r\r\td CDATA \"&#34;&#37;&#38;\"\r"
            "\tf CDATA #FIXED \"x\"\r\tk (a|b) #IMPLIED\r"
            "\tn CDATA #REQUIRED\r>\r<!ELEMENT i EMPTY>\r<!ELEMENT j (#PCDATA | i)*>\r]>\r");
  // The file holds that header and still opens.
  EXPECT_EQ(DumpReopened(d.path), Dump(d.doc));
}

TEST(XmlText, EncodingAndNames) {
  const std::string text = "x\u010D\u20AC\u00E9\U0001F600";
  EXPECT_EQ(xml::EncodeForFile(text, "windows-1250"), "x\xE8\x80\xE9&#x1F600;");
  EXPECT_EQ(xml::EncodeForFile(text, "ISO-8859-1"), "x&#x10D;&#x20AC;\xE9&#x1F600;");
  EXPECT_EQ(xml::EncodeForFile(text, "UTF-8"), text);
  EXPECT_EQ(xml::EncodeForFile(text, "KOI8-R"), "x&#x10D;&#x20AC;&#xE9;&#x1F600;");
  for (const char* good : {"a", "_x", "a:b", "a-1.b", "\u010D"})
    EXPECT_TRUE(xml::IsValidName(good));
  for (const char* bad : {"", "1a", "-a", "a b", "a<", "a=b", "a&", "a'"}) {
    EXPECT_FALSE(xml::IsValidName(bad)) << bad;
  }
}
