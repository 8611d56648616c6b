#include "xml/xml_parser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "parser_test_util.h"

using xml::TXmlParser;
using xml_test::FirstText;
using xml_test::Parts;

namespace {

using Strings = std::vector<std::string>;

// Positions of the parts as offsets into the text.
std::vector<std::pair<long, long>> Spans(const std::string& text) {
  TXmlParser p;
  p.UseBuffer(text);
  std::vector<std::pair<long, long>> out;
  while (p.NextPart()) out.emplace_back(p.PartStart() - p.Buffer(), p.PartEnd() - p.Buffer());
  return out;
}

}  // namespace

TEST(XmlParser, ClassifiesEveryKindOfPart) {
  const std::string doc =
      "<?xml version=\"1.0\"?><!-- c --><?pi data?><!DOCTYPE r><r a=\"1\">t<![CDATA[<x>]]>"
      "<e/></r>";
  // Text, CDATA and comments leave the name and attributes of the part before.
  EXPECT_EQ(Parts(doc), (Strings{"prolog | version=1.0", "comment | version=1.0", "pi pi| data",
                                 "doctype |", "start r| a=1", "text r|t a=1", "cdata r|<x> a=1",
                                 "empty e|<x>", "end r|<x>"}));
  EXPECT_EQ(Spans(doc), (std::vector<std::pair<long, long>>{{0, 20},
                                                            {21, 30},
                                                            {31, 41},
                                                            {42, 53},
                                                            {54, 62},
                                                            {63, 63},
                                                            {64, 78},
                                                            {79, 82},
                                                            {83, 86}}));
  // The prefix decides: any PI whose target begins with "xml" is a declaration.
  EXPECT_EQ(Parts("<?xml-stylesheet href='s'?><!x>"), (Strings{"prolog |", "start !x|"}));
  // Names end where their kind says, also long ones read word by word.
  EXPECT_EQ(Parts("<abcdefghijklmnop/><abcdefgh>"),
            (Strings{"empty abcdefghijklmnop|", "start abcdefgh|"}));
  EXPECT_EQ(Parts("<abcdefg!#[=?\x01xyz\tattributeabcdefg=\"v\" attributeabcdefgh/>"),
            (Strings{"start abcdefg!#[=?\x01xyz| attributeabcdefg=v"}));
  EXPECT_EQ(Parts("<?targetabcdefgh?><?targetabcdefghi data?>"),
            (Strings{"pi targetabcdefgh|", "pi targetabcdefghi| data"}));
  EXPECT_EQ(Parts("<a>\r\n\t \t\t\t\t\t\t\t\t \r\n<b/>\t\t\t\t\t\t\t\t\tx \t\t\t\t\t\t\t\t\t"),
            (Strings{"start a|", "empty b|", "text b|x"}));
  // '>' never begins a name: "<>" is a tag of its own.
  EXPECT_EQ(Parts("<>x"), (Strings{"start |", "text |x"}));
  EXPECT_EQ(xml::PartKindNames[xml::pkDoctype], std::string("DTD Declaration"));
  EXPECT_EQ(xml::AttrKindNames[xml::akDefault], std::string("Default"));
}

TEST(XmlParser, DeclarationFillsTheDocumentFields) {
  TXmlParser p;
  p.UseBuffer("<?xml version=\"1.1\" encoding=\"Windows-1250\" standalone=\"yes\"?><a/>");
  ASSERT_TRUE(p.NextPart());
  EXPECT_EQ(p.DocVersion(), "1.1");
  EXPECT_EQ(p.DocEncoding(), "Windows-1250");
  EXPECT_TRUE(p.DocStandalone());
  EXPECT_EQ(p.TextEncoding(), "Windows-1250");
  p.UseBuffer("<?xml version=\"1.0\" standalone='no'?><a/>");
  ASSERT_TRUE(p.NextPart());
  EXPECT_FALSE(p.DocStandalone());
  EXPECT_EQ(p.TextEncoding(), "UTF-8");
  EXPECT_EQ(p.SourceName(), "<REFERENCE>");
}

TEST(XmlParser, AttributesComeInNameOrder) {
  EXPECT_EQ(Parts("<a z=\"1\" b='2' m = \"3\">"), (Strings{"start a| b=2 m=3 z=1"}));
  // A repeated name: the later one first, and it is the one looked up.
  TXmlParser p;
  p.UseBuffer("<a x=\"1\" y=\"0\" x=\"2\"/>");
  ASSERT_TRUE(p.NextPart());
  EXPECT_EQ(xml_test::Describe(p), "empty a| x=2 x=1 y=0");
  EXPECT_EQ(p.PartAttributes().ValueOf("x"), "2");
  EXPECT_EQ(p.PartAttributes().ValueOf("none"), "");
  EXPECT_EQ(p.PartAttributes().NameAt(2), "y");
  EXPECT_EQ(p.PartAttributes().NameAt(3), "");
  // A name waits for its '=' and quote, skipping all else; '/' where a name
  // may begin ends the analysis.
  EXPECT_EQ(Parts("<a b c=\"1\"/>"), (Strings{"empty a| b=1"}));
  EXPECT_EQ(Parts("<a b='1' c/>"), (Strings{"start a| b=1"}));
  EXPECT_EQ(Parts("</a x='1'/>"), (Strings{"end a| x=1"}));

  // Many attributes in scrambled order, some repeated.
  std::string tag = "<t";
  std::vector<std::pair<std::string, int>> expected;
  for (int i = 0; i < 60; ++i) {
    const std::string name = "n" + std::to_string((i * 37) % 23);
    tag += " " + name + "='" + std::to_string(i) + "'";
    expected.emplace_back(name, i);
  }
  tag += ">";
  std::stable_sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) {
    return a.first < b.first || (a.first == b.first && a.second > b.second);
  });
  p.UseBuffer(tag);
  ASSERT_TRUE(p.NextPart());
  ASSERT_EQ(p.PartAttributes().Count(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(p.PartAttributes()[i].Name, expected[i].first) << i;
    EXPECT_EQ(p.PartAttributes()[i].Value, std::to_string(expected[i].second)) << i;
  }
}

TEST(XmlParser, TextIsNormalisedAndBlankTextSkipped) {
  EXPECT_EQ(Parts("<a>\r\n\t <b>  two \r\n\t  words\t</b>\r\n</a>  \r\n"),
            (Strings{"start a|", "start b|", "text b|two words", "end b|two words", "end a|"}));
  // The skipped blank text still empties the content: an element around
  // elements reads as empty at its end tag, a leaf's text survives it.
  EXPECT_EQ(Parts("<a><b>x</b></a>"),
            (Strings{"start a|", "start b|", "text b|x", "end b|x", "end a|x"}));
  const std::pair<std::string, std::string> texts[] = {
      {"a b", "a b"},
      {"a  b", "a b"},
      {"a\tb", "a b"},
      {" a", "a"},
      {"a\r\n", "a"},
      {"a\x01 b", "a\x01 b"},  // a control character is no blank
      {"abcdefgh ijklmnop  qrstuvwx\ty", "abcdefgh ijklmnop qrstuvwx y"},
      {"abcdefghijklmnopqrstuvw z", "abcdefghijklmnopqrstuvw z"},
  };
  for (const auto& [text, expected] : texts) {
    EXPECT_EQ(FirstText("<a>" + text + "</a>"), expected) << text;
  }
  TXmlParser p;
  p.UseBuffer("<a> x  y\n</a> ");
  p.SetNormalizeText(false);
  Strings raw;
  while (p.NextPart()) raw.push_back(xml_test::Describe(p));
  EXPECT_EQ(raw, (Strings{"start a|", "text a| x  y\n", "end a| x  y\n", "text a| "}));
}

TEST(XmlParser, ReferencesInText) {
  struct Case {
    const char* text;
    const char* expected;
  } cases[] = {
      {"&lt;&gt;&amp;&apos;&quot;", "<>&'\""},
      {"&#65;&#x41;&#X41;", "AAA"},
      {"&#300;", "\u012C"},  // the whole code point, not its low byte
      {"&#x1F600;", "\U0001F600"},
      {"[&#0;][&#xD800;][&#abc;][&#;][&#x110000;]", "[\uFFFD][\uFFFD][\uFFFD][\uFFFD][\uFFFD]"},
      {"&foo;bar", "foobar"},        // undeclared: its name
      {"Tom & Jerry", "Tom Jerry"},  // no ';': the '&' is dropped
      {"a&b", "ab"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FirstText(std::string("<t>") + c.text + "</t>"), c.expected) << c.text;
  }
  // A ';' beyond the next tag does not swallow the tag.
  EXPECT_EQ(Parts("<t>a&b<c>;</c></t>"),
            (Strings{"start t|", "text t|ab", "start c|ab", "text c|;", "end c|;", "end t|;"}));
  // A text full of '&' without ';' stays fast (and is dropped).
  EXPECT_EQ(FirstText("<t>x" + std::string(200000, '&') + "y</t>"), "xy");
}

TEST(XmlParser, ReferencesInAttributeValues) {
  struct Case {
    const char* value;
    const char* expected;
  } cases[] = {
      {"&amp;#65;", "A"},  // general references before character references
      {"&lt;&#x41;&#300;", "<A\u012C"},
      {"&foo;", "&foo;"},  // undeclared: unchanged
      {"a&b", "a&b"},
      {"&#abc;", "\uFFFD"},
      {" a\tb\r\nc ", " a b  c "},  // untyped values: each blank a space
  };
  for (const Case& c : cases) {
    TXmlParser p;
    const std::string doc = std::string("<t v=\"") + c.value + "\"/>";
    p.UseBuffer(doc);
    ASSERT_TRUE(p.NextPart());
    EXPECT_EQ(p.PartAttributes().ValueOf("v"), c.expected) << c.value;
  }
}

TEST(XmlParser, DefaultsAndFixedValuesFromTheDeclaration) {
  const std::string doc =
      "<!DOCTYPE r [<!ATTLIST r d CDATA 'def' f CDATA #FIXED \"fix\" i CDATA #IMPLIED "
      "t NMTOKENS '  x   y ' e (a|b) 'b'>]>"
      "<r f=\"mine\" i=\"1\" t=\" p \n q \"/><r e='a'/><other/>";
  EXPECT_EQ(Parts(doc), (Strings{"doctype |", "empty r| d=def e=b f=fix i=1 t=p q",
                                 "empty r| d=def e=a f=fix t=x y", "empty other|"}));
  TXmlParser p;
  p.UseBuffer(doc);
  p.NextPart();
  p.NextPart();
  const xml::TAttrList& a = p.PartAttributes();
  EXPECT_EQ(a.FindNode("d")->Kind, xml::akDefault);
  EXPECT_EQ(a.FindNode("f")->Kind, xml::akFixed);
  EXPECT_EQ(a.FindNode("i")->Kind, xml::akImplied);
  EXPECT_EQ(a.FindNode("t")->Kind, xml::akNormal);
  EXPECT_EQ(a.FindNode("t")->AttrType, xml::atNmTokens);
  EXPECT_EQ(a.FindNode("e")->AttrType, xml::atEnumeration);
}

TEST(XmlParser, CommentsProcessingInstructionsAndCData) {
  EXPECT_EQ(Parts("<a>x</a><!-- -- > --><?target  some data a='1'?><![CDATA[ & <b> ]]>"),
            (Strings{"start a|", "text a|x", "end a|x", "comment a|x",
                     "pi target|  some data a='1' some=1", "cdata target| & <b>  some=1"}));
}

TEST(XmlParser, UnterminatedPartsRunToTheEnd) {
  const char* cases[] = {"<!-- x",
                         "<?pi x",
                         "<![CDATA[x",
                         "<a b='x",
                         "<a b=\"x\"",
                         "<a",
                         "</",
                         "<",
                         "<?xml v='1'",
                         "<!DOCTYPE a [<!ELEMENT",
                         "<!DOCTYPE",
                         "<!DOCTYPE a [<!ATTLIST a b (x",
                         "<!DOCTYPE a SYSTEM 'x",
                         "<!DOCTYPE a [<!ENTITY e 'v"};
  for (const char* text : cases) {
    const std::string s = text;
    TXmlParser p;
    std::vector<char> exact(s.begin(), s.end());
    p.UseBuffer(exact.data(), exact.size());
    ASSERT_TRUE(p.NextPart()) << s;
    EXPECT_EQ(p.PartStart() - p.Buffer(), 0) << s;
    EXPECT_EQ(p.PartEnd() - p.Buffer(), static_cast<long>(s.size()) - 1) << s;
    EXPECT_FALSE(p.NextPart()) << s;
    EXPECT_FALSE(p.NextPart()) << s;
    EXPECT_EQ(p.PartStart(), p.BufferEnd()) << s;
  }
}

TEST(XmlParser, TextEndsAtTheFirstZeroByte) {
  const std::string s("<a>x</a>\0<b/>", 13);
  EXPECT_EQ(Parts(s), (Strings{"start a|", "text a|x", "end a|x"}));
  TXmlParser p;
  p.UseBuffer(static_cast<const char*>(nullptr));
  EXPECT_FALSE(p.NextPart());
  p.UseBuffer("");
  EXPECT_FALSE(p.NextPart());
}

TEST(XmlParser, DecodesFromTheDeclaredEncoding) {
  struct Case {
    const char* encoding;  // nullptr: no declaration
    std::string bytes;
    const char* expected;
  } cases[] = {
      {"Windows-1250", "\x8A\x9A\xE8\xF8", "\u0160\u0161\u010D\u0159"},
      {"windows-1250", "\xE8", "\u010D"},
      {"Windows-1252", "\x80\xE8", "\u20AC\u00E8"},
      {"ISO-8859-1", "\xE8", "\u00E8"},
      {"iso-8859-2", "\xB1\xE8", "\u0105\u010D"},
      {"KOI8-R", "\xC1", "\u0430"},                     // through iconv
      {"utf-8", "\xC5\xA1", "\u0161"},                  // any letter case
      {"UTF-8", "a\xC5z\xFF", "a\uFFFDz\uFFFD"},        // malformed sequences
      {nullptr, "\xC4\x8D\xE8", "\u010D\uFFFD"},        // no declaration: UTF-8
      {"x-no-such-encoding", "\xC4\x8D", "\u010D"},     // unknown: passes
      {"UTF-16", "\xC4\x8D", "\u010D"},                 // ASCII changed: passes
      {"Windows-1250", "&#x10D;\xE8", "\u010D\u010D"},  // references are not decoded again
  };
  for (const Case& c : cases) {
    std::string doc;
    if (c.encoding != nullptr)
      doc = std::string("<?xml version='1.0' encoding='") + c.encoding + "'?>";
    doc += "<t a='" + c.bytes + "'>" + c.bytes + "</t>";
    TXmlParser p;
    EXPECT_EQ(FirstText(p, doc), c.expected) << c.encoding;
    p.UseBuffer(doc);
    while (p.NextPart() && p.PartType() != xml::pkStartTag) {
    }
    EXPECT_EQ(p.PartAttributes().ValueOf("a"), c.expected) << c.encoding;
  }
  // Names are decoded too.
  EXPECT_EQ(
      Parts("<?xml version='1.0' encoding='Windows-1250'?><\xE8\x61 b\x9A='\x9A'/>"),
      (Strings{"prolog | encoding=Windows-1250 version=1.0", "empty \u010D\x61| b\u0161=\u0161"}));
  // A fragment without declaration decodes with the encoding set beforehand.
  TXmlParser p;
  p.SetTextEncoding("Windows-1250");
  EXPECT_EQ(FirstText(p, "<t>\xE8</t>"), "\u010D");
}

TEST(XmlParser, LoadsFilesAndOpensExternalTextBesideThem) {
  xml_test::TempDir dir;
  const std::string file = dir.Write("doc.xml", "<a>x</a>");
  dir.Write("ext.txt", "external");
  TXmlParser p;
  EXPECT_FALSE(p.LoadFile(dir.Path() + "/missing.xml"));
  EXPECT_FALSE(p.LoadFile(dir.Path()));  // a folder is no file
  EXPECT_FALSE(p.LoadFile("/dev/zero"));  // nor a device that never ends
  ASSERT_TRUE(p.LoadFile(file));
  EXPECT_EQ(p.SourceName(), file);
  EXPECT_EQ(p.BufferSize(), 9u);
  EXPECT_EQ(std::string(p.Buffer(), p.BufferEnd()), "<a>x</a>");
  auto ext = p.OpenExternal("ext.txt", "", "");
  ASSERT_NE(ext, nullptr);
  EXPECT_EQ(std::string(ext->Buffer(), ext->BufferEnd()), "external");
  auto missing = p.OpenExternal("nothing.txt", "", "");
  ASSERT_NE(missing, nullptr);
  EXPECT_EQ(missing->Buffer(), missing->BufferEnd());
}
