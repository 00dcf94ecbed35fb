#include <filesystem>

#include "runtime/portable/pack.h"
#include "veloui/skins/core/skin_files.h"
#include "veloui/skins/core/skin_images.h"
#include "veloui/skins/core/skin_properties.h"
#include "skins_fixture.h"

namespace {

class SkinFilesTest : public SkinsTest {
 protected:
  void SetUp() override {
    SkinsTest::SetUp();
    ASSERT_EQ(SetSkinDirectory(folder.Path().u16string()), 1);
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
};

}  // namespace

TEST_F(SkinFilesTest, PropertyTextOverLinesWithTabsReadsAsOneLine) {
  PutFileBytes(folder.File("lines.skn"),
               "<SKIN><name id='Lines'/><Bogus/><component id='ButtonEx'><STATE id='Hot'>"
               "<Property id='Text'>\r\n\tfont: Segoe UI, 8,\r\n\t\tbold;  \n</Property></STATE></component></SKIN>");
  const std::intptr_t skin = LoadSkinFile(u"lines.skn");
  ASSERT_GT(skin, 0);
  EXPECT_EQ(GetSkinName(skin), u"Lines");
  EXPECT_EQ(GetSkinProperty(skin, u"buttonex", u"hot", u"text", u"font"), u"segoe ui, 8,bold");
}

TEST_F(SkinFilesTest, PlainSaveCopiesImagesAndLoadsBack) {
  const SkinHandle skin = MakeImageSkin();
  SkinList().front().Author = u"Me & <you>";
  ASSERT_EQ(SaveSkinFile(skin, u"out/glass.skn", false), 1);
  EXPECT_EQ(FileBytes(folder.File("out/b.png")), std::string(300, 'b'));
  FreeSkin(skin);
  ASSERT_EQ(SetSkinDirectory((folder.Path() / "out").u16string()), 1);
  const std::intptr_t back = LoadSkinFile(u"glass.skn");
  ASSERT_GT(back, 0);
  EXPECT_EQ(SkinList().front().Author, u"Me & <you>");
  EXPECT_EQ(GetSkinProperty(back, u"buttonex", u"hot", u"text padding", u"left"), u"6");
  EXPECT_EQ(Fakes().imageBytes.back(), std::string(300, 'b'));
}

TEST_F(SkinFilesTest, FailedSaveLeavesNoPartialOutput) {
  const SkinHandle skin = MakeImageSkin();
  std::filesystem::create_directories(folder.Path() / "out" / "glass.skn");  // the document cannot be written
  EXPECT_EQ(SaveSkinFile(skin, u"out/glass.skn", false), 0);
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "out" / "a.png"));
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "out" / "b.png"));
}

TEST_F(SkinFilesTest, ImageHandleWithTheTopBitSetIsNoFailure) {
  Skins().Services.MakeImage = [](std::string_view, int, int) -> std::uintptr_t { return UINTPTR_MAX - 1; };
  PutFileBytes(folder.File("a.png"), "a");
  PutFileBytes(folder.File("top.skn"),
               "<skin><name id='T'/><component id='c'><state id='s'><property id='p'>a.png</property>"
               "</state></component></skin>");
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
  Fakes().imageBytes.clear();
  const std::intptr_t back = LoadSkinFile(u"glass.sknz");
  ASSERT_GT(back, 0);
  EXPECT_EQ(Fakes().imageBytes, (std::vector<std::string>{"picture a", std::string(300, 'b')}));
  EXPECT_EQ(GetSkinProperty(back, u"buttonex", u"hot", u"background"), u"b.png");

  // Resaved while its files are gone, the pack keeps them.
  ASSERT_EQ(SaveSkinFile(back, u"glass", true), 1);
  EXPECT_EQ(PackEntries("glass.sknz"), entries);
  FreeSkin(back);
  EXPECT_EQ(Fakes().freedImages.size(), 4u);  // two for each of the two skins
}

TEST_F(SkinFilesTest, DamagedPacksAndMissingImagesLoadNothing) {
  std::string good;
  AppendPackEntry(good, std::string(200, 'x'));
  std::string wrongSize = good;
  wrongSize[0] = 100;  // unpacked size no longer what the stream inflates to
  std::string oversized = good;
  oversized[3] = 0x7F;
  const std::string cases[] = {good.substr(0, good.size() - 1), good.substr(0, 6), wrongSize, oversized};
  for (const std::string& pack : cases) {
    PutFileBytes(folder.File("bad.sknz"), pack);
    EXPECT_EQ(LoadSkinFile(u"bad"), 0);
  }
  PutFileBytes(folder.File("missing.skn"),
               "<skin><name id='M'/><component id='c'><state id='s'><property id='p'>gone.png;</property>"
               "</state></component></skin>");
  EXPECT_EQ(LoadSkinFile(u"missing.skn"), -2);
  PutFileBytes(folder.File("foreign.skn"), "<skin><component id='c'><thing/></component></skin>");
  EXPECT_EQ(LoadSkinFile(u"foreign.skn"), -1);
  EXPECT_TRUE(SkinList().empty());
}

TEST_F(SkinFilesTest, ValuesThatNameFiles) {
  PutFileBytes(folder.File("tile.png"), "t");
  const struct {
    const char16_t* value;
    std::int32_t resolved;
  } cases[] = {{u"tile.png; stretch", 1}, {u"gone.png", -1}, {u"255", 0}, {u"1.5", 0},
               {u"gradient: #d6e8ff, #d6e8ff, 0.5, #e2eeff;", 0}, {u"rgba(0,0,0,0.5);", 0}};
  CreateSkin(u"s");
  for (const auto& c : cases) EXPECT_EQ(ResolveSkinFilePath(c.value), c.resolved) << TextToUtf8(c.value);
}
