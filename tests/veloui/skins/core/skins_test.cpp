#include <gtest/gtest.h>

#include <array>
#include <filesystem>
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
    services.MakeImage = [](std::string_view bytes, int, int) -> std::uintptr_t {
      Fakes.imageBytes.emplace_back(bytes);
      return Fakes.imageBytes.size();
    };
    services.FreeImage = [](std::uintptr_t image) { Fakes.freedImages.push_back(image); };
    services.CreateGradient = AddGradientRecord;
    services.LoadFont = [](const Text&, int, std::uint32_t style) -> std::uintptr_t {
      Fakes.fontStyles.push_back(style);
      return 0x1000 + Fakes.fontStyles.size();
    };
    services.FreeFont = [](std::uintptr_t) {};
    services.Broadcast = [](SkinHandle) -> std::int32_t { return ++Fakes.broadcasts; };
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
  ASSERT_EQ(SetSkinProperty(skin, u"c", u"s", u"p", u"gradient: vertical, #ffffff, #000000, 0.5, #ff0000;"), 1);
  const GradientRecord* gradient = FindGradient(GetSkinPropertyImage(skin, u"c", u"s", u"p"));
  ASSERT_NE(gradient, nullptr);
  EXPECT_EQ(std::tuple(gradient->Kind, gradient->StartColour, gradient->EndColour),
            std::tuple(1u, 0xFFFFFFFFu, 0xFF000000u));
  ASSERT_EQ(gradient->Stops.size(), 1u);
  EXPECT_EQ(std::pair(gradient->Stops[0].Position, gradient->Stops[0].Colour), std::pair(0.5f, 0xFFFF0000u));
  EXPECT_EQ(GetSkinFunctionArgument(skin, u"c", u"s", u"p", u"gradient", 2), u"16777215");
  EXPECT_EQ(GetSkinFunctionArgumentCount(skin, u"c", u"s", u"p", u"gradient"), 5);
  SetSkinProperty(skin, u"c", u"s", u"p", u"white;");  // a new value frees the gradient the property held
  EXPECT_TRUE(GradientList().empty());
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
  EXPECT_EQ(SetSkinProperty(skin + 1, u"c", u"s", u"p", u"1;"), 0);
  EXPECT_EQ(FindSkin(u"S"), skin);
  EXPECT_EQ(FreeSkin(skin), 1);
  EXPECT_EQ(IsSkin(skin), 0);
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

using SkinFilesTest = SkinsTest;

// A stray top-level element is ignored and the skin returned whole.
TEST_F(SkinFilesTest, PropertyTextOverLinesWithTabsReadsAsOneLine) {
  PutFileBytes(folder.File("lines.skn"),
               "<SKIN><name id='Lines'/><Bogus/><component id='ButtonEx'><STATE id='Hot'>"
               "<Property id='Text'>\r\n\tfont: Segoe UI, 8,\r\n\t\tbold;  \n</Property></STATE></component></SKIN>");
  const std::intptr_t skin = LoadSkinFile(u"lines.skn");
  ASSERT_GT(skin, 0);
  EXPECT_EQ(GetSkinName(skin), u"Lines");
  EXPECT_EQ(GetSkinProperty(skin, u"buttonex", u"hot", u"text", u"font"), u"segoe ui, 8,bold");
}

// A failed save leaves no partial output; a plain save copies the images beside the document.
TEST_F(SkinFilesTest, FailedSaveLeavesNothingAndAPlainSaveCopiesImagesAndLoadsBack) {
  const SkinHandle skin = MakeImageSkin();
  std::filesystem::create_directories(folder.Path() / "bad" / "glass.skn");  // the document cannot be written
  EXPECT_EQ(SaveSkinFile(skin, u"bad/glass.skn", false), 0);
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "bad" / "a.png"));
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "bad" / "b.png"));
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

TEST_F(SkinFilesTest, ImageHandleWithTheTopBitSetIsNoFailure) {
  Skins().Services.MakeImage = [](std::string_view, int, int) -> std::uintptr_t { return UINTPTR_MAX - 1; };
  PutFileBytes(folder.File("a.png"), "a");
  PutSkin("top.skn", "a.png");
  const std::intptr_t skin = LoadSkinFile(u"top.skn");
  ASSERT_GT(skin, 0);
  EXPECT_EQ(GetSkinPropertyImage(skin, u"c", u"s", u"p"), UINTPTR_MAX - 1);
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
  std::filesystem::remove(folder.Path() / "a.png");
  std::filesystem::remove(folder.Path() / "b.png");
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
}

TEST_F(SkinFilesTest, DamagedPacksAndMissingImagesLoadNothing) {
  std::string good;
  AppendPackEntry(good, std::string(200, 'x'));
  std::string wrongSize = good;
  wrongSize[0] = 100;  // unpacked size no longer what the stream inflates to
  std::string oversized = good;
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
  EXPECT_EQ(ScrollBarPageSize(400, false, 16), 400);
  EXPECT_EQ(ScrollBarPageSize(400, true, 16), 384);
}

TEST(PanelExRules, BarsAndSizeBoxShareTheEdges) {
  using Box = std::array<int, 4>;
  auto box = [](const auto& r) { return Box{r.X, r.Y, r.Width, r.Height}; };
  const ScrollPartsLayout vertical = LayoutScrollParts(400, 300, 16, 17, false, true);
  EXPECT_EQ(box(vertical.Vertical), (Box{384, 0, 16, 300}));  // the whole right edge
  EXPECT_FALSE(vertical.SizeBoxShown);
  const ScrollPartsLayout both = LayoutScrollParts(400, 300, 16, 17, true, true);
  EXPECT_EQ(box(both.Horizontal), (Box{0, 283, 384, 17}));
  EXPECT_EQ(box(both.Vertical), (Box{384, 0, 16, 283}));
  EXPECT_TRUE(both.SizeBoxShown);
  EXPECT_EQ(box(both.SizeBox), (Box{384, 283, 16, 17}));
}
