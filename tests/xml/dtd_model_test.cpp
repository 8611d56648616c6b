#include "xml/dtd_model.h"

#include <gtest/gtest.h>

#include "test_util.h"

using xml::TDTD;
using xml::TDTDElement;

namespace {

// Children of a declaration as "name sign" words.
std::string Children(const TDTDElement& e) {
  static const char* const signs[] = {"*", "", "+", "?"};
  std::string s;
  for (int i = 0; i < e.Count(); ++i) {
    s +=
        (i > 0 ? " " : "") + e.ChildAt(i)->Name + signs[static_cast<int>(e.ChildAt(i)->ChildCount)];
  }
  return s;
}

}  // namespace

TEST(DtdModel, LoadDtdBuildsTheTreeFromTheRoot) {
  xml_test::TempDir dir;
  TDTD dtd;
  ASSERT_TRUE(dtd.LoadDTD(dir.Write(
      "a.dtd",
      "<!ELEMENT album2 ( title , link* , photo+ )><!ATTLIST album2 dir CDATA #IMPLIED>\n"
      "<!ELEMENT photo (title, (date|place)?, people?)>\n"
      "<!ATTLIST photo kind (image|video) #IMPLIED rate (1|2|3) \"2\" src CDATA #REQUIRED>\n"
      "<!ENTITY % text '(#PCDATA)'><!ELEMENT title %text;>\n"
      "<!ELEMENT link (#PCDATA|b|i)*><!ELEMENT b (#PCDATA)>\n"
      "<!ELEMENT date EMPTY><!ELEMENT place ANY><!ELEMENT people (nobody)>\n")));
  const TDTDElement& root = dtd.Root();
  EXPECT_EQ(root.Name, "album2");
  EXPECT_EQ(root.Parent(), nullptr);
  EXPECT_EQ(Children(root), "title link* photo+");
  EXPECT_EQ(root.ContentModelText(), "(title, link*, photo+)");

  const TDTDElement& photo = *root.ChildAt(2);
  // A nested group's sign goes to its names; a choice stays a choice.
  EXPECT_EQ(Children(photo), "title date? place? people?");
  EXPECT_EQ(photo.ContentModelText(), "(title, date? | place?, people?)");
  // Shared children are copies with their own parent.
  EXPECT_EQ(photo.Parent(), &root);
  EXPECT_EQ(photo.ChildAt(0)->Parent(), &photo);
  EXPECT_EQ(root.ChildAt(0)->Parent(), &root);
  // A name without a declaration is left out; a model left empty prints EMPTY.
  std::string models;
  for (const TDTDElement* e :
       {photo.ChildAt(0), photo.ChildAt(1), photo.ChildAt(2), photo.ChildAt(3), root.ChildAt(1)}) {
    models += e->ContentModelText() + " ";
  }
  EXPECT_EQ(models, "(#PCDATA) EMPTY ANY EMPTY (#PCDATA | b)* ");

  std::string attributes;
  for (int i = 0; i < photo.AttrCount(); ++i) {
    const xml::TAttribute& a = *photo.AttributeAt(i);
    attributes += a.Name() + ":" + xml::AttrTypeNames[a.AttrType()] + ":" + a.Enumeration() + ":" +
                  xml::AttrDefaultNames[a.DefaultType()] + ":" + a.DefVal() + " ";
  }
  // Without a default an enumeration takes its first alternative.
  EXPECT_EQ(attributes,
            "kind:Enumeration:image|video:Implied:image rate:Enumeration:1|2|3:Default:2 "
            "src:CDATA::Required: ");
}

TEST(DtdModel, LoadDtdFailures) {
  xml_test::TempDir dir;
  TDTD dtd;
  EXPECT_FALSE(dtd.LoadDTD(dir.Path("missing.dtd")));
  EXPECT_FALSE(dtd.LoadDTD(dir.Write("none.dtd", "<!ENTITY x \"y\">\n")));
  EXPECT_TRUE(dtd.Root().Name.empty());

  // Thirty levels that each name the next level twice would unfold into 2^30
  // copies; the load stops instead.
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
