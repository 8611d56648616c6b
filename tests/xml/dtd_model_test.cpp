#include "xml/dtd_model.h"

#include <gtest/gtest.h>

#include "test_util.h"
#include "xml/xml_writer.h"

using xml::DtdElement;
using xml::DtdModel;

namespace {

// Children of a declaration as "name sign" words.
std::string Children(const DtdElement& e) {
  static const char* const signs[] = {"*", "", "+", "?"};
  std::string s;
  for (int i = 0; i < e.Count(); ++i) {
    s +=
        (i > 0 ? " " : "") + e.ChildAt(i)->Name + signs[static_cast<int>(e.ChildAt(i)->ChildCount)];
  }
  return s;
}

// The attributes of a declaration as "name:type:alternatives:default:value" words.
std::string Attributes(const DtdElement& e) {
  std::string s;
  for (int i = 0; i < e.AttrCount(); ++i) {
    const xml::XmlAttribute& a = *e.AttributeAt(i);
    s += a.Name() + ":" + xml::AttrTypeNames[a.AttrType()] + ":" + a.Enumeration() + ":" +
         xml::AttrDefaultNames[a.DefaultType()] + ":" + a.DefVal() + " ";
  }
  return s;
}

// Every field of a declaration tree, for comparing two trees.
std::string Model(const DtdElement& e) {
  std::string s = e.Name + "/" + std::to_string(e.ContentType) + "/" +
                  std::to_string(static_cast<int>(e.ChildCount)) +
                  std::to_string(static_cast<int>(e.AndOr)) + "[" + Attributes(e) + "](";
  for (int i = 0; i < e.Count(); ++i) s += Model(*e.ChildAt(i)) + " ";
  return s + ")";
}

}  // namespace

TEST(DtdModel, WrittenDtdReadsBackIntoTheSameModel) {
  xml_test::TempDir dir;
  const char* const dtds[] = {
      "<!ELEMENT r ((b|c)+, d)><!ELEMENT b EMPTY><!ELEMENT c ANY><!ELEMENT d (#PCDATA|b)*>"
      "<!ATTLIST r k (x|y) #IMPLIED e (x|y) 'y' f CDATA #FIXED 'a&#38;b' q CDATA '&#34;%&#60;'"
      " n NMTOKEN #REQUIRED>",
      "<!ELEMENT r (a, (b | c), d?)><!ELEMENT a EMPTY><!ELEMENT b EMPTY><!ELEMENT c EMPTY>"
      "<!ELEMENT d (#PCDATA)>",
  };
  for (const char* text : dtds) {
    DtdModel first;
    ASSERT_TRUE(first.LoadDTD(dir.Write("a.dtd", text)));
    DtdModel second;
    ASSERT_TRUE(second.LoadDTD(dir.Write("b.dtd", xml::DTDText(first))));
    EXPECT_EQ(Model(second.Root()), Model(first.Root())) << xml::DTDText(first);
  }
  // A model made in the program, a choice inside a sequence, is written as valid groups.
  DtdModel made;
  made.Root().Name = "r";
  for (const char* name : {"a", "b", "c"}) made.Root().AddChild(name)->ContentType = xml::etEmpty;
  made.Root().ChildAt(1)->AndOr = xml::ContentJoin::Or;
  EXPECT_EQ(made.Root().ContentModelText(), "((a | b), c)");
  DtdModel read;
  ASSERT_TRUE(read.LoadDTD(dir.Write("c.dtd", xml::DTDText(made))));
  EXPECT_EQ(Model(read.Root()), Model(made.Root()));
}

TEST(DtdModel, LoadDtdBuildsTheTreeFromTheRoot) {
  xml_test::TempDir dir;
  DtdModel dtd;
  ASSERT_TRUE(dtd.LoadDTD(dir.Write(
      "a.dtd",
      "<!ELEMENT album2 ( title , link* , photo+ )><!ATTLIST album2 dir CDATA #IMPLIED>\n"
      "<!ELEMENT photo (title, (date|place)?, people?)>\n"
      "<!ATTLIST photo kind (image|video) #IMPLIED rate (1|2|3) \"2\" src CDATA #REQUIRED>\n"
      "<!ENTITY % text '(#PCDATA)'><!ELEMENT title %text;>\n"
      "<!ELEMENT link (#PCDATA|b|i)*><!ELEMENT b (#PCDATA)>\n"
      "<!ELEMENT date EMPTY><!ELEMENT place ANY><!ELEMENT people (nobody)>\n")));
  const DtdElement& root = dtd.Root();
  EXPECT_EQ(root.Name, "album2");
  EXPECT_EQ(root.Parent(), nullptr);
  EXPECT_EQ(Children(root), "title link* photo+");
  EXPECT_EQ(root.ContentModelText(), "(title, link*, photo+)");

  const DtdElement& photo = *root.ChildAt(2);
  // A nested group's sign goes to its names; a choice stays a choice.
  EXPECT_EQ(Children(photo), "title date? place? people?");
  // Written as read: the names alone cannot tell (a|b)? from a? | b?.
  EXPECT_EQ(photo.ContentModelText(), "(title, (date | place)?, people?)");
  // Shared children are copies with their own parent.
  EXPECT_EQ(photo.Parent(), &root);
  EXPECT_EQ(photo.ChildAt(0)->Parent(), &photo);
  EXPECT_EQ(root.ChildAt(0)->Parent(), &root);
  // A name without a declaration is left out of the children, not of the model.
  std::string models;
  for (const DtdElement* e :
       {photo.ChildAt(0), photo.ChildAt(1), photo.ChildAt(2), photo.ChildAt(3), root.ChildAt(1)}) {
    models += e->ContentModelText() + " ";
  }
  EXPECT_EQ(models, "(#PCDATA) EMPTY ANY (nobody) (#PCDATA | b | i)* ");

  // Without a default an enumeration takes its first alternative.
  EXPECT_EQ(Attributes(photo),
            "kind:Enumeration:image|video:Implied:image rate:Enumeration:1|2|3:Default:2 "
            "src:CDATA::Required: ");
}

TEST(DtdModel, LoadDtdFailures) {
  xml_test::TempDir dir;
  DtdModel dtd;
  EXPECT_FALSE(dtd.LoadDTD(dir.Path("missing.dtd")));
  EXPECT_FALSE(dtd.LoadDTD(dir.Write("none.dtd", "<!ENTITY x \"y\">\n")));
  EXPECT_TRUE(dtd.Root().Name.empty());

  // Thirty levels naming the next twice would unfold into 2^30 copies: the load stops.
  std::string text;
  for (int i = 0; i < 30; ++i) {
    text += "<!ELEMENT e" + std::to_string(i) + " (e" + std::to_string(i + 1) + ", e" +
            std::to_string(i + 1) + ")>\n";
  }
  EXPECT_FALSE(dtd.LoadDTD(dir.Write("wide.dtd", text)));

  // A model that names itself ends.
  ASSERT_TRUE(dtd.LoadDTD(dir.Write("self.dtd", "<!ELEMENT a (a*, b)>\n<!ELEMENT b (a)>\n")));
  EXPECT_EQ(Children(dtd.Root()), "b");
}
