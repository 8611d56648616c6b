#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "parser_test_util.h"
#include "xml/xml_parser.h"

using xml::TXmlParser;
using xml_test::FirstText;
using xml_test::Parts;

namespace {

using Strings = std::vector<std::string>;

// Records every notice as "kind@offset" (offset of Start in the text, or '?'
// when it lies in another text), and the declarations' texts.
class RecordingParser : public TXmlParser {
 public:
  Strings notices;
  void DeclarationFound(const xml::TDeclNotice& n) override {
    static const char* const kinds[] = {"element", "attlist", "entity", "notation",
                                        "pi",      "comment", "error"};
    std::string s = kinds[n.Kind];
    s += '@';
    s += InBuffer(n.Start) ? std::to_string(n.Start - Buffer()) : "?";
    if (n.Kind == xml::dkPI) s += ":" + std::string(n.Target);
    notices.push_back(s);
    if (InBuffer(n.Start) && InBuffer(n.Final)) texts.emplace_back(n.Start, n.Final + 1);
  }
  Strings texts;
};

// Parses the document to its end; returns the parser for inspection.
void ParseAll(TXmlParser& p, const std::string& doc) {
  p.UseBuffer(doc);
  while (p.NextPart()) {
  }
}

std::string AttrDefs(const xml::TElemDef& e) {
  std::string s;
  for (const xml::TAttrDef& a : e.Attributes) {
    s += a.Name + ":" + xml::AttrTypeNames[a.AttrType] + ":" + a.TypeDef + ":" + a.Notations + ":" +
         xml::AttrDefaultNames[a.DefaultType] + ":" + a.Value + ";";
  }
  return s;
}

}  // namespace

TEST(XmlDeclarations, EveryDeclarationKind) {
  const std::string doc =
      "<!DOCTYPE root SYSTEM \"missing.dtd\" [\n"
      "<!ELEMENT root (a , b? | c*)+>\n"
      "<!ELEMENT a EMPTY><!ELEMENT b ANY><!ELEMENT c (#PCDATA | a)*><!ELEMENT d whatever>\n"
      "<!ATTLIST a id ID #REQUIRED kind (x | y) \"y\" n NOTATION ( gif|png ) #IMPLIED\n"
      "   v CDATA #FIXED 'fixed' w NUMBER 'q'>\n"
      "<!ENTITY e \"text &#65;\">\n"
      "<!ENTITY ext PUBLIC \"-//pub\" 'ext.xml'>\n"
      "<!ENTITY pic SYSTEM \"pic.gif\" NDATA gif>\n"
      "<!ENTITY % p \"(a)\">\n"
      "<!NOTATION gif SYSTEM \"viewer\"><!NOTATION png PUBLIC 'png-id'>\n"
      "<!NOTATION gif SYSTEM \"other\">\n"
      "]><root/>";
  RecordingParser p;
  ParseAll(p, doc);
  EXPECT_EQ(p.DocRootName(), "root");
  EXPECT_TRUE(p.ExternalSubsetName().empty());  // the file does not exist

  const xml::TElemList& el = p.ElementDefs();
  ASSERT_EQ(el.Count(), 5u);
  EXPECT_EQ(el.NameAt(0), "a");
  EXPECT_EQ(el.FindNode("root")->Definition, "(a,b?|c*)+");
  EXPECT_EQ(el.FindNode("root")->ElemType, xml::etChildren);
  EXPECT_EQ(el.FindNode("a")->ElemType, xml::etEmpty);
  EXPECT_EQ(el.FindNode("b")->ElemType, xml::etAny);
  EXPECT_EQ(el.FindNode("c")->ElemType, xml::etMixed);
  EXPECT_EQ(el.FindNode("d")->ElemType, xml::etAny);
  EXPECT_EQ(AttrDefs(*el.FindNode("a")),
            "id:ID:ID::Required:;kind:Enumeration:x|y::Default:y;"
            "n:Notation:NOTATION:gif|png:Implied:;v:CDATA:CDATA::Fixed:fixed;"
            "w:Unknown:NUMBER::Default:q;");

  const xml::TEntityDef* e = p.GeneralEntities().FindNode("e");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Value, "text A");
  EXPECT_FALSE(e->IsExternal());
  const xml::TEntityDef* ext = p.GeneralEntities().FindNode("ext");
  ASSERT_NE(ext, nullptr);
  EXPECT_EQ(ext->SystemId, "ext.xml");
  EXPECT_EQ(ext->PublicId, "-//pub");
  EXPECT_EQ(p.GeneralEntities().FindNode("pic")->NotationName, "gif");
  EXPECT_EQ(p.ParameterEntities().FindNode("p")->Value, "(a)");
  EXPECT_EQ(p.GeneralEntities().FindNode("p"), nullptr);

  // Notations keep duplicates; the later one is found first.
  ASSERT_EQ(p.NotationDefs().Count(), 3u);
  EXPECT_EQ(p.NotationDefs().FindNode("gif")->Value, "other");
  EXPECT_EQ(p.NotationDefs()[1].Value, "viewer");
  EXPECT_EQ(p.NotationDefs().FindNode("png")->PublicId, "png-id");

  EXPECT_EQ(p.notices.size(), 13u);
  EXPECT_EQ(p.notices[5], "attlist@" + std::to_string(doc.find("<!ATTLIST")));
  EXPECT_EQ(p.texts[0], "<!ELEMENT root (a , b? | c*)+>");
  const size_t attlist = doc.find("<!ATTLIST");
  EXPECT_EQ(p.texts[5], doc.substr(attlist, doc.find("'q'>") + 4 - attlist));
  EXPECT_EQ(p.texts[12], "<!NOTATION gif SYSTEM \"other\">");
}

TEST(XmlDeclarations, StopRulesOfNamesAndCutOffDeclarations) {
  struct Case {
    const char* subset;
    const char* element;   // name of the one element definition
    const char* expected;  // its definition, or its attribute definitions
  } cases[] = {
      {"<!ELEMENT x(a)>", "x(a)", ""},  // an ELEMENT name ends at a blank only
      {"<!ELEMENT\n x\t( a )>", "x", "(a)"},
      {"<!ELEMENT x (a", "x", "(a"},  // cut off: to the end
      {"<!ATTLIST x a#IMPLIED>", "x", "a:Unknown:#IMPLIED::Default:;"},
      {"<!ATTLIST x a CDATA'v'>", "x", "a:CDATA:CDATA::Default:v;"},
      {"<!ATTLIST x a CDATA #FIXED'v' b ID #IMPLIED>", "x",
       "a:CDATA:CDATA::Fixed:v;b:ID:ID::Implied:;"},
      {"<!ATTLIST x a (p|q", "x", "a:Enumeration:p|q::Default:;"},
      {"<!ATTLIST x a CDATA #BOGUS 'v'>", "x", "a:CDATA:CDATA::Default:v;"},
  };
  for (const Case& c : cases) {
    TXmlParser p;
    ParseAll(p, std::string("<!DOCTYPE r [") + c.subset);
    ASSERT_EQ(p.ElementDefs().Count(), 1u) << c.subset;
    const xml::TElemDef& e = p.ElementDefs()[0];
    EXPECT_EQ(e.Name, c.element) << c.subset;
    EXPECT_EQ(e.Attributes.Empty() ? e.Definition : AttrDefs(e), c.expected) << c.subset;
  }
  TXmlParser p;
  ParseAll(p, "<!DOCTYPE r[<!ENTITY e 'v'>]><r/>");
  EXPECT_EQ(p.DocRootName(), "r");
  EXPECT_EQ(p.GeneralEntities().FindNode("e")->Value, "v");
  // An ENTITY name ends at a quote; a literal ends the value.
  ParseAll(p, "<!DOCTYPE r [<!ENTITY e'v' 'w'><!ENTITY f \"a'b\" SYSTEM 'x'>]>");
  EXPECT_EQ(p.GeneralEntities().FindNode("e")->Value, "v");
  EXPECT_EQ(p.GeneralEntities().FindNode("f")->Value, "a'b");
  EXPECT_TRUE(p.GeneralEntities().FindNode("f")->SystemId.empty());
  // Only a '%' before the name makes a parameter entity.
  ParseAll(p, "<!DOCTYPE r [<!ENTITY pct \"50%\"><!ENTITY % pe '%'>]>");
  EXPECT_EQ(p.GeneralEntities().FindNode("pct")->Value, "50%");
  EXPECT_EQ(p.ParameterEntities().FindNode("pe")->Value, "%");
}

TEST(XmlDeclarations, LaterEntityWinsAndElementReplacesAttlist) {
  TXmlParser p;
  ParseAll(p,
           "<!DOCTYPE r [<!ENTITY e 'first'><!ENTITY e 'second'>"
           "<!ENTITY % p 'one'><!ENTITY % p 'two'>"
           "<!ATTLIST x a CDATA 'dflt'><!ELEMENT x (y)>"
           "<!ATTLIST z a CDATA 'dflt'>]><r>&e;</r>");
  EXPECT_EQ(p.GeneralEntities().Count(), 1u);
  EXPECT_EQ(p.GeneralEntities().FindNode("e")->Value, "second");
  EXPECT_EQ(p.ParameterEntities().FindNode("p")->Value, "two");
  // The ELEMENT declaration replaced the definition that the ATTLIST made.
  EXPECT_EQ(p.ElementDefs().FindNode("x")->Definition, "(y)");
  EXPECT_TRUE(p.ElementDefs().FindNode("x")->Attributes.Empty());
  // An ATTLIST for an undeclared element declares it as ANY.
  EXPECT_EQ(p.ElementDefs().FindNode("z")->Definition, "ANY");
  EXPECT_EQ(p.ElementDefs().FindNode("z")->ElemType, xml::etAny);
  EXPECT_EQ(FirstText(p, "<!DOCTYPE r [<!ENTITY e 'first'><!ENTITY e 'second'>]><r>&e;</r>"),
            "second");
}

TEST(XmlDeclarations, ParameterEntities) {
  TXmlParser p;
  ParseAll(p,
           "<!DOCTYPE r [\n"
           "<!ENTITY % model '( a | b )'>\n"
           "<!ENTITY % type 'CDATA'>\n"
           "<!ENTITY % decl '<!ELEMENT gen EMPTY>'>\n"
           "<!ENTITY % kw '#IMPLIED'>\n"
           "<!ELEMENT r %model;>\n"
           "<!ATTLIST r x %type; %kw; y (%model;) 'a'>\n"
           "<!ENTITY g 'is %type;'>\n"
           "%decl; %undeclared; %no-semicolon\n"
           "]><r/>");
  EXPECT_EQ(p.ElementDefs().FindNode("r")->Definition, "(a|b)");
  EXPECT_EQ(AttrDefs(*p.ElementDefs().FindNode("r")),
            "x:CDATA:CDATA::Implied:;y:Enumeration:(a|b)::Default:a;");
  EXPECT_EQ(p.GeneralEntities().FindNode("g")->Value, "is CDATA");
  EXPECT_NE(p.ElementDefs().FindNode("gen"), nullptr);
  EXPECT_EQ(p.ExpandParameterRefs("[%type;|%nope;]"), "[CDATA|%nope;]");
}

TEST(XmlDeclarations, NoticesForCommentsInstructionsAndErrors) {
  RecordingParser p;
  ParseAll(p, "<!DOCTYPE r [<!-- c --><?pi x?><bad]x>");
  EXPECT_EQ(p.notices, (Strings{"comment@13", "pi@23:pi", "error@31", "error@36"}));
  EXPECT_EQ(p.InternalSubsetEnd() - p.Buffer(), 35);
  // '>' inside the subset ends it, and the declaration with it.
  EXPECT_EQ(Parts(p, "<!DOCTYPE r [<bad>]>"), (Strings{"doctype |", "text |]>"}));
  // The parts after the declaration are unaffected by the PI inside it.
  EXPECT_EQ(Parts(p, "<!DOCTYPE r [<?pi x?>]><r/>"), (Strings{"doctype |", "empty r|"}));
}

TEST(XmlDeclarations, RestartSkipsTheAnalysedDeclaration) {
  RecordingParser p;
  const std::string doc = "<!DOCTYPE r [<!ELEMENT r ANY>]><r/>";
  p.UseBuffer(doc);
  ASSERT_TRUE(p.NextPart());
  EXPECT_EQ(p.DoctypeEnd() - p.Buffer(), 30);
  EXPECT_EQ(p.notices.size(), 1u);
  for (int pass = 0; pass < 2; ++pass) {
    p.Restart();
    ASSERT_TRUE(p.NextPart());
    EXPECT_EQ(p.PartType(), xml::pkDoctype);
    EXPECT_EQ(p.PartEnd() - p.Buffer(), 30);
    ASSERT_TRUE(p.NextPart());
    EXPECT_EQ(p.PartName(), "r");
    EXPECT_FALSE(p.NextPart());
  }
  EXPECT_EQ(p.notices.size(), 1u);
  EXPECT_EQ(p.ElementDefs().Count(), 1u);
  // A second declaration is analysed on its own and does not send the scan back.
  EXPECT_EQ(Parts(p, "<!DOCTYPE a><!DOCTYPE b [<!ELEMENT b ANY>]><b/>"),
            (Strings{"doctype |", "doctype |", "empty b|"}));
  EXPECT_EQ(p.DocRootName(), "b");
}

TEST(XmlDeclarations, EntityTextIsScannedInPlaceOfTheReference) {
  const std::string dtd =
      "<!DOCTYPE r [<!ENTITY in '<b x=\"&amp;\">bold</b> &amp; more'>"
      "<!ENTITY outer 'o &in;'><!ENTITY last '&in;'><!ENTITY empty ''>]>";
  EXPECT_EQ(Parts(dtd + "<r>a &in; z</r>"),
            (Strings{"doctype |", "start r|", "text r|a", "start b|a x=&", "text b|bold x=&",
                     "end b|bold", "text b|& more z", "end r|& more z"}));
  // An entity that ends its enclosing entity's text returns all the way.
  EXPECT_EQ(Parts(dtd + "<r>&outer;<c/></r>"),
            (Strings{"doctype |", "start r|", "text r|o", "start b|o x=&", "text b|bold x=&",
                     "end b|bold", "text b|& more", "empty c|& more", "end r|& more"}));
  EXPECT_EQ(Parts(dtd + "<r>&last;</r>"),
            (Strings{"doctype |", "start r|", "start b| x=&", "text b|bold x=&", "end b|bold",
                     "text b|& more", "end r|& more"}));
  EXPECT_EQ(FirstText(dtd + "<r>x&empty;y</r>"), "xy");

  // Positions inside entity text are not in the buffer; the next part's are.
  TXmlParser p;
  const std::string doc = dtd + "<r>&in;</r>";
  p.UseBuffer(doc);
  p.NextPart();
  p.NextPart();
  ASSERT_TRUE(p.NextPart());
  EXPECT_EQ(p.PartName(), "b");
  EXPECT_FALSE(p.InBuffer(p.PartStart()));
  EXPECT_EQ(p.EntityStack().Depth(), 1u);
  while (p.NextPart() && p.PartType() != xml::pkEndTag) {
  }
  ASSERT_TRUE(p.NextPart());
  EXPECT_EQ(p.PartContent(), "& more");
  ASSERT_TRUE(p.NextPart());
  EXPECT_TRUE(p.InBuffer(p.PartStart()));
  EXPECT_EQ(p.EntityStack().Depth(), 0u);
}

TEST(XmlDeclarations, ExternalSubsetAndExternalEntities) {
  xml_test::TempDir dir;
  dir.Write("doc.dtd",
            "<?xml version='1.0' encoding='UTF-8'?>\n"
            "<!ELEMENT doc (#PCDATA)>\n<!ATTLIST doc lang CDATA 'cs'>\n"
            "<!ENTITY chapter SYSTEM 'sub/chapter.xml'>");
  dir.Write("empty.dtd", "no declarations here");
  std::filesystem::create_directories(dir.Path() + "/sub");
  dir.Write("sub/chapter.xml", "<?xml version='1.0' encoding='Windows-1250'?><p>\x9A</p>");
  const std::string file =
      dir.Write("doc.xml",
                "<?xml version='1.0' encoding='ISO-8859-2'?>\n<!DOCTYPE doc SYSTEM \"doc.dtd\">\n"
                "<doc>&chapter;\xB1</doc>");
  RecordingParser p;
  ASSERT_TRUE(p.LoadFile(file));
  Strings parts;
  while (p.NextPart()) parts.push_back(xml_test::Describe(p));
  // The external entity's own declaration decodes its text; after it the
  // document's encoding is back.
  EXPECT_EQ(parts, (Strings{"prolog | encoding=ISO-8859-2 version=1.0",
                            "doctype | encoding=ISO-8859-2 version=1.0", "start doc| lang=cs",
                            "prolog | encoding=Windows-1250 version=1.0", "start p|",
                            "text p|\u0161", "end p|\u0161", "text p|\u0105", "end doc|\u0105"}));
  EXPECT_EQ(p.ExternalSubsetName(), "doc.dtd");
  EXPECT_EQ(p.TextEncoding(), "ISO-8859-2");
  // The subset is read from its first "<!": the text declaration is passed by.
  EXPECT_EQ(p.notices, (Strings{"element@?", "attlist@?", "entity@?"}));

  const std::string noDecl = dir.Write("nodecl.xml", "<!DOCTYPE doc SYSTEM 'empty.dtd'><doc/>");
  ASSERT_TRUE(p.LoadFile(noDecl));
  p.NextPart();
  EXPECT_EQ(p.ExternalSubsetName(), "");
  EXPECT_TRUE(p.ElementDefs().Empty());

  // An external entity in an attribute value gives its whole text.
  dir.Write("word.txt", "w&amp;rd");
  const std::string attr =
      dir.Write("attr.xml", "<!DOCTYPE a [<!ENTITY w SYSTEM 'word.txt'>]><a v='[&w;]'/>");
  ASSERT_TRUE(p.LoadFile(attr));
  p.NextPart();
  p.NextPart();
  EXPECT_EQ(p.PartAttributes().ValueOf("v"), "[w&rd]");
}

TEST(XmlDeclarations, ADtdFileReadAsOneSubset) {
  xml_test::TempDir dir;
  const std::string dtd = dir.Write(
      "album2.dtd",
      "<!ENTITY % text '(#PCDATA)'>\n<!ELEMENT album2 (title, photo*)>\n"
      "<!ELEMENT title %text;>\n<!ELEMENT photo (title)>\n<!ATTLIST photo src CDATA #REQUIRED>\n");
  TXmlParser p;
  ASSERT_TRUE(p.LoadFile(dtd));
  const char* stop = p.AnalyzeSubset(p.Buffer());
  EXPECT_EQ(stop, p.BufferEnd());
  ASSERT_EQ(p.ElementDefs().Count(), 3u);
  EXPECT_EQ(p.ElementDefs().FindNode("title")->Definition, "(#PCDATA)");
  EXPECT_EQ(p.ElementDefs().FindNode("photo")->Attributes.NameAt(0), "src");

  // Stopping inside a parameter entity's text reports the end of its reference.
  const std::string stray =
      dir.Write("stray.dtd", "<!ENTITY % e '<!ELEMENT a ANY>>'>%e;<!ELEMENT b ANY>");
  ASSERT_TRUE(p.LoadFile(stray));
  EXPECT_EQ(p.AnalyzeSubset(p.Buffer()) - p.Buffer(), 36);  // just after "%e;"
  EXPECT_NE(p.ElementDefs().FindNode("a"), nullptr);
  EXPECT_EQ(p.ElementDefs().FindNode("b"), nullptr);
  EXPECT_TRUE(p.EntityStack().Empty());
}

TEST(XmlDeclarations, ExpansionIsBounded) {
  // Self-reference, directly and through another entity, in text, in
  // attribute values and in declarations: each ends with the expansion cut.
  const std::string selfRef =
      "<!DOCTYPE r [<!ENTITY a 'x&a;'><!ENTITY b '&c;'><!ENTITY c '&b;y'>"
      "<!ENTITY % p '%p;'><!ENTITY g '%p;'><!ELEMENT r %p;>]>";
  TXmlParser p;
  const std::string text = FirstText(p, selfRef + "<r>&a;|&b;</r>");
  EXPECT_EQ(text, std::string(TXmlParser::kMaxEntityDepth, 'x') + "|" +
                      std::string(TXmlParser::kMaxEntityDepth / 2, 'y'));
  const std::string attrDoc = selfRef + "<r v='&a;'/>";
  p.UseBuffer(attrDoc);
  p.NextPart();
  p.NextPart();
  EXPECT_EQ(p.PartAttributes().ValueOf("v"), std::string(TXmlParser::kMaxEntityDepth, 'x'));
  EXPECT_EQ(p.GeneralEntities().FindNode("g")->Value, "");

  // Exponential growth stops at the budget.
  std::string laughs = "<!DOCTYPE r [<!ENTITY l0 'lol'>";
  for (int i = 1; i <= 12; ++i) {
    laughs += "<!ENTITY l" + std::to_string(i) + " '";
    for (int k = 0; k < 10; ++k) laughs += "&l" + std::to_string(i - 1) + ";";
    laughs += "'>";
  }
  laughs += "]><r a='&l12;'>&l12;</r>";
  p.UseBuffer(laughs);
  size_t total = 0;
  while (p.NextPart()) total += p.PartContent().size() + p.PartAttributes().ValueOf("a").size();
  const size_t budget =
      TXmlParser::kMinExpansionBudget + TXmlParser::kExpansionBudgetPerByte * laughs.size();
  EXPECT_GT(total, 1000u);
  EXPECT_LT(total, budget);

  // The same through parameter entities in the subset; repeating one
  // declaration adds it once.
  std::string pl = "<!DOCTYPE r [<!ENTITY % l0 '<!NOTATION n SYSTEM \"\"><!ELEMENT e ANY>'>";
  for (int i = 1; i <= 12; ++i) {
    pl += "<!ENTITY % l" + std::to_string(i) + " '";
    for (int k = 0; k < 10; ++k) pl += "%l" + std::to_string(i - 1) + ";";
    pl += "'>";
  }
  pl += "%l12;]><r/>";
  p.UseBuffer(pl);
  while (p.NextPart()) {
  }
  EXPECT_EQ(p.NotationDefs().Count(), 1u);
  EXPECT_EQ(p.ElementDefs().Count(), 1u);
}

TEST(XmlDeclarations, DeclarationClosedInsideAParameterEntity) {
  // The '>' that ends the declaration comes from entity text; the part then
  // ends with the reference, and scanning goes on after it.
  RecordingParser p;
  EXPECT_EQ(Parts(p, "<!DOCTYPE r [<!ENTITY % close '>'>] %close; tail<r/>"),
            (Strings{"doctype |", "text |tail", "empty r|tail"}));
  EXPECT_EQ(p.notices.back(), "error@?");
  // A declaration inside an entity's text is analysed there.
  EXPECT_EQ(Parts("<!DOCTYPE r [<!ENTITY d '<!DOCTYPE x><y/>'>]><r>&d;</r>"),
            (Strings{"doctype |", "start r|", "doctype |", "empty y|", "end r|"}));
}
