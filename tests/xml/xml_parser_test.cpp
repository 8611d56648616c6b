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

namespace {

// Records each notice as "kind@offset" ('?' for an offset in another text).
class RecordingParser : public XmlParser {
 public:
  Strings notices;
  void DeclarationFound(const xml::DeclNotice& n) override {
    static const char* const kinds[] = {"element", "attlist", "entity", "notation",
                                        "pi",      "comment", "error"};
    std::string s = std::string(kinds[n.Kind]) + "@";
    s += InBuffer(n.Start) ? std::to_string(n.Start - Buffer()) : "?";
    if (n.Kind == xml::dkPI) s += ":" + std::string(n.Target);
    notices.push_back(s);
  }
};

// Every definition: elements "name=model/type{attributes}", "&general", "%parameter"
// entities (external ones with [public|system|notation]), "!notations".
std::string Defs(const XmlParser& p) {
  std::string s;
  for (const xml::ElemDef& e : p.ElementDefs()) {
    s += e.Name + "=" + e.Definition + "/" + xml::ElemTypeNames[e.ElemType];
    if (!e.Attributes.Empty()) {
      s += "{";
      for (const xml::AttrDef& a : e.Attributes) {
        s += a.Name + ":" + xml::AttrTypeNames[a.AttrType] + ":" + a.TypeDef + ":" + a.Notations +
             ":" + xml::AttrDefaultNames[a.DefaultType] + ":" + a.Value + ";";
      }
      s += "}";
    }
    s += " ";
  }
  for (const auto* list : {&p.GeneralEntities(), &p.ParameterEntities()}) {
    for (const xml::EntityDef& e : *list) {
      s += (list == &p.GeneralEntities() ? "&" : "%") + e.Name + "=" + e.Value;
      if (e.IsExternal()) s += "[" + e.PublicId + "|" + e.SystemId + "|" + e.NotationName + "]";
      s += " ";
    }
  }
  for (const xml::NotationDef& n : p.NotationDefs())
    s += "!" + n.Name + "=" + n.Value + "[" + n.PublicId + "] ";
  return s;
}

// The attributes of every tag and, in brackets, every text, space separated.
std::string Reading(XmlParser& p) {
  std::string s;
  while (p.NextPart()) {
    if (p.PartType() == xml::pkStartTag || p.PartType() == xml::pkEmptyTag) {
      for (const xml::Attr& a : p.PartAttributes()) s += " " + a.Name + "=" + a.Value;
    } else if (p.PartType() == xml::pkText) {
      s += " [" + p.PartContent() + "]";
    }
  }
  return s.empty() ? s : s.substr(1);
}

// Each document, written into dir as doc.xml, reads as expected (Reading).
template <size_t N>
void ExpectReadings(TempDir& dir, const std::pair<std::string, std::string> (&cases)[N]) {
  for (const auto& [doc, expected] : cases) {
    XmlParser p;
    ASSERT_TRUE(p.LoadFile(dir.Write("doc.xml", doc)));
    EXPECT_EQ(Reading(p), expected) << doc;
  }
}

// Entities nesting ten references of the level below, `levels` deep.
std::string Laughs(const char* pe, const std::string& base, int levels) {
  std::string s = std::string("<!ENTITY ") + pe + "l0 '" + base + "'>";
  for (int i = 1; i <= levels; ++i) {
    s += std::string("<!ENTITY ") + pe + "l" + std::to_string(i) + " '";
    for (int k = 0; k < 10; ++k) s += (*pe ? "%l" : "&l") + std::to_string(i - 1) + ";";
    s += "'>";
  }
  return s;
}

}  // namespace

TEST(XmlDeclarations, EveryDeclarationKind) {
  RecordingParser p;
  Parts(
      "<!DOCTYPE root SYSTEM \"missing.dtd\" [\n<!ELEMENT root (a , b? | c*)+>\n"
      "<!ELEMENT a EMPTY><!ELEMENT b ANY><!ELEMENT c (#PCDATA | a)*><!ELEMENT d whatever>\n"
      "<!ATTLIST a id ID #REQUIRED kind (x | y) \"y\" n NOTATION ( gif|png ) #IMPLIED\n"
      "   v CDATA #FIXED 'fixed' w NUMBER 'q'>\n<!ENTITY e \"text &#65;\">\n"
      "<!ENTITY ext PUBLIC \"-//pub\" 'ext.xml'>\n<!ENTITY pic SYSTEM \"pic.gif\" NDATA gif>\n"
      "<!ENTITY % p \"(a)\">\n<!NOTATION gif SYSTEM \"viewer\"><!NOTATION png PUBLIC 'png-id'>\n"
      "<!NOTATION gif SYSTEM \"other\">\n]><root/>",
      p);
  EXPECT_EQ(p.DocRootName(), "root");
  EXPECT_EQ(p.ExternalSubsetName(), "");  // the file does not exist
  // Notations keep duplicates, the later one first.
  EXPECT_EQ(Defs(p),
            "a=EMPTY/Empty{id:ID:ID::Required:;kind:Enumeration:x|y::Default:y;"
            "n:Notation:NOTATION:gif|png:Implied:;v:CDATA:CDATA::Fixed:fixed;"
            "w:Unknown:NUMBER::Default:q;} b=ANY/Any c=(#PCDATA|a)*/Mixed d=whatever/Any "
            "root=(a,b?|c*)+/Childs only &e=text A &ext=[-//pub|ext.xml|] &pic=[|pic.gif|gif] "
            "%p=(a) !gif=other[] !gif=viewer[] !png=[png-id] ");
  EXPECT_EQ(p.notices,
            (Strings{"element@38", "element@69", "element@87", "element@103", "element@130",
                     "attlist@152", "entity@269", "entity@294", "entity@334", "entity@375",
                     "notation@395", "notation@426", "notation@458"}));
}

TEST(XmlDeclarations, StopRulesOfNamesAndCutOffDeclarations) {
  const std::pair<const char*, const char*> cases[] = {
      {"<!ELEMENT x(a)>", "x(a)=/Any "},  // an ELEMENT name ends at a blank only
      {"<!ELEMENT\n x\t( a )>", "x=(a)/Childs only "},
      {"<!ELEMENT x (a", "x=(a/Childs only "},  // cut off: to the end
      {"<!ATTLIST x a#IMPLIED>", "x=ANY/Any{a:Unknown:#IMPLIED::Default:;} "},
      {"<!ATTLIST x a CDATA'v'>", "x=ANY/Any{a:CDATA:CDATA::Default:v;} "},
      {"<!ATTLIST x a CDATA #FIXED'v' b ID #IMPLIED>",
       "x=ANY/Any{a:CDATA:CDATA::Fixed:v;b:ID:ID::Implied:;} "},
      {"<!ATTLIST x a (p|q", "x=ANY/Any{a:Enumeration:p|q::Default:;} "},
      {"<!ATTLIST x a CDATA #BOGUS 'v'>", "x=ANY/Any{a:CDATA:CDATA::Default:v;} "},
      {"<!ENTITY e'v' 'w'><!ENTITY f \"a'b\" SYSTEM 'x'>",
       "&e=v &f=a'b "},  // a literal ends the value
      // Only a '%' before the name makes a parameter entity.
      {"<!ENTITY pct \"50%\"><!ENTITY % pe '%'>", "&pct=50% %pe=% "},
      // An ATTLIST declares an undeclared element ANY; its ELEMENT then sets the model.
      {"<!ATTLIST x a CDATA 'dflt'><!ELEMENT x (y)><!ATTLIST z a CDATA 'dflt'>",
       "x=(y)/Childs only{a:CDATA:CDATA::Default:dflt;} z=ANY/Any{a:CDATA:CDATA::Default:dflt;} "},
  };
  for (const auto& [subset, defs] : cases) {
    XmlParser p;
    Parts(std::string("<!DOCTYPE r [") + subset, p);
    EXPECT_EQ(Defs(p), defs) << subset;
  }
}

TEST(XmlDeclarations, ParameterEntities) {
  XmlParser p;
  Parts(
      "<!DOCTYPE r [\n<!ENTITY % model '( a | b )'>\n<!ENTITY % type 'CDATA'>\n"
      "<!ENTITY % decl '<!ELEMENT gen EMPTY>'>\n<!ENTITY % kw '#IMPLIED'>\n<!ELEMENT r %model;>\n"
      "<!ATTLIST r x %type; %kw; y (%model;) 'a'>\n<!ENTITY g 'is %type;'>\n"
      "%decl; %undeclared; %no-semicolon\n]><r/>",
      p);
  EXPECT_EQ(Defs(p),
            "gen=EMPTY/Empty r=(a|b)/Childs only{x:CDATA:CDATA::Implied:;"
            "y:Enumeration:(a|b)::Default:a;} &g=is %type; %decl=<!ELEMENT gen EMPTY> "
            "%kw=#IMPLIED %model=( a | b ) %type=CDATA ");
  EXPECT_EQ(p.ExpandParameterRefs("[%type;|%nope;]"), "[CDATA|%nope;]");
}

TEST(XmlDeclarations, DocumentsReadAsTheseParts) {
  const std::string dtd =
      "<!DOCTYPE r [<!ENTITY in '<b x=\"&amp;\">bold</b> &amp; more'>"
      "<!ENTITY outer 'o &in;'><!ENTITY empty ''>]>";
  const std::pair<std::string, Strings> cases[] = {
      // '>' inside the subset ends it, and the declaration with it.
      {"<!DOCTYPE r [<bad>]>", {"doctype |", "text |]>"}},
      {"<!DOCTYPE r [<?pi x?>]><r/>", {"doctype |", "empty r|"}},
      // A '>' from a parameter entity ends the declaration and the part; the scan goes on.
      {"<!DOCTYPE r [<!ENTITY % close '>'>] %close; tail<r/>",
       {"doctype |", "text |tail", "empty r|tail"}},
      // A second declaration is analysed on its own, one in an entity's text there.
      {"<!DOCTYPE a><!DOCTYPE b [<!ELEMENT b ANY>]><b/>", {"doctype |", "doctype |", "empty b|"}},
      {"<!DOCTYPE r [<!ENTITY d '<!DOCTYPE x><y/>'>]><r>&d;</r>",
       {"doctype |", "start r|", "doctype |", "empty y|", "end r|"}},
      // Entity text is scanned in place of the reference, returning through every end.
      {dtd + "<r>a &in; z</r>",
       {"doctype |", "start r|", "text r|a", "start b|a x=&", "text b|bold x=&", "end b|bold",
        "text b|& more z", "end r|& more z"}},
      {dtd + "<r>&outer;<c/></r>",
       {"doctype |", "start r|", "text r|o", "start b|o x=&", "text b|bold x=&", "end b|bold",
        "text b|& more", "empty c|& more", "end r|& more"}},
      {dtd + "<r>x&empty;y</r>", {"doctype |", "start r|", "text r|xy", "end r|xy"}},
  };
  for (const auto& [text, parts] : cases) EXPECT_EQ(Parts(text), parts) << text;

  RecordingParser p;
  Parts("<!DOCTYPE r [<!-- c --><?pi x?><bad]x>", p);
  EXPECT_EQ(p.notices, (Strings{"comment@13", "pi@23:pi", "error@31", "error@36"}));
  EXPECT_EQ(p.InternalSubsetEnd() - p.Buffer(), 35);
  Parts("<!DOCTYPE r [<!ENTITY % close '>'>] %close; tail<r/>", p);
  EXPECT_EQ(p.notices.back(), "error@?");
  Parts("<!DOCTYPE a><!DOCTYPE b [<!ELEMENT b ANY>]><b/>", p);
  EXPECT_EQ(p.DocRootName(), "b");

  // Positions inside entity text are not in the buffer; the next part's are.
  Use(p, dtd + "<r>&in;</r>");
  std::string where;
  while (p.NextPart()) {
    where += p.PartName() + (p.InBuffer(p.PartStart()) ? "+" : "-") +
             std::to_string(p.EntityStack().Depth()) + " ";
  }
  EXPECT_EQ(where, "+0 r+0 b-1 b-1 b-1 b-0 r+0 ");
}

TEST(XmlDeclarations, ExternalSubsetAndExternalEntities) {
  TempDir dir;
  dir.Write("doc.dtd",
            "<?xml version='1.0' encoding='UTF-8'?>\n"
            "<!ELEMENT doc (#PCDATA)>\n<!ATTLIST doc lang CDATA 'cs'>\n"
            "<!ENTITY chapter SYSTEM 'sub/chapter.xml'>");
  std::filesystem::create_directories(dir.Path("sub"));
  dir.Write("sub/chapter.xml", "<?xml version='1.0' encoding='Windows-1250'?><p>\x9A</p>");
  RecordingParser p;
  ASSERT_TRUE(p.LoadFile(dir.Write("doc.xml",
                                   "<?xml version='1.0' encoding='ISO-8859-2'?>\n"
                                   "<!DOCTYPE doc SYSTEM \"doc.dtd\">\n<doc>&chapter;\xB1</doc>")));
  // An external entity's declaration decodes its text, then the document's encoding is back.
  EXPECT_EQ(Rest(p), (Strings{"prolog | encoding=ISO-8859-2 version=1.0",
                              "doctype | encoding=ISO-8859-2 version=1.0", "start doc| lang=cs",
                              "prolog | encoding=Windows-1250 version=1.0", "start p|",
                              "text p|\u0161", "end p|\u0161", "text p|\u0105", "end doc|\u0105"}));
  EXPECT_EQ(p.ExternalSubsetName(), "doc.dtd");
  EXPECT_EQ(p.TextEncoding(), "ISO-8859-2");
  // The subset is read from its first "<!": the text declaration is passed by.
  EXPECT_EQ(p.notices, (Strings{"element@?", "attlist@?", "entity@?"}));

  // An external entity in an attribute value gives its whole text.
  dir.Write("word.txt", "w&amp;rd");
  ASSERT_TRUE(p.LoadFile(
      dir.Write("attr.xml", "<!DOCTYPE a [<!ENTITY w SYSTEM 'word.txt'>]><a v='[&w;]'/>")));
  EXPECT_EQ(Reading(p), "v=[w&rd]");

  // Outside files are paid from the expansion budget; a parser may read none at all.
  dir.Write("big.dtd",
            "<!ENTITY e 'x'>" + std::string(XmlParser::kMinExpansionBudget * 2 / 3, ' '));
  RecordingParser twice;
  ASSERT_TRUE(twice.LoadFile(dir.Write("twice.xml",
                                       "<!DOCTYPE a SYSTEM 'big.dtd'><a>"
                                       "<!DOCTYPE b SYSTEM 'big.dtd'></a>")));
  Rest(twice);
  EXPECT_EQ(twice.notices, Strings{"entity@?"});
  RecordingParser none;
  none.SetReadsExternalFiles(false);
  ASSERT_TRUE(none.LoadFile(dir.Path("attr.xml")));
  EXPECT_EQ(Reading(none), "v=[]");
  ASSERT_TRUE(none.LoadFile(dir.Path("doc.xml")));
  Rest(none);
  EXPECT_EQ(none.notices, Strings{"entity@13"});  // attr.xml's own declaration only
}

TEST(XmlDeclarations, TheFirstDeclarationBinds) {
  TempDir dir;
  // The internal subset counts as read before the external one.
  dir.Write("ext.dtd", "<!ENTITY e 'external'><!ATTLIST r a CDATA 'external' x CDATA 'x'>");
  const std::pair<std::string, std::string> cases[] = {
      {"<!DOCTYPE r [<!ENTITY e 'first'><!ENTITY e 'second'>]><r>&e;</r>", "[first]"},
      {"<!DOCTYPE r [<!ENTITY % p '<!ENTITY e \"first\">'><!ENTITY % p '<!ENTITY e "
       "\"second\">'>%p;]><r>&e;</r>",
       "[first]"},
      {"<!DOCTYPE r [<!ATTLIST r a CDATA 'first' a CDATA 'second'>]><r/>", "a=first"},
      {"<!DOCTYPE r [<!ATTLIST r a CDATA 'first'><!ATTLIST r a CDATA 'second' b CDATA 'b'>]><r/>",
       "a=first b=b"},
      {"<!DOCTYPE r [<!ATTLIST r a CDATA 'first'><!ELEMENT r ANY><!ELEMENT r EMPTY>]><r/>",
       "a=first"},
      {"<!DOCTYPE r [<!ATTLIST r a CDATA #IMPLIED><!ATTLIST r a NMTOKEN #IMPLIED>]><r a=' 1 '/>",
       "a= 1 "},
      {"<!DOCTYPE r SYSTEM 'ext.dtd' [<!ENTITY e 'internal'><!ATTLIST r a CDATA 'internal'>]>"
       "<r>&e;</r>",
       "a=internal x=x [internal]"},
  };
  ExpectReadings(dir, cases);
}

TEST(XmlDeclarations, ParameterReferencesOnlyWhereRecognised) {
  // Never in a default value, nor in an internal entity value; external entity values expand them.
  TempDir dir;
  dir.Write("ext.dtd",
            "<!ENTITY % e 'x'><!ENTITY g '[%e;]'><!ENTITY % q '(%e;)'>"
            "<!ENTITY h '%q;'><!ATTLIST r d CDATA '%e;'>");
  dir.Write("part.ent",
            "\xEF\xBB\xBF<?xml version='1.0' encoding='UTF-8'?>"
            "<!ENTITY % e 'y'><!ENTITY g '[%e;]'>");
  const std::pair<std::string, std::string> cases[] = {
      {"<!DOCTYPE r [<!ENTITY % e 'x'><!ATTLIST r d CDATA \"%e;\">]><r/>", "d=%e;"},
      {"<!DOCTYPE r [<!ENTITY % e 'x'><!ENTITY g '[%e;]'>]><r>&g;</r>", "[[%e;]]"},
      {"<!DOCTYPE r SYSTEM 'ext.dtd'><r>&g;&h;</r>", "d=%e; [[x](x)]"},
      {"<!DOCTYPE r [<!ENTITY % part SYSTEM 'part.ent'>%part;]><r>&g;</r>", "[[y]]"},
  };
  ExpectReadings(dir, cases);
}

TEST(XmlDeclarations, ByteOrderMarksOfExternalEntities) {
  // A UTF-8 mark is no text of the entity; an entity in UTF-16 is refused.
  TempDir dir;
  const std::pair<std::string, std::string> cases[] = {
      {"\xEF\xBB\xBFtext", "[text]"},
      {"\xEF\xBB\xBF<?xml version='1.0' encoding='UTF-8'?>t\xC3\xA9", "[t\u00E9]"},
      {"x\r\ny\rz", "[x\ny\nz]"},
      {std::string("\xFF\xFEt\0", 4), "[]"},
      {std::string("\xFE\xFF\0t", 4), "[]"},
      {std::string("<\0t\0", 4), "[]"},
  };
  for (const auto& [entity, expected] : cases) {
    dir.Write("ent.txt", entity);
    XmlParser p;
    ASSERT_TRUE(p.LoadFile(
        dir.Write("doc.xml", "<!DOCTYPE r [<!ENTITY e SYSTEM 'ent.txt'>]><r>[&e;]</r>")));
    p.SetNormalizeText(false);
    std::string text;
    while (p.NextPart()) {
      if (p.PartType() == xml::pkText) text += p.PartContent();
    }
    EXPECT_EQ(text, expected) << entity;
  }
}

TEST(XmlDeclarations, ADtdFileStoppedInsideAParameterEntity) {
  TempDir dir;
  XmlParser p;
  ASSERT_TRUE(
      p.LoadFile(dir.Write("stray.dtd", "<!ENTITY % e '<!ELEMENT a ANY>>'>%e;<!ELEMENT b ANY>")));
  // The stop is reported at the end of the reference.
  EXPECT_EQ(p.AnalyzeSubset(p.Buffer()) - p.Buffer(), 36);
  EXPECT_EQ(Defs(p), "a=ANY/Any %e=<!ELEMENT a ANY>> ");
  EXPECT_TRUE(p.EntityStack().Empty());
}

TEST(XmlDeclarations, ExpansionIsBounded) {
  // Self-reference, direct or through another entity, ends with the expansion cut.
  const std::string selfRef =
      "<!DOCTYPE r [<!ENTITY a 'x&a;'><!ENTITY b '&c;'><!ENTITY c '&b;y'>"
      "<!ENTITY % p '%p;'><!ELEMENT r %p;>]>";
  const size_t depth = XmlParser::kMaxEntityDepth;
  XmlParser p;
  EXPECT_EQ(FirstText(selfRef + "<r>&a;|&b;</r>", p),
            std::string(depth, 'x') + "|" + std::string(depth / 2, 'y'));
  EXPECT_EQ(Attrs(p, selfRef + "<r v='&a;'/>").ValueOf("v"), std::string(depth, 'x'));

  // Exponential growth stops at the budget (at least 32 bytes an expansion), in the subset
  // too, where a repeated declaration adds once.
  const std::string laughs = "<!DOCTYPE r [" + Laughs("", "lol", 6) + "]><r a='&l6;'>&l6;</r>";
  const size_t budget =
      XmlParser::kMinExpansionBudget + XmlParser::kExpansionBudgetPerByte * laughs.size();
  Use(p, laughs);
  size_t total = 0;
  while (p.NextPart()) total += p.PartContent().size() + p.PartAttributes().ValueOf("a").size();
  EXPECT_GT(total, 1000u);
  EXPECT_LT(total, budget);
  RecordingParser r;
  Parts(
      "<!DOCTYPE r [" + Laughs("% ", "<!NOTATION n SYSTEM \"\"><!ELEMENT e ANY>", 5) + "%l5;]><r/>",
      r);
  EXPECT_LT(r.notices.size(), 2 * budget / 32);
  EXPECT_EQ(r.NotationDefs().Count(), 1u);
  EXPECT_EQ(r.ElementDefs().Count(), 1u);
}
