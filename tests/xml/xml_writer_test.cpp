#include "xml/xml_writer.h"

#include <gtest/gtest.h>

#include "doc_dump.h"
#include "test_util.h"
#include "xml/xml_text.h"

using xml::ElementText;
using xml::XmlElement;

namespace {

// A document opened with a DTD file beside it.
struct Doc : xml_test::OpenDoc {
  Doc(const std::string& body, const std::string& dtd)
      : OpenDoc("<?xml version=\"1.0\"?>\n" + body, false) {
    EXPECT_TRUE(doc.SetExternalDTD(dir.Write("d.dtd", dtd)));
    EXPECT_TRUE(doc.Open());
  }
};

}  // namespace

TEST(XmlWriter, ElementTextBytes) {
  Doc d("<r><a x=\"1\" y='\"&lt;'>t</a><a/><p><c>c1</c><c/><e/></p><q><s><v>deep</v></s></q></r>",
        "<!ELEMENT r (p)><!ELEMENT p (c*, e)><!ELEMENT e EMPTY><!ELEMENT c (#PCDATA)>");
  const std::unique_ptr<XmlElement> root = d.doc.Root(), a = d.At({0}), empty = d.At({1}),
                                    p = d.At({2}), e = d.At({2, 2}), q = d.At({3});
  struct Case {
    const XmlElement* element;
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
  XmlElement free("x");
  ASSERT_TRUE(free.SetName("f"));  // a free element's setters only store
  free.AddAttribute("k")->SetValue("v");
  free.SetContent("a & b");
  EXPECT_EQ(ElementText(free, true, true), "<f k=\"v\">a &amp; b</f>\r");
  EXPECT_EQ(xml::StartTagText(free, true), "<f k=\"v\" />\r");
}

TEST(XmlWriter, HeaderWithTheDtdAsInternalSubset) {
  Doc d("<r/>",
        "<!ELEMENT r (i*, j?)>\n<!ATTLIST r k (a|b) #IMPLIED n CDATA #REQUIRED f CDATA #FIXED 'x'\n"
        "  d CDATA '&#34;%&#38;'>\n"
        "<!ELEMENT i EMPTY>\n<!ELEMENT j (#PCDATA | i)*>\n");
  ASSERT_TRUE(d.doc.SetStandalone(true));
  ASSERT_TRUE(d.doc.SetEncoding("Windows-1250"));
  // Without a DTD file name the DTD is written as the internal subset, each
  // declaration once.
  ASSERT_TRUE(d.doc.SetExternalDTD(""));
  ASSERT_TRUE(d.doc.SetXMLVersion(""));
  EXPECT_EQ(xml::HeaderText(d.doc),
            "<?xml encoding=\"Windows-1250\" standalone=\"yes\"?>\r<!DOCTYPE r [<!--\r"
            "\tr DTD definition file\r\tWritten from the document's DTD model\r-->\r\r"
            "<!ELEMENT r (i*, j?)>\r<!ATTLIST r\r\td CDATA \"&#34;&#37;&#38;\"\r"
            "\tf CDATA #FIXED \"x\"\r\tk (a|b) #IMPLIED\r"
            "\tn CDATA #REQUIRED\r>\r<!ELEMENT i EMPTY>\r<!ELEMENT j (#PCDATA | i)*>\r]>\r");
  // The file holds that header and still opens.
  EXPECT_EQ(xml_test::DumpReopened(d.path), xml_test::Dump(d.doc));
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
