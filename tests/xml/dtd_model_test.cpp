#include "xml/dtd_model.h"

#include <gtest/gtest.h>

#include "doc_test_util.h"

using xml::TChildCount;
using xml::TDTD;
using xml::TDTDElement;

namespace {

// Children of a declaration as "name sign" words.
std::string Children(const TDTDElement& e) {
  std::string s;
  static const char* const signs[] = {"*", "", "+", "?"};
  for (int i = 0; i < e.Count(); ++i) {
    if (i > 0) s += ' ';
    s += e.ChildAt(i)->Name + signs[static_cast<int>(e.ChildAt(i)->ChildCount)];
  }
  return s;
}

}  // namespace

TEST(DtdModel, LoadDtdBuildsTheTreeFromTheRoot) {
  xml_test::TempDir dir;
  xml_test::WriteBytes(dir.Path("a.dtd"),
                       "<!ELEMENT album2 ( title , link* , photo+ )>\n"
                       "<!ATTLIST album2 dir CDATA #IMPLIED>\n"
                       "<!ELEMENT photo (title, (date|place)?, people?)>\n"
                       "<!ATTLIST photo kind (image|video) #IMPLIED\n"
                       "                rate (1|2|3) \"2\"\n"
                       "                src CDATA #REQUIRED>\n"
                       "<!ELEMENT title (#PCDATA)>\n"
                       "<!ELEMENT link (#PCDATA|b|i)*>\n"
                       "<!ELEMENT b (#PCDATA)>\n"
                       "<!ELEMENT date EMPTY>\n"
                       "<!ELEMENT place ANY>\n"
                       "<!ELEMENT people (nobody)>\n");
  TDTD dtd;
  ASSERT_TRUE(dtd.LoadDTD(dir.Path("a.dtd")));
  const TDTDElement& root = dtd.Root();
  EXPECT_EQ(root.Name, "album2");
  EXPECT_EQ(root.Parent(), nullptr);
  EXPECT_EQ(Children(root), "title link* photo+");
  EXPECT_EQ(root.ContentModelText(), "(title, link*, photo+)");

  const TDTDElement& photo = *root.ChildAt(2);
  EXPECT_EQ(photo.Parent(), &root);
  // A nested group's sign goes to its names; a choice stays a choice.
  EXPECT_EQ(Children(photo), "title date? place? people?");
  EXPECT_EQ(photo.ContentModelText(), "(title, date? | place?, people?)");
  // Shared children are copies with their own parent.
  EXPECT_EQ(photo.ChildAt(0)->Parent(), &photo);
  EXPECT_EQ(root.ChildAt(0)->Parent(), &root);
  EXPECT_EQ(photo.ChildAt(0)->ContentModelText(), "(#PCDATA)");
  // A name without a declaration is left out; a model left empty prints EMPTY.
  EXPECT_EQ(photo.ChildAt(3)->Count(), 0);
  EXPECT_EQ(photo.ChildAt(3)->ContentModelText(), "EMPTY");
  EXPECT_EQ(photo.ChildAt(1)->ContentModelText(), "EMPTY");
  EXPECT_EQ(photo.ChildAt(2)->ContentModelText(), "ANY");
  EXPECT_EQ(root.ChildAt(1)->ContentModelText(), "(#PCDATA | b)*");

  ASSERT_EQ(photo.AttrCount(), 3);
  const xml::TAttribute& kind = *photo.AttributeAt(photo.IndexOfAttribute("kind"));
  EXPECT_EQ(kind.AttrType(), xml::atEnumeration);
  EXPECT_EQ(kind.Enumeration(), "image|video");
  EXPECT_EQ(kind.DefVal(), "image");  // no default: the first alternative
  EXPECT_EQ(kind.DefaultType(), xml::adImplied);
  EXPECT_EQ(photo.AttributeAt(photo.IndexOfAttribute("rate"))->DefVal(), "2");
  EXPECT_EQ(photo.AttributeAt(photo.IndexOfAttribute("src"))->DefaultType(), xml::adRequired);
  EXPECT_EQ(photo.IndexOfAttribute("none"), -1);
  EXPECT_EQ(photo.AttributeAt(3), nullptr);
}

TEST(DtdModel, LoadDtdFailures) {
  xml_test::TempDir dir;
  TDTD dtd;
  EXPECT_FALSE(dtd.LoadDTD(dir.Path("missing.dtd")));
  xml_test::WriteBytes(dir.Path("none.dtd"), "<!ENTITY x \"y\">\n");
  EXPECT_FALSE(dtd.LoadDTD(dir.Path("none.dtd")));
  EXPECT_TRUE(dtd.Root().Name.empty());

  // Thirty levels that each name the next level twice would unfold into 2^30
  // copies; the load stops instead.
  std::string text;
  for (int i = 0; i < 30; ++i) {
    text += "<!ELEMENT e" + std::to_string(i) + " (e" + std::to_string(i + 1) + ", e" +
            std::to_string(i + 1) + ")>\n";
  }
  xml_test::WriteBytes(dir.Path("wide.dtd"), text);
  EXPECT_FALSE(dtd.LoadDTD(dir.Path("wide.dtd")));

  // A model that names itself ends.
  xml_test::WriteBytes(dir.Path("self.dtd"), "<!ELEMENT a (a*, b)>\n<!ELEMENT b (a)>\n");
  ASSERT_TRUE(dtd.LoadDTD(dir.Path("self.dtd")));
  EXPECT_EQ(Children(dtd.Root()), "b");
}

TEST(DtdModel, ClearAssignAndContentModels) {
  TDTDElement e;
  e.Name = "e";
  EXPECT_EQ(e.ContentModelText(), "EMPTY");
  e.ContentType = xml::etMixed;
  EXPECT_EQ(e.ContentModelText(), "(#PCDATA)");
  e.AddChild("a");
  e.AddChild("b")->ChildCount = TChildCount::seOnePlus;
  EXPECT_EQ(e.ContentModelText(), "(#PCDATA | a | b+)*");
  e.ContentType = xml::etChildren;
  e.ChildAt(1)->AndOr = xml::TAndOr::TOr;
  e.AddChild("c")->ChildCount = TChildCount::seMaxOne;
  EXPECT_EQ(e.ContentModelText(), "(a | b+, c?)");
  EXPECT_EQ(e.IndexOfChild("c"), 2);
  e.AddAttribute("x")->SetDefVal("d");

  TDTDElement copy;
  copy.Assign(e);
  EXPECT_EQ(copy.ContentModelText(), "(a | b+, c?)");
  EXPECT_EQ(copy.ChildAt(0)->Parent(), &copy);
  EXPECT_EQ(copy.AttributeAt(0)->DefVal(), "d");
  copy.Clear();
  EXPECT_EQ(copy.Count() + copy.AttrCount(), 0);
  EXPECT_EQ(copy.ContentType, xml::etChildren);
  EXPECT_EQ(std::string(xml::ChildCountName(TChildCount::seOnePlus)), "One or more");
}
