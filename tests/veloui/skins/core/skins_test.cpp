#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "../../../runtime/portable/temp_folder.h"
#include "runtime/portable/pack.h"
#include "veloui/foundation/core/gradient_records.h"
#include "veloui/foundation/core/named_colours.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/skins/core/builtin_skin_tables.h"
#include "veloui/skins/core/panelex_rules.h"
#include "veloui/skins/core/skin_files.h"
#include "veloui/skins/core/skin_images.h"
#include "veloui/skins/core/skin_properties.h"
#include "veloui/skins/core/skin_records.h"
#include "veloui/skins/core/skin_values.h"

namespace {

// Fake services: an image is the count of its bytes' loads, fonts and broadcasts are counted,
// gradients are plain records.
struct FakeSkinServices {
  std::vector<std::string> imageBytes;  // index + 1 is the handle
  std::vector<std::uintptr_t> freedImages;
  std::vector<std::uint32_t> fontStyles;
  int broadcasts = 0;
  std::size_t freedAtBroadcast = 0;  // images freed when the last broadcast went out
};
FakeSkinServices Fakes;

class SkinsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetToolkitGlobalLists();
    FillNamedColourMap();
    ResetSkinGlobals();
    StoreColourModeName(u"");
    Fakes = FakeSkinServices();
    SkinServices& services = Skins().Services;
    services.MakeImage = [](std::string_view bytes, int, int) -> std::uintptr_t { Fakes.imageBytes.emplace_back(bytes); return Fakes.imageBytes.size(); };
    services.FreeImage = [](std::uintptr_t image) { Fakes.freedImages.push_back(image); };
    services.CreateGradient = AddGradientRecord;
    services.LoadFont = [](const Text&, int, std::uint32_t style) -> std::uintptr_t { Fakes.fontStyles.push_back(style); return 0x1000 + Fakes.fontStyles.size(); };
    services.FreeFont = [](std::uintptr_t) {};
    services.Broadcast = [](SkinHandle) -> std::int32_t {
      Fakes.freedAtBroadcast = Fakes.freedImages.size();
      return ++Fakes.broadcasts;
    };
    ASSERT_EQ(SetSkinDirectory(folder.Path().u16string()), 1);
  }
  void TearDown() override {
    ResetSkinGlobals();
    ResetToolkitGlobalLists();
  }
  // A skin with an image in each of two properties and a plain one.
  SkinHandle MakeImageSkin() {
    PutFileBytes(folder.File("a.png"), "picture a");
    PutFileBytes(folder.File("b.png"), std::string(300, 'b'));
    const SkinHandle skin = CreateSkin(u"Glass");
    EXPECT_EQ(SetSkinProperty(skin, u"buttonex", u"normal", u"background", u"a.png;"), 1);
    EXPECT_EQ(SetSkinProperty(skin, u"buttonex", u"hot", u"background", u"b.png; width: 16"), 1);
    EXPECT_EQ(SetSkinProperty(skin, u"buttonex", u"hot", u"text padding", u"top: 2; left: 6;"), 1);
    return skin;
  }
  std::vector<std::string> PackEntries(const std::string& name) {
    std::vector<std::string> entries;
    EXPECT_TRUE(ReadPackEntries(FileBytes(folder.File(name)), entries));
    return entries;
  }
  // A one-property skin document.
  void PutSkin(const char* name, const char* value) {
    PutFileBytes(folder.File(name), std::string("<skin><name id='T'/><component id='c'><state id='s'><property id='p'>") +
                                        value + "</property></state></component></skin>");
  }
  TempFolder folder;
};

}  // namespace

TEST(SkinValues, DeclarationsArgumentsAndFontStyleBits) {
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
  const auto font = ReadFontDeclaration(u"font: 'Segoe UI', 8, bold, italic, underlined, striked; colour: red");
  ASSERT_TRUE(font);
  EXPECT_EQ(std::tuple(font->Face, font->Size, font->Style), std::tuple(Text(u"Segoe UI"), 8, 0x100u | 0x200u | 4u | 8u));
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
  EXPECT_EQ(Fakes.broadcasts, 0);  // not in use
}

TEST_F(SkinPropertiesTest, GradientDeclarationBecomesAGradient) {
  const SkinHandle skin = CreateSkin(u"s");
  // {value, kind, start, end, stop, argument count, an argument's place and text}; without a kind word
  // the gradient is horizontal, its colours from argument 1.
  const struct { const char16_t* Value; std::uint32_t Kind, Start, End, Stop; int Count, Place; const char16_t* Argument; } cases[] = {
      {u"gradient: vertical, #ffffff, #000000, 0.5, #ff0000;", 1, 0xFFFFFFFF, 0xFF000000, 0xFFFF0000, 5, 2, u"16777215"},
      {u"gradient: #d6e8ff, #d6e8ff, 0.5, #e2eeff;", 0, 0xFFD6E8FF, 0xFFD6E8FF, 0xFFE2EEFF, 4, 1, u"16771286"}};
  for (const auto& c : cases) {  // the second value frees the gradient of the first
    ASSERT_EQ(SetSkinProperty(skin, u"c", u"s", u"p", c.Value), 1);
    const GradientRecord* gradient = FindGradient(GetSkinPropertyImage(skin, u"c", u"s", u"p"));
    ASSERT_TRUE(gradient != nullptr && gradient->Stops.size() == 1u);
    EXPECT_EQ(std::tuple(gradient->Kind, gradient->StartColour, gradient->EndColour, gradient->Stops[0].Position, gradient->Stops[0].Colour),
              std::tuple(c.Kind, c.Start, c.End, 0.5f, c.Stop));
    EXPECT_EQ(GetSkinFunctionArgumentCount(skin, u"c", u"s", u"p", u"gradient"), c.Count);
    EXPECT_EQ(GetSkinFunctionArgument(skin, u"c", u"s", u"p", u"gradient", c.Place), c.Argument);
  }
  SetSkinProperty(skin, u"c", u"s", u"p", u"white;");  // a new value frees the gradient the property held
  EXPECT_TRUE(GradientList().empty());
}

// A declaration's last argument is read like any other, with or without a ";" after it and with declarations
// around it; the place after it is empty.
TEST_F(SkinPropertiesTest, AFunctionsLastArgumentIsRead) {
  const SkinHandle skin = CreateSkin(u"s");
  for (const char16_t* value : {u"margin: 1, 2, 3, #ff0000;", u"margin: 1, 2, 3, #ff0000", u"x: 9; margin: 1, 2, 3, #ff0000; y: 8",
                                u"margin: 1, 2, 3, rgb(255, 0, 0)"}) {
    SCOPED_TRACE(TextToUtf8(value));
    ASSERT_EQ(SetSkinProperty(skin, u"c", u"s", u"p", value), 1);
    EXPECT_EQ(GetSkinFunctionArgumentCount(skin, u"c", u"s", u"p", u"margin"), 4);
    EXPECT_EQ(GetSkinFunctionArgument(skin, u"c", u"s", u"p", u"margin", 3), u"3");
    EXPECT_EQ(GetSkinFunctionArgument(skin, u"c", u"s", u"p", u"margin", 4), u"255");
    EXPECT_EQ(GetSkinFunctionArgument(skin, u"c", u"s", u"p", u"margin", 5), u"");
  }
}

// A plain value is its first field that holds something, without the spaces and semicolons around it.
TEST_F(SkinPropertiesTest, APlainValueIsItsFirstFieldThatHoldsSomething) {
  const SkinHandle skin = CreateSkin(u"s");
  const std::pair<const char16_t*, const char16_t*> cases[] = {
      {u"white;", u"white"}, {u";white;", u"white"}, {u" ; ;white ; red", u"white"}, {u";", u""}, {u"20", u"20"}};
  for (const auto& [value, read] : cases) {
    ASSERT_EQ(SetSkinProperty(skin, u"c", u"s", u"p", value), 1);
    EXPECT_EQ(GetSkinProperty(skin, u"c", u"s", u"p"), read) << TextToUtf8(value);
  }
}

// A badly formed gradient declaration stores no gradient (and the property no handle); a stop
// without its colour only ends the stops.
TEST_F(SkinPropertiesTest, BadlyFormedGradientStoresNone) {
  const SkinHandle skin = CreateSkin(u"s");
  for (const char16_t* value : {u"gradient: #ffffff;", u"gradient: vertical, #ffffff;", u"gradient: nocolour, #000000;",
                                u"gradient: vertical, #fff, #000000;", u"gradient: ;", u"gradient: ellipse, , #000000;"}) {
    ASSERT_EQ(SetSkinProperty(skin, u"c", u"s", u"p", value), 1);
    EXPECT_TRUE(GradientList().empty()) << TextToUtf8(value);
    EXPECT_EQ(GetSkinPropertyImage(skin, u"c", u"s", u"p"), 0u) << TextToUtf8(value);
  }
  ASSERT_EQ(SetSkinProperty(skin, u"c", u"s", u"p", u"gradient: #ffffff, #000000, 0.5;"), 1);
  const GradientRecord* gradient = FindGradient(GetSkinPropertyImage(skin, u"c", u"s", u"p"));
  ASSERT_NE(gradient, nullptr);
  EXPECT_TRUE(gradient->Stops.empty());
}

// "rgba(255,255,255,1.0)" is white, never taken for the -1 of "no colour".
TEST_F(SkinPropertiesTest, ColoursNumbersAndFonts) {
  const SkinHandle skin = CreateSkin(u"s");
  SetSkinProperty(skin, u"c", u"s", u"white", u"rgba(255,255,255,1.0);");
  SetSkinProperty(skin, u"c", u"s", u"text", u"font: Segoe UI, 8, bold; colour: #15428b;");
  SetSkinProperty(skin, u"c", u"s", u"height", u"20;");
  EXPECT_EQ(GetSkinPropertyColourEx(skin, u"c", u"s", u"white", u"", 0), 0xFFFFFFFFu);
  EXPECT_EQ(GetSkinPropertyColour(skin, u"c", u"s", u"text", u"colour"), 0x008B4215u);
  EXPECT_EQ(GetSkinPropertyColourEx(skin, u"c", u"s", u"height", u"colour", 7), 7u);
  EXPECT_EQ(GetSkinPropertyNumber(skin, u"c", u"s", u"height"), 20);
  EXPECT_EQ(Fakes.fontStyles, std::vector<std::uint32_t>{0x100});
}

TEST_F(SkinPropertiesTest, InUseSkinBroadcastsUnlessBuilding) {
  const SkinHandle skin = CreateSkin(u"s");
  EXPECT_EQ(SelectSkinRecord(skin, 1), 1);
  SetSkinProperty(skin, u"c", u"s", u"p", u"1;");
  Skins().SkinBuildInProgress = true;
  SetSkinProperty(skin, u"c", u"s", u"p", u"2;");
  EXPECT_EQ(Fakes.broadcasts, 1);
  // A new image reaches the skin's wearers before the old one goes.
  Skins().SkinBuildInProgress = false;
  PutFileBytes(folder.File("a.png"), "a");
  PutFileBytes(folder.File("b.png"), "b");
  SetSkinProperty(skin, u"c", u"s", u"image", u"a.png");
  SetSkinProperty(skin, u"c", u"s", u"image", u"b.png");
  EXPECT_EQ(std::pair(Fakes.freedAtBroadcast, Fakes.freedImages), std::pair(std::size_t{0}, std::vector<std::uintptr_t>{1}));
  EXPECT_EQ(SetSkinProperty(skin + 1, u"c", u"s", u"p", u"1;"), 0);
  EXPECT_EQ(FindSkin(u"S"), skin);
  EXPECT_EQ(FreeSkin(skin), 1);
  EXPECT_EQ(IsSkin(skin), 0);
}

// A handle stored straight into a property takes the mode of the one it replaces away with it.
TEST_F(SkinPropertiesTest, AStoredHandleClearsTheModeOfTheOneItReplaces) {
  const SkinHandle skin = CreateSkin(u"s");
  ASSERT_EQ(SetSkinProperty(skin, u"c", u"s", u"p", u"gradient: #ffffff, #000000;"), 1);
  const SkinPropertyRecord& property = SkinList().front().Components.front().States.front().Properties.front();
  ASSERT_EQ(property.Mode, kSkinModeGradient);
  ASSERT_EQ(SetSkinPropertyValue(skin, u"c", u"s", u"p", 7, SkinOwnedHandle::Image), 1);
  EXPECT_EQ(std::tuple(property.Value, property.Mode), std::tuple(std::uintptr_t{7}, std::uint32_t{0}));
}

// A handle stored straight into a property of a skin in use goes only after the broadcast has
// made its wearers read the new one; one stored again stays; a skin nobody wears frees at once.
TEST_F(SkinPropertiesTest, SetSkinPropertyValueFreesTheOldHandleAfterTheBroadcast) {
  const SkinHandle skin = CreateSkin(u"s");
  ASSERT_EQ(SelectSkinRecord(skin, 1), 1);
  ASSERT_EQ(SetSkinPropertyValue(skin, u"c", u"s", u"image", 7, SkinOwnedHandle::Image), 1);
  EXPECT_EQ(Fakes.broadcasts, 0);  // nothing replaced, nothing to let go of
  ASSERT_EQ(SetSkinPropertyValue(skin, u"c", u"s", u"image", 8, SkinOwnedHandle::Image), 1);
  EXPECT_EQ(std::tuple(Fakes.broadcasts, Fakes.freedAtBroadcast, Fakes.freedImages),
            std::tuple(1, std::size_t{0}, std::vector<std::uintptr_t>{7}));
  ASSERT_EQ(SetSkinPropertyValue(skin, u"c", u"s", u"image", 8, SkinOwnedHandle::Image), 1);
  EXPECT_EQ(Fakes.freedImages, std::vector<std::uintptr_t>{7});
  EXPECT_EQ(GetSkinPropertyImage(skin, u"c", u"s", u"image"), 8u);
  ASSERT_EQ(SelectSkinRecord(skin, 0), 1);
  const int broadcasts = Fakes.broadcasts;
  ASSERT_EQ(SetSkinPropertyValue(skin, u"c", u"s", u"image", 9, SkinOwnedHandle::Image), 1);
  EXPECT_EQ(std::pair(Fakes.broadcasts, Fakes.freedImages), std::pair(broadcasts, std::vector<std::uintptr_t>{7, 8}));
}

namespace {
int PicturesMadeOutsideABuild = 0;
std::uintptr_t NextPicture = 0x5000;
std::uintptr_t FakePicture(const SkinPicture& picture) {
  if (!Skins().SkinBuildInProgress) ++PicturesMadeOutsideABuild;
  return picture.Kind == SkinPictureKind::Embedded ? 0x100 + picture.Detail : ++NextPicture;
}
}  // namespace

using BuiltInSkinsTest = SkinsTest;

TEST_F(BuiltInSkinsTest, AllElevenBuildOnceWithoutBroadcastAndOwnTheirDrawnPictures) {
  for (const char16_t* name : {u"imagebuttonskin", u"sysbuttonskin", u"systogglebuttonskin", u"sysstickybuttonskin",
                               u"sysradiobuttonskin", u"syscheckbuttonskin", u"sysxbarskin", u"office2007xbarskin",
                               u"syssplitterskin", u"syssplitter2skin", u"office2007splitterskin"}) {
    BuildBuiltInSkinWith(Text(name), FakePicture);
    ASSERT_NE(FindSkin(name), 0u) << TextToUtf8(name);
    EXPECT_EQ(SelectSkinRecord(FindSkin(name), 1), 1);  // in use: later builds must still not broadcast
  }
  BuildBuiltInSkinWith(u"SysButtonSkin", FakePicture);
  BuildBuiltInSkinWith(u"noskin", FakePicture);
  EXPECT_EQ(SkinList().size(), 11u);
  EXPECT_EQ(Fakes.broadcasts, 0);
  EXPECT_EQ(PicturesMadeOutsideABuild, 0);
  EXPECT_FALSE(Skins().SkinBuildInProgress);
  EXPECT_EQ(GetSkinName(FindSkin(u"OFFICE2007XBARSKIN")), u"office2007XBarSkin");
  const SkinHandle xbar = FindSkin(u"office2007xbarskin");
  StoreColourModeName(u"silver");
  EXPECT_EQ(GetSkinPropertyColour(xbar, u"explorerbar group header", u"normal", u"text", u"colour"), 0x008B4215u);
  StoreColourModeName(u"grey");
  EXPECT_EQ(GetSkinPropertyColour(xbar, u"explorerbar group header", u"normal", u"text", u"colour"), 0u);
  // The check glyphs are drawn for the skin and go with it; embedded pictures stay.
  const SkinHandle check = FindSkin(u"syscheckbuttonskin");
  EXPECT_NE(GetSkinPropertyImage(check, u"checkbuttonex", u"inbetween hot", u"background"), 0u);
  FreeSkin(check);
  EXPECT_EQ(Fakes.freedImages.size(), 10u);
  FreeSkin(xbar);
  EXPECT_EQ(Fakes.freedImages.size(), 10u);
}

// The eleven skins against the table they follow: stored names, components, states, property
// names, and the values the table gives.
TEST(BuiltInSkinTables, ShapesAndValuesOfTheElevenSkins) {
  const Text button = u"normal, hot, pressed, disabled, selected, selected hot, selected pressed";
  const Text faces = u"background, image position, image padding, text position, text padding";
  const Text bar = u"background, group background, margin, group margin, group padding, item padding, header height, item height";
  const Text part = u"background, background position, image, image position, image padding, text position, text padding, text, cursor";
  const Text splitter = u"normal, hot, pressed, normal vertical, hot vertical, pressed vertical";
  const Text splitter2 = u"gripper size, first padding, second padding, background, gripper background, gripper border mask";
  const struct { const char16_t *Asked, *Stored, *Component; Text States, Properties; } shapes[] = {
      {u"imagebuttonskin", u"imageButtonSkin", u"imagebuttonex", u"normal, hot, pressed, disabled", u"background, image position"},
      {u"sysbuttonskin", u"sysButtonSkin", u"buttonex", button, faces},
      {u"systogglebuttonskin", u"sysToggleButtonSkin", u"togglebuttonex", button, faces},
      {u"sysstickybuttonskin", u"sysStickyButtonSkin", u"togglebuttonex", button, faces},
      {u"sysradiobuttonskin", u"sysRadioButtonSkin", u"radiobuttonex", button, faces},
      {u"syscheckbuttonskin", u"sysCheckButtonSkin", u"checkbuttonex", button + u", inbetween, inbetween hot, inbetween pressed", faces},
      {u"sysxbarskin", u"sysXBarSkin", u"explorerbar", button, bar},
      {u"sysxbarskin", u"sysXBarSkin", u"explorerbar group header", button, part},
      {u"sysxbarskin", u"sysXBarSkin", u"explorerbar group item", button, part},
      {u"office2007xbarskin", u"office2007XBarSkin", u"explorerbar", button, bar + u", group border mask"},
      {u"office2007xbarskin", u"office2007XBarSkin", u"explorerbar group header", button, part + u", border mask"},
      {u"office2007xbarskin", u"office2007XBarSkin", u"explorerbar group item", button, part},
      {u"syssplitterskin", u"sysSplitterSkin", u"splitterex", splitter, u"gripper size, gripper background, background"},
      {u"syssplitter2skin", u"sysSplitter2Skin", u"splitterex", splitter, splitter2},
      {u"office2007splitterskin", u"office2007SplitterSkin", u"splitterex", splitter, splitter2 + u", gripper background position"},
  };
  for (const auto& shape : shapes) {
    const auto table = BuiltInSkinTableOf(shape.Asked);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->StoredName, shape.Stored);
    std::map<Text, std::set<Text>> properties, expected;  // by state
    for (const BuiltInSkinProperty& p : table->Properties)
      if (p.Component == shape.Component) properties[p.State].insert(p.Property);
    const std::vector<Text> names = SplitSkinArguments(shape.Properties);
    for (const Text& state : SplitSkinArguments(shape.States)) expected[state].insert(names.begin(), names.end());
    EXPECT_EQ(properties, expected) << TextToUtf8(shape.Asked) << " " << TextToUtf8(shape.Component);
  }
  const char16_t* const values[][5] = {
      {u"imagebuttonskin", u"imagebuttonex", u"hot", u"image position", u"x: 50%; y: 50%;"},
      {u"sysbuttonskin", u"buttonex", u"pressed", u"image padding", u"top: 2; left: 6; bottom: 2; right: 4;"},
      {u"sysxbarskin", u"explorerbar", u"normal", u"header height", u"20;"},
      {u"sysxbarskin", u"explorerbar", u"disabled", u"item height", u"22;"},
      {u"sysxbarskin", u"explorerbar group header", u"hot", u"cursor", u"hand;"},
      {u"sysxbarskin", u"explorerbar group header", u"normal", u"text padding", u"top: 2; left: 9; bottom: 2; right: 20;"},
      {u"office2007xbarskin", u"explorerbar", u"normal", u"background",
       u"gradient: vertical, rgb(227,239,255), rgb(182,214,255), 0.25, rgb(227,239,255), 0.75, rgb(182,214,255);"},
      {u"office2007xbarskin", u"explorerbar group item", u"hot", u"text", u"font: Segoe UI, 8, underline; colour: #003db2;"},
      {u"office2007xbarskin", u"explorerbar group header", u"normal", u"text", u"font: Segoe UI, 8, bold; colour: #15428b;"},
      {u"office2007xbarskin", u"explorerbar group header:blue", u"normal", u"background", u"gradient: #d6e8ff, #d6e8ff, 0.5, #e2eeff;"},
      {u"office2007xbarskin", u"explorerbar group header:silver", u"normal", u"background", u"gradient: #d5dbe7, #d5dbe7, 0.5, #f3f5f5;"},
      {u"office2007xbarskin", u"explorerbar group header:black", u"normal", u"background", u"gradient: #dde0e3, #dde0e3, 0.5, #f0f1f2;"},
      {u"office2007xbarskin", u"explorerbar group header:grey", u"normal", u"background", u"gradient: #dde0e3, #dde0e3, 0.5, #f0f1f2;"},
      {u"office2007xbarskin", u"explorerbar group header:blue", u"hot", u"background", u"gradient: #e3efff, #e3efff, 0.5, #fefeff;"},
      {u"office2007xbarskin", u"explorerbar group header:silver", u"hot", u"background", u"gradient: #e7eaee, #e7eaee, 0.5, #fefefe;"},
      {u"office2007xbarskin", u"explorerbar group header:grey", u"hot", u"background", u"gradient: #e8eaec, #e8eaec, 0.5, #fefefe;"},
      {u"office2007xbarskin", u"explorerbar group header:silver", u"normal", u"text", u"font: Segoe UI, 8, bold; colour: #15428b;"},
      {u"office2007xbarskin", u"explorerbar group header:black", u"normal", u"text", u"font: Segoe UI, 8, bold; colour: black;"},
      {u"syssplitterskin", u"splitterex", u"hot vertical", u"gripper size", u"width: 5;"},
      {u"syssplitter2skin", u"splitterex", u"pressed", u"gripper size", u"height: 5;"},
      {u"office2007splitterskin", u"splitterex:silver", u"normal", u"background", nullptr},
  };
  for (const auto& v : values) {
    const auto table = BuiltInSkinTableOf(v[0]);  // a copy: the search runs in it
    const auto found = std::find_if(table->Properties.begin(), table->Properties.end(),
                                    [&](const auto& p) { return p.Component == v[1] && p.State == v[2] && p.Property == v[3]; });
    ASSERT_NE(found, table->Properties.end()) << TextToUtf8(v[1]) << "/" << TextToUtf8(v[2]) << "/" << TextToUtf8(v[3]);
    if (v[4] != nullptr) { EXPECT_EQ(found->Value, v[4]); }
  }
}

using SkinFilesTest = SkinsTest;

// Property text over lines with tabs reads as one line, and a stray top-level element is ignored;
// damaged packs and missing images load nothing; an image handle with the top bit set is no failure.
TEST_F(SkinFilesTest, WhatALoadReturns) {
  PutFileBytes(folder.File("lines.skn"),
               "<SKIN><name id='Lines'/><Bogus/><component id='ButtonEx'><STATE id='Hot'>"
               "<Property id='Text'>\r\n\tfont: Segoe UI, 8,\r\n\t\tbold;  \n</Property></STATE></component></SKIN>");
  const std::intptr_t skin = LoadSkinFile(u"lines.skn");
  ASSERT_GT(skin, 0);
  EXPECT_EQ(GetSkinName(skin), u"Lines");
  EXPECT_EQ(GetSkinProperty(skin, u"buttonex", u"hot", u"text", u"font"), u"segoe ui, 8,bold");
  FreeSkin(skin);
  std::string good;
  AppendPackEntry(good, std::string(200, 'x'));
  std::string wrongSize = good, oversized = good;
  wrongSize[0] = 100;  // unpacked size no longer what the stream inflates to
  oversized[3] = 0x7F;
  for (const std::string& pack : {good.substr(0, good.size() - 1), good.substr(0, 6), wrongSize, oversized}) {
    PutFileBytes(folder.File("bad.sknz"), pack);
    EXPECT_EQ(LoadSkinFile(u"bad"), 0);
  }
  PutSkin("missing.skn", "gone.png;");
  EXPECT_EQ(LoadSkinFile(u"missing.skn"), -2);
  PutFileBytes(folder.File("foreign.skn"), "<skin><component id='c'><thing/></component></skin>");
  EXPECT_EQ(LoadSkinFile(u"foreign.skn"), -1);
  EXPECT_TRUE(SkinList().empty());
  Skins().Services.MakeImage = [](std::string_view, int, int) -> std::uintptr_t { return UINTPTR_MAX - 1; };
  PutFileBytes(folder.File("a.png"), "a");
  PutSkin("top.skn", "a.png");
  const std::intptr_t top = LoadSkinFile(u"top.skn");
  ASSERT_GT(top, 0);
  EXPECT_EQ(GetSkinPropertyImage(top, u"c", u"s", u"p"), UINTPTR_MAX - 1);
}

// A failed save leaves no partial output; a plain save copies the images beside the document.
TEST_F(SkinFilesTest, FailedSaveLeavesNothingAndAPlainSaveCopiesImagesAndLoadsBack) {
  const SkinHandle skin = MakeImageSkin();
  std::filesystem::create_directories(folder.Path() / "bad" / "glass.skn");  // the document cannot be written
  EXPECT_EQ(SaveSkinFile(skin, u"bad/glass.skn", false), 0);
  for (const char* image : {"a.png", "b.png"}) EXPECT_FALSE(std::filesystem::exists(folder.Path() / "bad" / image));
  SkinList().front().Author = u"Me & <you>";
  ASSERT_EQ(SaveSkinFile(skin, u"out/glass.skn", false), 1);
  EXPECT_EQ(FileBytes(folder.File("out/b.png")), std::string(300, 'b'));
  FreeSkin(skin);
  ASSERT_EQ(SetSkinDirectory((folder.Path() / "out").u16string()), 1);
  const std::intptr_t back = LoadSkinFile(u"glass.skn");
  ASSERT_GT(back, 0);
  EXPECT_EQ(SkinList().front().Author, u"Me & <you>");
  EXPECT_EQ(GetSkinProperty(back, u"buttonex", u"hot", u"text padding", u"left"), u"6");
  EXPECT_EQ(Fakes.imageBytes.back(), std::string(300, 'b'));
}

// The header texts are read from every child of the root, the last of each name winning.
TEST_F(SkinFilesTest, HeaderTextsComeFromAnyChildTheLastWinning) {
  PutFileBytes(folder.File("header.skn"), "<skin><name id='H'/><author id='first'/><date id='d1'/><component id='c'>"
                                          "<state id='s'><property id='p'>1</property></state></component>"
                                          "<author id='last'/><URL id='u'/></skin>");
  const std::intptr_t skin = LoadSkinFile(u"header.skn");
  ASSERT_GT(skin, 0);
  const SkinRecord& record = SkinList().front();
  EXPECT_EQ(std::tuple(record.Author, record.Date, record.Url), std::tuple(Text(u"last"), Text(u"d1"), Text(u"u")));
}

// A plain save that fails gives a file it overwrote its old bytes back, and removes the one it made.
TEST_F(SkinFilesTest, AFailedPlainSaveGivesOverwrittenFilesTheirOldBytesBack) {
  const SkinHandle skin = MakeImageSkin();
  std::filesystem::create_directories(folder.Path() / "bad" / "glass.skn");  // the document cannot be written
  PutFileBytes(folder.File("bad/a.png"), "an older picture");
  EXPECT_EQ(SaveSkinFile(skin, u"bad/glass.skn", false), 0);
  EXPECT_EQ(FileBytes(folder.File("bad/a.png")), "an older picture");
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "bad" / "b.png"));
  ASSERT_EQ(SaveSkinFile(skin, u"bad/other.skn", false), 1);
  EXPECT_EQ(FileBytes(folder.File("bad/a.png")), "picture a");
}

TEST_F(SkinFilesTest, PackHoldsFiveEntriesAndItsImagesAreFoundInside) {
  const SkinHandle skin = MakeImageSkin();
  ASSERT_EQ(SaveSkinFile(skin, u"glass", true), 1);
  const auto entries = PackEntries("glass.sknz");
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries[0], PackNameEntry(u"a.png"));
  EXPECT_EQ(entries[3], std::string(300, 'b'));
  // The small name is stored as is, the long run of "b" compressed.
  const std::string raw = FileBytes(folder.File("glass.sknz"));
  EXPECT_EQ(raw.substr(0, 8), std::string("\x0a\0\0\0\x0a\0\0\0", 8));
  EXPECT_LT(raw.size(), 300u);
  FreeSkin(skin);
  for (const char* image : {"a.png", "b.png"}) std::filesystem::remove(folder.Path() / image);
  Fakes.imageBytes.clear();
  const std::intptr_t back = LoadSkinFile(u"glass.sknz");
  ASSERT_GT(back, 0);
  EXPECT_EQ(Fakes.imageBytes, (std::vector<std::string>{"picture a", std::string(300, 'b')}));
  EXPECT_EQ(GetSkinProperty(back, u"buttonex", u"hot", u"background"), u"b.png");
  // Resaved while its files are gone, the pack keeps them.
  ASSERT_EQ(SaveSkinFile(back, u"glass", true), 1);
  EXPECT_EQ(PackEntries("glass.sknz"), entries);
  FreeSkin(back);
  EXPECT_EQ(Fakes.freedImages.size(), 4u);  // two for each of the two skins
  // A skin of another name, saved over that pack, takes the file from the pack it replaces.
  const SkinHandle other = CreateSkin(u"Other");
  EXPECT_EQ(SetSkinProperty(other, u"c", u"s", u"p", u"a.png;"), -1);  // nowhere to be found: the text stays
  ASSERT_EQ(SaveSkinFile(other, u"glass", true), 1);
  EXPECT_EQ(PackEntries("glass.sknz").at(1), "picture a");
}

// "x" is looked for as "x.skn" beside it, then as "x/x.skn", then as the pack "x.sknz".
TEST_F(SkinFilesTest, SearchOrderBesideThenFolderThenPack) {
  std::filesystem::create_directories(folder.Path() / "x");
  PutSkin("x.skn", "beside");
  PutSkin("x/x.skn", "folder");
  std::string pack;
  AppendPackEntry(pack, "<skin><component id='c'><state id='s'><property id='p'>pack</property></state></component></skin>");
  PutFileBytes(folder.File("x.sknz"), pack);
  const std::pair<const char*, const char16_t*> order[] = {{"x.skn", u"beside"}, {"x/x.skn", u"folder"}, {"x.sknz", u"pack"}};
  for (const auto& [found, value] : order) {
    const std::intptr_t skin = LoadSkinFile(u"x");
    ASSERT_GT(skin, 0) << found;
    EXPECT_EQ(GetSkinProperty(skin, u"c", u"s", u"p"), value);
    FreeSkin(skin);
    std::filesystem::remove(folder.Path() / found);
  }
}

// "normal/arrow.png" and "hot/arrow.png" keep their own pictures through a save, packed or plain.
TEST_F(SkinFilesTest, FilesWithTheSameBareNameStayApart) {
  for (const bool asPack : {true, false}) {
    ASSERT_EQ(SetSkinDirectory(folder.Path().u16string()), 1);
    for (const char* state : {"normal", "hot"}) {
      std::filesystem::create_directories(folder.Path() / state);
      PutFileBytes(folder.File(std::string(state) + "/arrow.png"), state);
    }
    const SkinHandle skin = CreateSkin(u"Arrows");
    for (const char16_t* state : {u"normal", u"hot", u"pressed"})
      SetSkinProperty(skin, u"c", state, u"image", Text(state == Text(u"hot") ? u"hot" : u"normal") + u"/arrow.png;");
    ASSERT_EQ(SaveSkinFile(skin, asPack ? u"packed/arrows" : u"plain/arrows", asPack), 1);
    FreeSkin(skin);
    for (const char* state : {"normal", "hot"}) std::filesystem::remove_all(folder.Path() / state);
    ASSERT_EQ(SetSkinDirectory((folder.Path() / (asPack ? "packed" : "plain")).u16string()), 1);
    const std::intptr_t back = LoadSkinFile(asPack ? u"arrows.sknz" : u"arrows.skn");
    ASSERT_GT(back, 0);
    std::string loaded;
    for (const char16_t* state : {u"normal", u"hot", u"pressed"})
      loaded += Fakes.imageBytes.at(GetSkinPropertyImage(back, u"c", state, u"image") - 1) + " ";
    EXPECT_EQ(loaded, "normal hot normal ") << asPack;
    FreeSkin(back);
  }
}

// Saved again once "normal/arrow.png" and "hot/arrow.png" are gone, the pack keeps each state's
// picture: a file is taken from the older pack under the name its property was saved as, also
// when the numbers change because another property now names another file.
TEST_F(SkinFilesTest, ASecondSaveAfterTheFilesAreGoneKeepsEveryStatesPicture) {
  for (const char* state : {"normal", "hot"}) {
    std::filesystem::create_directories(folder.Path() / state);
    PutFileBytes(folder.File(std::string(state) + "/arrow.png"), state);
  }
  const SkinHandle skin = CreateSkin(u"Arrows");
  const std::pair<const char16_t*, const char16_t*> images[] = {
      {u"normal", u"normal/arrow.png;"}, {u"hot", u"hot/arrow.png;"}, {u"pressed", u"normal/arrow.png; stretch"}};
  for (const auto& [state, value] : images) SetSkinProperty(skin, u"c", state, u"image", value);
  ASSERT_EQ(SaveSkinFile(skin, u"arrows", true), 1);
  for (const char* state : {"normal", "hot"}) std::filesystem::remove_all(folder.Path() / state);
  const auto pictures = [this]() {
    std::string loaded;
    const std::intptr_t back = LoadSkinFile(u"arrows.sknz");
    EXPECT_GT(back, 0);
    for (const char16_t* state : {u"normal", u"hot", u"pressed"}) {
      const std::uintptr_t image = GetSkinPropertyImage(back, u"c", state, u"image");
      loaded += (image == 0 ? std::string("none") : Fakes.imageBytes.at(image - 1)) + " ";
    }
    FreeSkin(back);
    return loaded;
  };
  ASSERT_EQ(SaveSkinFile(skin, u"arrows", true), 1);
  EXPECT_EQ(pictures(), "normal hot normal ");
  ASSERT_EQ(SaveSkinFile(skin, u"arrows", true), 1);
  EXPECT_EQ(pictures(), "normal hot normal ");
  // "hot/arrow.png" now comes first and is saved as "arrow.png", the old "arrow_2.png".
  PutFileBytes(folder.File("other.png"), "other");
  SetSkinProperty(skin, u"c", u"normal", u"image", u"other.png");
  ASSERT_EQ(SaveSkinFile(skin, u"arrows", true), 1);
  EXPECT_EQ(pictures(), "other hot normal ");
}

// A document without a component is no skin, and leaves none behind.
TEST_F(SkinFilesTest, ADocumentWithoutAComponentIsNoSkin) {
  PutFileBytes(folder.File("empty.skn"), "<skin><name id='Empty'/><author id='Me'/><other/></skin>");
  EXPECT_EQ(LoadSkinFile(u"empty.skn"), 0);
  PutFileBytes(folder.File("bare.skn"), "<skin/>");
  EXPECT_EQ(LoadSkinFile(u"bare.skn"), 0);
  EXPECT_TRUE(SkinList().empty());
  PutFileBytes(folder.File("one.skn"), "<skin><name id='One'/><other/><component id='c'/></skin>");
  const std::intptr_t one = LoadSkinFile(u"one.skn");
  ASSERT_GT(one, 0);
  EXPECT_EQ(GetSkinName(one), u"One");
  EXPECT_EQ(SkinList().size(), 1u);
}

// A pack's name entry is enough for a value to name a file; its empty data entry is refused by
// the image loader alone, so the skin loads with no picture in that property.
TEST_F(SkinFilesTest, APackNameEntryWithEmptyDataNamesAFile) {
  std::string pack;
  for (const std::string& entry : {PackNameEntry(u"e.png"), std::string(), PackNameEntry(u"f.png"), std::string("picture f"),
                                   std::string("<skin><name id='Packed'/><component id='c'><state id='s'>"
                                               "<property id='empty'>e.png</property><property id='full'>f.png</property>"
                                               "</state></component></skin>")})
    ASSERT_TRUE(AppendPackEntry(pack, entry));
  PutFileBytes(folder.File("packed.sknz"), pack);
  const std::intptr_t skin = LoadSkinFile(u"packed");
  ASSERT_GT(skin, 0);
  EXPECT_EQ(GetSkinPropertyImage(skin, u"c", u"s", u"empty"), 0u);
  EXPECT_EQ(Fakes.imageBytes, std::vector<std::string>{"picture f"});
  EXPECT_EQ(GetSkinPropertyImage(skin, u"c", u"s", u"full"), 1u);
  CreateSkin(u"packed");  // its pack is found by its name
  const std::pair<const char16_t*, std::int32_t> resolved[] = {{u"e.png", 1}, {u"f.png", 1}, {u"g.png", -1}, {u"sub/e.png", -1}};
  for (const auto& [value, result] : resolved) EXPECT_EQ(ResolveSkinFilePath(value), result) << TextToUtf8(value);
}

// A file past the bound is found by its size and never read; a pack past the reader's total is
// not written (five pictures of 60 MiB: each fits an entry, together they are too many).
TEST_F(SkinFilesTest, HugeFilesAreNotReadAndPacksPastTheReadersTotalNotWritten) {
  const auto sparse = [this](const std::string& name, std::uintmax_t size) {
    PutFileBytes(folder.File(name), "x");
    std::filesystem::resize_file(folder.Path() / name, size);
  };
  sparse("huge.png", (64u << 20) + 1);
  const SkinHandle skin = CreateSkin(u"Big");
  EXPECT_EQ(ResolveSkinFilePath(u"huge.png"), 1);
  EXPECT_EQ(SetSkinProperty(skin, u"c", u"s", u"p", u"huge.png"), 0);
  EXPECT_TRUE(Fakes.imageBytes.empty());
  for (const char* name : {"b1.bin", "b2.bin", "b3.bin", "b4.bin", "b5.bin"}) {
    SetSkinProperty(skin, u"c", u"s", Utf8ToText(name), Utf8ToText(name));  // no file yet: the text is kept
    sparse(name, 60u << 20);
  }
  EXPECT_EQ(SaveSkinFile(skin, u"big", true), 0);
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "big.sknz"));
}

TEST_F(SkinFilesTest, ValuesThatNameFiles) {
  PutFileBytes(folder.File("tile.png"), "t");
  const std::pair<const char16_t*, std::int32_t> cases[] = {
      {u"tile.png; stretch", 1}, {u"gone.png", -1}, {u"255", 0}, {u"1.5", 0},
      {u"gradient: #d6e8ff, #d6e8ff, 0.5, #e2eeff;", 0}, {u"rgba(0,0,0,0.5);", 0}};
  CreateSkin(u"s");
  for (const auto& [value, resolved] : cases) EXPECT_EQ(ResolveSkinFilePath(value), resolved) << TextToUtf8(value);
}

TEST(PanelExRules, TextAlphaUnderGdiText) {
  // {target, source alpha, blue, last before, alpha, last after}
  const std::uint8_t cases[][6] = {
      {0, 0, 200, 0, 143, 0},        // text over a transparent background: coverage * 255 / 355
      {0, 0, 255, 0, 183, 0},
      {255, 0, 255, 255, 255, 255},  // on an opaque background the alpha stays
      {255, 255, 0, 0, 255, 255},    // an untouched pixel takes the background's alpha along
      {128, 0, 100, 128, 177, 128},  // (155 * 128 + 100 * 255) / 255
      {40, 255, 0, 200, 40, 40},
  };
  for (const auto& c : cases) {
    std::uint8_t last = c[3];
    EXPECT_EQ(RepairedTextAlpha(c[0], c[1], c[2], last), c[4]) << int(c[0]) << "/" << int(c[2]);
    EXPECT_EQ(last, c[5]);
  }
}

TEST(PanelExRules, ScrollBarComesAndGoesWithTheContent) {
  using enum ScrollBarChange;
  // Against a panel 400 wide, a crossing bar 16 wide.
  const struct { std::int32_t Content; bool OtherShown, Shown, Never; ScrollBarChange Change; } cases[] = {
      {500, false, false, false, Show},  // wider
      {400, false, false, false, Show},  // exactly as wide
      {399, false, false, false, None}, {300, false, true, false, Hide},  // narrower: hidden (and scrolled back)
      {390, true, false, false, Show},  {383, true, true, false, Hide},   // the crossing bar takes 16 pixels
      {900, false, false, true, None},   // "no horizontal" never shows it
      {500, false, true, false, None},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DecideScrollBar(c.Content, 400, c.OtherShown, 16, c.Shown, c.Never), c.Change) << c.Content;
  EXPECT_EQ(std::pair(ScrollBarPageSize(400, false, 16), ScrollBarPageSize(400, true, 16)), std::pair(400, 384));
}

TEST(PanelExRules, BarsAndSizeBoxShareTheEdges) {
  using Box = std::array<int, 4>;
  auto box = [](const auto& r) { return Box{r.X, r.Y, r.Width, r.Height}; };
  const ScrollPartsLayout vertical = LayoutScrollParts(400, 300, 16, 17, false, true), both = LayoutScrollParts(400, 300, 16, 17, true, true);
  EXPECT_EQ(box(vertical.Vertical), (Box{384, 0, 16, 300}));  // the whole right edge
  EXPECT_EQ(std::pair(vertical.SizeBoxShown, both.SizeBoxShown), std::pair(false, true));
  EXPECT_EQ(box(both.Horizontal), (Box{0, 283, 384, 17}));
  EXPECT_EQ(box(both.Vertical), (Box{384, 0, 16, 283}));
  EXPECT_EQ(box(both.SizeBox), (Box{384, 283, 16, 17}));
}
