#include "xml/xml_parser.h"

#include <gtest/gtest.h>

#include "test_util.h"

using xml::XmlParser;
using namespace xml_test;

TEST(XmlParser, ReadsEachTextAsTheseParts) {
  const std::string dtd =
      "<!DOCTYPE r [<!ATTLIST r d CDATA 'def' f CDATA #FIXED \"fix\" i CDATA #IMPLIED "
      "t NMTOKENS '  x   y ' e (a|b) 'b'>]><r f=\"mine\" i=\"1\" t=\" p \n q \"/>";
  const std::pair<std::string, Strings> cases[] = {
      // Text, CDATA and comments leave the name and attributes of the part before.
      {"<?xml version=\"1.0\"?><!-- c --><?pi data?><!DOCTYPE r><r "
       "a=\"1\">t<![CDATA[<x>]]><e/></r>",
       {"prolog | version=1.0", "comment | version=1.0", "pi pi| data", "doctype |", "start r| a=1",
        "text r|t a=1", "cdata r|<x> a=1", "empty e|<x>", "end r|<x>"}},
      {"<a>x</a><!-- -- > --><?target  some data a='1'?><![CDATA[ & <b> ]]>",
       {"start a|", "text a|x", "end a|x", "comment a|x", "pi target|  some data a='1' some=1",
        "cdata target| & <b>  some=1"}},
      // Only the target "xml" itself is a declaration.
      {"<?xml-stylesheet href='s'?><?xml?>", {"pi xml-stylesheet| href='s' href=s", "prolog |"}},
      // Names end where their kind says, also long ones read word by word.
      {"<abcdefghijklmnop/><abcdefgh>", {"empty abcdefghijklmnop|", "start abcdefgh|"}},
      {"<abcdefg!#[=?\x01xyz\tattributeabcdefg=\"v\" attributeabcdefgh/>",
       {"start abcdefg!#[=?\x01xyz| attributeabcdefg=v"}},
      {"<?targetabcdefgh?><?targetabcdefghi data?>",
       {"pi targetabcdefgh|", "pi targetabcdefghi| data"}},
      {"<a>\r\n\t \t\t\t\t\t\t\t\t \r\n<b/>\t\t\t\t\t\t\t\t\tx \t\t\t\t\t\t\t\t\t",
       {"start a|", "empty b|", "text b|x"}},
      {"<>x", {"start |", "text |x"}},
      // Attributes in name order, a repeated name's later one first; a name waits for '=' and a
      // quote, '/' where a name may begin ends the analysis.
      {"<a z=\"1\" b='2' m = \"3\">", {"start a| b=2 m=3 z=1"}},
      {"<a x=\"1\" y=\"0\" x=\"2\"/>", {"empty a| x=2 x=1 y=0"}},
      {"<a b c=\"1\"/>", {"empty a| b=1"}},
      {"<a b='1' c/>", {"start a| b=1"}},
      {"</a x='1'/>", {"end a| x=1"}},
      // Text is normalised, blank text skipped; a leaf's text survives its end tag.
      {"<a>\r\n\t <b>  two \r\n\t  words\t</b>\r\n</a>  \r\n",
       {"start a|", "start b|", "text b|two words", "end b|two words", "end a|"}},
      {"<a><b>x</b></a>", {"start a|", "start b|", "text b|x", "end b|x", "end a|x"}},
      // A ';' beyond the next tag does not swallow the tag.
      {"<t>a&b<c>;</c></t>",
       {"start t|", "text t|ab", "start c|ab", "text c|;", "end c|;", "end t|;"}},
      // Defaults and fixed values from the declaration; typed values trimmed.
      {dtd + "<r e='a'/><other/>",
       {"doctype |", "empty r| d=def e=b f=fix i=1 t=p q", "empty r| d=def e=a f=fix t=x y",
        "empty other|"}},
      // The text ends at its first zero byte.
      {std::string("<a>x</a>\0<b/>", 13), {"start a|", "text a|x", "end a|x"}},
      // Names and values in the declared code page.
      {"<?xml version='1.0' encoding='Windows-1250'?><\xE8\x61 b\x9A='\x9A'/>",
       {"prolog | encoding=Windows-1250 version=1.0", "empty \u010D\x61| b\u0161=\u0161"}},
  };
  for (const auto& [text, parts] : cases) EXPECT_EQ(Parts(text), parts) << text;

  XmlParser p;
  EXPECT_EQ(Attrs(p, "<a x=\"1\" y=\"0\" x=\"2\"/>").ValueOf("x"), "2");  // the later one counts
  std::string kinds;
  for (const xml::Attr& a : Attrs(p, dtd)) {
    kinds += a.Name + ":" + xml::AttrKindNames[a.Kind] + ":" + xml::AttrTypeNames[a.AttrType] + " ";
  }
  EXPECT_EQ(
      kinds,
      "d:Default:CDATA e:Default:Enumeration f:Fixed:CDATA i:Implied:CDATA t:Normal:NMTOKENS ");
  // More attributes than the insertion sort takes.
  std::string tag = "<t";
  std::vector<std::pair<std::string, int>> sorted;
  for (int i = 0; i < 60; ++i) {
    tag += " n" + std::to_string(i * 37 % 23) + "='" + std::to_string(i) + "'";
    sorted.emplace_back("n" + std::to_string(i * 37 % 23), -i);
  }
  std::sort(sorted.begin(), sorted.end());
  std::string expected = "empty t|";
  for (const auto& [name, i] : sorted) expected += " " + name + "=" + std::to_string(-i);
  EXPECT_EQ(Parts(tag + "/>"), Strings{expected});
}

TEST(XmlParser, ReferencesInTextAndAttributeValues) {
  struct Case {
    const char* raw;
    const char* text;
    const char* value;
  } cases[] = {
      {"&lt;&gt;&amp;&apos;&quot;", "<>&'\"", "<>&'\""},
      {"&#65;&#x41;&#X41;", "AAA", "AAA"},
      {"&#300;&#x1F600;", "\u012C\U0001F600", "\u012C\U0001F600"},  // not the low byte
      {"[&#0;][&#xD800;][&#abc;][&#;][&#x110000;]", "[\uFFFD][\uFFFD][\uFFFD][\uFFFD][\uFFFD]",
       "[\uFFFD][\uFFFD][\uFFFD][\uFFFD][\uFFFD]"},
      {"&amp;#65;", "&#65;", "A"},                  // a value expands general references first
      {"&foo;bar", "foobar", "&foo;bar"},           // undeclared
      {"Tom & Jerry", "Tom Jerry", "Tom & Jerry"},  // no ';': text drops the '&'
      {"a&b", "ab", "a&b"},
      {" a\tb\r\nc ", "a b c", " a b c "},  // an untyped value: each blank (CR LF one) a space
      {"a  b", "a b", "a  b"},
      {"a\x01 b", "a\x01 b", "a\x01 b"},  // a control character is no blank
      {"abcdefgh ijklmnop  qrstuvwx\ty", "abcdefgh ijklmnop qrstuvwx y",
       "abcdefgh ijklmnop  qrstuvwx y"},
      {"abcdefghijklmnopqrstuvw z", "abcdefghijklmnopqrstuvw z", "abcdefghijklmnopqrstuvw z"},
      // Referenced blanks stay in a value.
      {"a&#9;b&#10;c&#13;d&#32;", "a b c d", "a\tb\nc\rd "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FirstText(std::string("<t>") + c.raw + "</t>"), c.text) << c.raw;
    XmlParser p;
    EXPECT_EQ(Attrs(p, std::string("<t v=\"") + c.raw + "\"/>").ValueOf("v"), c.value) << c.raw;
  }
  // A text full of '&' without ';' stays linear.
  EXPECT_EQ(FirstText("<t>x" + std::string(200000, '&') + "y</t>"), "xy");
}

TEST(XmlParser, LineEndsArriveAsOneLineFeed) {
  // Read with LF, CR LF and CR line ends, every part reads the same: LF for a line end (a
  // space in an attribute value), text as it stands.
  const std::pair<std::string, Strings> cases[] = {
      {"<a>x\ny\n\nz</a>", {"start a|", "text a|x\ny\n\nz", "end a|x\ny\n\nz"}},
      {"<a><![CDATA[x\ny]]></a>", {"start a|", "cdata a|x\ny", "end a|x\ny"}},
      {"<a> x  y\n</a> ", {"start a|", "text a| x  y\n", "end a| x  y\n", "text a| "}},
      {"<a v='foo\nbar' w=\"\nx\n\n\"/>", {"empty a| v=foo bar w= x  "}},
      {"<?pi x\ny?>", {"pi pi| x\ny"}},
      {"<a>&u\nv;</a>", {"start a|", "text a|u\nv", "end a|u\nv"}},
      {"<\nx/><?\ny?>", {"empty \nx|", "pi \ny|"}},  // a name's first character is taken
      // Declared values are read the same way, and keep their line ends.
      {"<!DOCTYPE a [<!ENTITY e 'x\ny'><!ATTLIST a v CDATA 'p\nq'>]><a>&e;</a>",
       {"doctype |", "start a| v=p q", "text a|x\ny v=p q", "end a|x\ny"}},
      // A line end written as references is no line end to normalise.
      {"<!DOCTYPE a [<!ENTITY e 'x&#13;&#10;y'>]><a v='&#13;&#10;'>&#13;&#10;&e;</a>",
       {"doctype |", "start a| v=\r\n", "text a|\r\nx\r\ny v=\r\n", "end a|\r\nx\r\ny"}},
  };
  for (const auto& [doc, expected] : cases) {
    for (const char* lineEnd : {"\n", "\r\n", "\r"}) {
      const std::string text = WithLineEnds(doc, lineEnd);
      XmlParser p;
      Use(p, text);
      p.SetNormalizeText(false);
      EXPECT_EQ(Rest(p), expected) << text;
    }
  }
}

TEST(XmlParser, TypedAttributeValuesAreTrimmedAndCollapsed) {
  // Typed values lose outer spaces and keep one of each inner run; a referenced tab stays.
  const std::pair<std::string, std::string> cases[] = {
      {"<!ATTLIST r t NMTOKENS #IMPLIED><!ELEMENT r ANY>]><r t=' 1   2  '/>", "1 2"},
      {"<!ELEMENT r ANY><!ATTLIST r t NMTOKENS #IMPLIED>]><r t='\r\n1\r\n\r\n2'/>", "1 2"},
      {"<!ENTITY s '  '><!ATTLIST r t NMTOKENS #IMPLIED>]><r t='&s;1&s;&#32;2&s;'/>", "1 2"},
      {"<!ATTLIST r t NMTOKENS #IMPLIED>]><r t='&#9;1  2'/>", "\t1 2"},
      {"<!ATTLIST r t ID #FIXED ' x '>]><r t='y'/>", "x"},
      {"<!ATTLIST r t CDATA #IMPLIED>]><r t=' 1   2 '/>", " 1   2 "},
  };
  for (const auto& [subset, expected] : cases) {
    XmlParser p;
    EXPECT_EQ(Attrs(p, "<!DOCTYPE r [" + subset).ValueOf("t"), expected) << subset;
  }
}

TEST(XmlParser, MalformedTextNeverReadsPastItsEnd) {
  // Unterminated parts run to the end of the text.
  for (const std::string s :
       {"<!-- x", "<?pi x", "<![CDATA[x", "<a b='x", "<a b=\"x\"", "<a", "</", "<", "<?xml v='1'",
        "<!DOCTYPE a [<!ELEMENT", "<!DOCTYPE", "<!DOCTYPE a [<!ATTLIST a b (x",
        "<!DOCTYPE a SYSTEM 'x", "<!DOCTYPE a [<!ENTITY e 'v"}) {
    XmlParser p;
    Use(p, s);
    ASSERT_TRUE(p.NextPart()) << s;
    EXPECT_EQ(p.PartStart() - p.Buffer(), 0) << s;
    EXPECT_EQ(p.PartEnd() - p.Buffer(), static_cast<long>(s.size()) - 1) << s;
    EXPECT_FALSE(p.NextPart()) << s;
    EXPECT_FALSE(p.NextPart()) << s;
    EXPECT_EQ(p.PartStart(), p.BufferEnd()) << s;
  }
  XmlParser p;
  p.UseBuffer(static_cast<const char*>(nullptr));
  EXPECT_FALSE(p.NextPart());
}

TEST(XmlParser, DecodesFromTheDeclaredEncoding) {
  struct Case {
    const char* encoding;  // nullptr: no declaration
    std::string bytes;
    const char* expected;
  } cases[] = {
      {"Windows-1250", "\x8A\x9A\xE8\xF8", "\u0160\u0161\u010D\u0159"},
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
  // Neither a UTF-8 mark nor a PI whose target begins with xml changes that.
  for (const Case& c : cases) {
    for (const char* bom : {"", "\xEF\xBB\xBF"}) {
      std::string doc = bom;
      if (c.encoding != nullptr)
        doc += std::string("<?xml version='1.0' encoding='") + c.encoding + "'?>";
      doc += "<?xml-stylesheet href='s'?><t a='" + c.bytes + "'>" + c.bytes + "</t>";
      XmlParser p;
      EXPECT_EQ(FirstText(doc, p), c.expected) << c.encoding << bom;
      EXPECT_EQ(Attrs(p, doc).ValueOf("a"), c.expected) << c.encoding << bom;
    }
  }
  // A fragment decodes with the encoding set beforehand; a bare declaration means UTF-8.
  XmlParser p;
  p.SetTextEncoding("Windows-1250");
  EXPECT_EQ(FirstText("<t>\xE8</t>", p), "\u010D");
  EXPECT_EQ(FirstText("<?xml version='1.0'?><t>\xC4\x8D</t>", p), "\u010D");
}

TEST(XmlParser, LoadsOnlyRegularFiles) {
  TempDir dir;
  const std::string file = dir.Write("doc.xml", std::string("<a>x</a>\0<b/>", 13));
  XmlParser p;
  EXPECT_FALSE(p.LoadFile(dir.Path("missing.xml")));
  EXPECT_FALSE(p.LoadFile(dir.Path()));   // a folder is no file
  EXPECT_FALSE(p.LoadFile("/dev/zero"));  // nor a device that never ends
  // Nor a file beyond the limit, refused before anything is read (sparse: no disk used).
  const std::string huge = dir.Write("huge.xml", "");
  std::filesystem::resize_file(huge, XmlParser::kMaxFileSize + 1);
  EXPECT_FALSE(p.LoadFile(huge));
  ASSERT_TRUE(p.LoadFile(file));
  EXPECT_EQ(p.SourceName(), file);
  EXPECT_EQ(std::string(p.Buffer(), p.BufferEnd()), "<a>x</a>");  // up to the first zero byte
}
