#include "runtime/portable/xml.h"

#include <gtest/gtest.h>

#include <string>

TEST(Xml, RoundTripKeepsNamesAttributesTextsAndEscapes) {
  XmlElement root;
  root.name = u"Layout";
  XmlElement& band = root.AddChild(u"Band");
  band.SetAttribute(u"ID", u"7");
  band.SetAttribute(u"note", u"a<b & \"c\" 'd'\ttab\r\nline");
  root.AddChild(u"Text").text = u"x < y && z > \"w\"\r\n\u00e9\u4e2d";
  const std::string written = WriteXml(root);
  EXPECT_EQ(written.find("a<b"), std::string::npos);
  EXPECT_NE(written.find("&lt;b &amp; &quot;c&quot;"), std::string::npos);

  XmlElement back;
  ASSERT_TRUE(ParseXml(written, back));
  EXPECT_EQ(back.name, u"Layout");
  EXPECT_TRUE(back.text.empty());  // the indentation is not text
  ASSERT_EQ(back.children.size(), 2u);
  EXPECT_EQ(*back.children[0].Attribute(u"ID"), u"7");
  EXPECT_EQ(*back.children[0].Attribute(u"note"), u"a<b & \"c\" 'd'\ttab\r\nline");
  EXPECT_EQ(back.children[1].text, u"x < y && z > \"w\"\r\n\u00e9\u4e2d");
  // Characters XML cannot carry are left out.
  root.SetAttribute(u"id", Text(u"a\u0001b\u0000c", 5));
  ASSERT_TRUE(ParseXml(WriteXml(root), back));
  EXPECT_EQ(*back.Attribute(u"id"), u"abc");
}

TEST(Xml, AttributesAndNamesInAnotherCase) {
  XmlElement root;
  ASSERT_TRUE(ParseXmlDocument("<LAYOUT><band id='3' CX=\"120\" fstyle='5'/></LAYOUT>", u"Layout", root));
  const XmlElement& band = root.children.at(0);
  EXPECT_TRUE(band.NameIs(u"Band"));
  EXPECT_EQ(band.Attribute(u"ID"), nullptr);
  EXPECT_EQ(*band.AttributeIgnoringCase(u"ID"), u"3");
  EXPECT_EQ(band.AttributeOr(u"cx"), u"120");
  EXPECT_EQ(band.AttributeOr(u"fStyle"), u"5");
  EXPECT_EQ(band.AttributeOr(u"missing", u"-"), u"-");
}

TEST(Xml, RefusedDocumentsLeaveNothing) {
  const struct {
    const char* bytes;
    const char16_t* root;
  } cases[] = {
      {"<Skin><Name id='x'/></Skin>", u"Layout"},            // another document element
      {"<Layout><Band ID='1' cx='2'", u"Layout"},             // truncated
      {"<Layout><Band></Layout>", u"Layout"},                 // not well-formed
      {"", u"Layout"},                                        // empty
      {"<!DOCTYPE l [<!ENTITY e 'x'>]><Layout>&e;</Layout>", u"Layout"},  // entities
  };
  for (const auto& c : cases) {
    XmlElement root;
    root.name = u"stale";
    EXPECT_FALSE(ParseXmlDocument(c.bytes, c.root, root)) << c.bytes;
    EXPECT_TRUE(root.name.empty() && root.children.empty()) << c.bytes;
  }
  std::string deep;
  for (int i = 0; i <= kXmlMaxDepth; ++i) deep += "<a>";
  for (int i = 0; i <= kXmlMaxDepth; ++i) deep += "</a>";
  XmlElement root;
  EXPECT_FALSE(ParseXml(deep, root));
}
