#include "veloui/foundation/core/gradient_records.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/skins/core/skin_properties.h"
#include "veloui/skins/core/skin_values.h"
#include "skins_fixture.h"

TEST(SkinValues, DeclarationsAndArguments) {
  std::vector<SkinAttribute> pairs;
  EXPECT_EQ(ParseSkinAttributes(u"a: 1;; b: 2", pairs), 1);
  ASSERT_EQ(pairs.size(), 1u);
  EXPECT_EQ(pairs[0].Name + u"=" + pairs[0].Value, u"a=1");
  ParseSkinAttributes(u"masked;", pairs);
  EXPECT_EQ(pairs.at(0).Name + u"=" + pairs[0].Value, u"masked=true");
  EXPECT_EQ(ParseSkinAttributes(u": 3;", pairs), 0);

  const std::vector<Text> split = SplitSkinArguments(u" vertical, rgb(1, 2,3) ,'a, b', \"c,d\", {e,f}, ");
  EXPECT_EQ(split, (std::vector<Text>{u"vertical", u"rgb(1, 2,3)", u"'a, b'", u"\"c,d\"", u"{e,f}", u""}));
  EXPECT_EQ(CountSkinArguments(u"a, b,, c"), 2);
  EXPECT_EQ(CutAtSemicolon(u" tile.png ; width: 16"), u"tile.png");
  EXPECT_EQ(NormaliseSkinComponent(u"Explorerbar : Blue"), u"explorerbar:blue");
}

TEST(SkinValues, FontStyleBits) {
  const auto font = ReadFontDeclaration(u"font: 'Segoe UI', 8, bold, italic, underlined, striked; colour: red");
  ASSERT_TRUE(font);
  EXPECT_EQ(font->Face, u"Segoe UI");
  EXPECT_EQ(font->Size, 8);
  EXPECT_EQ(font->Style, 0x100u | 0x200u | 4u | 8u);
}

using SkinPropertiesTest = SkinsTest;

TEST_F(SkinPropertiesTest, ComponentNormalisedAndSchemeVariantReadFirst) {
  const SkinHandle skin = CreateSkin(u"s");
  ASSERT_EQ(SetSkinProperty(skin, u"Explorerbar : Silver", u"Normal", u"Background", u"White;"), 1);
  ASSERT_EQ(SetSkinProperty(skin, u"explorerbar", u"normal", u"background", u"black;"), 1);
  EXPECT_EQ(SkinList().front().Components.front().Name, u"explorerbar:silver");
  EXPECT_EQ(GetSkinProperty(skin, u"explorerbar", u"normal", u"background"), u"black");
  StoreColourModeName(u"silver");
  EXPECT_EQ(GetSkinProperty(skin, u"ExplorerBar", u"normal", u"background"), u"white");
  EXPECT_EQ(GetSkinProperty(skin, u"explorerbar:blue", u"normal", u"background"), u"black");
  EXPECT_EQ(GetSkinProperty(skin, u"explorerbar", u"normal", u"missing"), u"");
  EXPECT_EQ(Fakes().broadcasts, 0);  // not in use
}

TEST_F(SkinPropertiesTest, GradientDeclarationBecomesAGradient) {
  const SkinHandle skin = CreateSkin(u"s");
  ASSERT_EQ(SetSkinProperty(skin, u"c", u"s", u"p", u"gradient: vertical, #ffffff, #000000, 0.5, #ff0000;"), 1);
  const GradientRecord* gradient = FindGradient(GetSkinPropertyImage(skin, u"c", u"s", u"p"));
  ASSERT_NE(gradient, nullptr);
  EXPECT_EQ(gradient->Kind, 1u);
  EXPECT_EQ(gradient->StartColour, 0xFFFFFFFFu);
  EXPECT_EQ(gradient->EndColour, 0xFF000000u);
  ASSERT_EQ(gradient->Stops.size(), 1u);
  EXPECT_FLOAT_EQ(gradient->Stops[0].Position, 0.5f);
  EXPECT_EQ(gradient->Stops[0].Colour, 0xFFFF0000u);
  EXPECT_EQ(GetSkinFunctionArgument(skin, u"c", u"s", u"p", u"gradient", 2), u"16777215");
  EXPECT_EQ(GetSkinFunctionArgumentCount(skin, u"c", u"s", u"p", u"gradient"), 5);
  // A new value frees the gradient the property held.
  SetSkinProperty(skin, u"c", u"s", u"p", u"white;");
  EXPECT_TRUE(GradientList().empty());
}

TEST_F(SkinPropertiesTest, ColoursNumbersAndFonts) {
  const SkinHandle skin = CreateSkin(u"s");
  SetSkinProperty(skin, u"c", u"s", u"white", u"rgba(255,255,255,1.0);");
  SetSkinProperty(skin, u"c", u"s", u"text", u"font: Segoe UI, 8, bold; colour: #15428b;");
  SetSkinProperty(skin, u"c", u"s", u"height", u"20;");
  EXPECT_EQ(GetSkinPropertyColourEx(skin, u"c", u"s", u"white", u"", 0), 0xFFFFFFFFu);
  EXPECT_EQ(GetSkinPropertyColour(skin, u"c", u"s", u"text", u"colour"), 0x008B4215u);
  EXPECT_EQ(GetSkinPropertyColourEx(skin, u"c", u"s", u"height", u"colour", 7), 7u);
  EXPECT_EQ(GetSkinPropertyNumber(skin, u"c", u"s", u"height"), 20);
  EXPECT_EQ(Fakes().fontStyles, std::vector<std::uint32_t>{0x100});
}

TEST_F(SkinPropertiesTest, InUseSkinBroadcastsUnlessBuilding) {
  const SkinHandle skin = CreateSkin(u"s");
  EXPECT_EQ(SelectSkinRecord(skin, 1), 1);
  SetSkinProperty(skin, u"c", u"s", u"p", u"1;");
  Skins().SkinBuildInProgress = true;
  SetSkinProperty(skin, u"c", u"s", u"p", u"2;");
  EXPECT_EQ(Fakes().broadcasts, 1);
  EXPECT_EQ(SetSkinProperty(skin + 1, u"c", u"s", u"p", u"1;"), 0);
  EXPECT_EQ(FindSkin(u"S"), skin);
  EXPECT_EQ(FreeSkin(skin), 1);
  EXPECT_EQ(IsSkin(skin), 0);
}
