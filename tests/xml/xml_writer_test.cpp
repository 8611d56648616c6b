#include "xml/xml_writer.h"

#include <gtest/gtest.h>

#include "doc_test_util.h"
#include "xml/xml_text.h"

using xml::ElementText;
using xml::TElement;
using xml::TXMLData;

namespace {

const std::string kDecl = "<?xml version=\"1.0\"?>\n";

struct Doc {
  xml_test::TempDir dir;
  TXMLData doc;
  explicit Doc(const std::string& body, const std::string& dtd = {}) {
    xml_test::WriteBytes(dir.Path("d.xml"), kDecl + body);
    if (!dtd.empty()) {
      xml_test::WriteBytes(dir.Path("d.dtd"), dtd);
      EXPECT_TRUE(doc.SetExternalDTD(dir.Path("d.dtd")));
    }
    doc.SetFileName(dir.Path("d.xml"));
    EXPECT_TRUE(doc.Open());
  }
};

}  // namespace

TEST(XmlWriter, ElementTextBytes) {
  Doc d("<r><a x=\"1\" y='\"&lt;'>t</a><a/><p><c>c1</c><c/><e/></p><q><s><v>deep</v></s></q></r>",
        "<!ELEMENT r (p)><!ELEMENT p (c*, e)><!ELEMENT e EMPTY><!ELEMENT c (#PCDATA)>");
  std::unique_ptr<TElement> root = d.doc.Root();
  std::unique_ptr<TElement> a = root->ChildAt(0);
  std::unique_ptr<TElement> empty = root->ChildAt(1);
  std::unique_ptr<TElement> p = root->ChildAt(2);
  std::unique_ptr<TElement> e = p->ChildAt(2);
  std::unique_ptr<TElement> q = root->ChildAt(3);
  struct Case {
    const TElement* element;
    bool closing;
    bool children;
    std::string bytes;
  } cases[] = {
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
  for (const Case& c : cases) {
    EXPECT_EQ(ElementText(*c.element, c.closing, c.children), c.bytes) << c.bytes;
  }
  TElement free("f");
  free.AddAttribute("k")->SetValue("v");
  free.SetContent("a & b");
  EXPECT_EQ(ElementText(free, true, true), "<f k=\"v\">a &amp; b</f>\r");
  EXPECT_EQ(xml::StartTagText(free, true), "<f k=\"v\" />\r");
}

TEST(XmlWriter, HeaderForms) {
  const char* dtd =
      "<!ELEMENT r (i*)>\n<!ATTLIST r k (a|b) #IMPLIED n CDATA #REQUIRED>\n"
      "<!ELEMENT i EMPTY>\n";
  Doc d("<r/>", dtd);
  EXPECT_EQ(xml::HeaderText(d.doc),
            "<?xml version=\"1.0\"?>\r<!DOCTYPE r SYSTEM \"" + d.dir.Path("d.dtd") + "\">\r");
  ASSERT_TRUE(d.doc.SetStandalone(true));
  ASSERT_TRUE(d.doc.SetEncoding("Windows-1250"));
  ASSERT_TRUE(d.doc.SetDoctype("-//X//Y"));
  EXPECT_EQ(xml::HeaderText(d.doc),
            "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\"?>\r"
            "<!DOCTYPE r PUBLIC \"-//X//Y\" \"" +
                d.dir.Path("d.dtd") + "\">\r");
  // Without a DTD file name the DTD is written as the internal subset.
  ASSERT_TRUE(d.doc.SetExternalDTD(""));
  ASSERT_TRUE(d.doc.SetXMLVersion(""));
  EXPECT_EQ(xml::HeaderText(d.doc),
            "<?xml encoding=\"Windows-1250\" standalone=\"yes\"?>\r<!DOCTYPE r [<!--\r"
            "\tr DTD definition file\r\tWritten from the document's DTD model\r-->\r\r"
            "<!ELEMENT r (i*)>\r<!ATTLIST r\r\tk (a|b) #IMPLIED \"a\"\r"
            "\tn CDATA #REQUIRED \r>\r<!ELEMENT i EMPTY>\r]>\r");
  // The file holds that header and still opens.
  EXPECT_EQ(xml_test::DumpReopened(d.dir.Path("d.xml")), xml_test::Dump(d.doc));
}

TEST(XmlWriter, DtdTextWritesEachDeclarationOnce) {
  xml::TDTD dtd;
  xml::TDTDElement& root = dtd.Root();
  root.Name = "r";
  xml::TDTDElement* a = root.AddChild("a");
  a->AddChild("s")->ContentType = xml::etMixed;
  a->AddAttribute("v")->SetDefaultType(xml::adDefault);
  a->AttributeAt(0)->SetDefVal("1");
  a->AddAttribute("n")->SetAttrType(xml::atNotation);
  a->AttributeAt(1)->SetDefaultType(xml::adFixed);
  xml::TDTDElement* b = root.AddChild("b");
  b->ChildCount = xml::TChildCount::seAny;
  b->AddChild("s")->ContentType = xml::etMixed;
  std::vector<std::string> written;
  EXPECT_EQ(xml::DeclarationText(root, written),
            "<!ELEMENT r (a, b*)>\r<!ELEMENT a (s)>\r<!ATTLIST a\r\tv CDATA #DEFAULT \"1\"\r"
            "\tn Notation #FIXED \r>\r<!ELEMENT s (#PCDATA)>\r<!ELEMENT b (s)>\r");
  EXPECT_EQ(written, (std::vector<std::string>{"r", "a", "s", "b"}));
  EXPECT_EQ(xml::DeclarationText(root, written), "");
}

TEST(XmlText, EscapingEncodingAndNames) {
  EXPECT_EQ(xml::EscapeContent("a&b<c>\"d'"), "a&amp;b&lt;c&gt;\"d'");
  EXPECT_EQ(xml::EscapeAttribute("a&\"<"), "a&amp;&quot;&lt;");
  const std::string text = "x\xC4\x8D\xE2\x82\xAC\xC3\xA9\xF0\x9F\x98\x80";  // xč€é😀
  EXPECT_EQ(xml::EncodeForFile(text, "windows-1250"), "x\xE8\x80\xE9&#x1F600;");
  EXPECT_EQ(xml::EncodeForFile(text, "ISO-8859-1"), "x&#x10D;&#x20AC;\xE9&#x1F600;");
  EXPECT_EQ(xml::EncodeForFile(text, "UTF-8"), text);
  EXPECT_EQ(xml::EncodeForFile(text, ""), text);
  EXPECT_EQ(xml::EncodeForFile(text, "KOI8-R"), "x&#x10D;&#x20AC;&#xE9;&#x1F600;");
  EXPECT_TRUE(xml::CanEncodeAll("x\xC4\x8D", "Windows-1250"));
  EXPECT_FALSE(xml::CanEncodeAll("x\xC4\x8D", "ISO-8859-1"));
  EXPECT_FALSE(xml::CanEncodeAll("\xC3\xA9", "KOI8-R"));
  for (const char* good : {"a", "_x", "a:b", "a-1.b", "\xC4\x8D"}) {
    EXPECT_TRUE(xml::IsValidName(good)) << good;
  }
  for (const char* bad : {"", "1a", "-a", "a b", "a<", "a=b", "a&", "a'"}) {
    EXPECT_FALSE(xml::IsValidName(bad)) << bad;
  }
}
