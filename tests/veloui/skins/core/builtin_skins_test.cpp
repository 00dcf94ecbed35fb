#include "runtime/portable/text_ops.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/skins/core/builtin_skin_tables.h"
#include "veloui/skins/core/skin_properties.h"
#include "skins_fixture.h"

namespace {

int PicturesMadeOutsideABuild = 0;
std::uintptr_t NextPicture = 0x5000;

std::uintptr_t FakePicture(const SkinPicture& picture) {
  if (!Skins().SkinBuildInProgress) ++PicturesMadeOutsideABuild;
  return picture.Kind == SkinPictureKind::Embedded ? 0x100 + picture.Detail : ++NextPicture;
}

constexpr const char16_t* kNames[] = {
    u"imagebuttonskin", u"sysbuttonskin", u"systogglebuttonskin", u"sysstickybuttonskin", u"sysradiobuttonskin",
    u"syscheckbuttonskin", u"sysxbarskin", u"office2007xbarskin", u"syssplitterskin", u"syssplitter2skin",
    u"office2007splitterskin"};

}  // namespace

using BuiltInSkinsTest = SkinsTest;

TEST_F(BuiltInSkinsTest, AllElevenBuildOnceWithoutBroadcast) {
  for (const char16_t* name : kNames) {
    BuildBuiltInSkinWith(Text(name), FakePicture);
    ASSERT_NE(FindSkin(name), 0u) << TextToUtf8(name);
    EXPECT_EQ(SelectSkinRecord(FindSkin(name), 1), 1);  // in use: later builds must still not broadcast
  }
  EXPECT_EQ(SkinList().size(), 11u);
  BuildBuiltInSkinWith(u"SysButtonSkin", FakePicture);
  BuildBuiltInSkinWith(u"noskin", FakePicture);
  EXPECT_EQ(SkinList().size(), 11u);
  EXPECT_EQ(Fakes().broadcasts, 0);
  EXPECT_EQ(PicturesMadeOutsideABuild, 0);
  EXPECT_FALSE(Skins().SkinBuildInProgress);
  EXPECT_EQ(GetSkinName(FindSkin(u"OFFICE2007XBARSKIN")), u"office2007XBarSkin");
}

TEST_F(BuiltInSkinsTest, ValuesOfTheOfficeSkinsAndPictureOwnership) {
  BuildBuiltInSkinWith(u"office2007xbarskin", FakePicture);
  BuildBuiltInSkinWith(u"syscheckbuttonskin", FakePicture);
  BuildBuiltInSkinWith(u"office2007splitterskin", FakePicture);
  const SkinHandle xbar = FindSkin(u"office2007xbarskin");
  const Text header = u"explorerbar group header";
  StoreColourModeName(u"silver");
  EXPECT_EQ(GetSkinPropertyColour(xbar, header, u"normal", u"text", u"colour"), 0x008B4215u);
  StoreColourModeName(u"grey");
  EXPECT_EQ(GetSkinPropertyColour(xbar, header, u"normal", u"text", u"colour"), 0u);
  // The check glyphs are drawn for the skin and go with it; embedded pictures stay.
  const SkinHandle check = FindSkin(u"syscheckbuttonskin");
  EXPECT_NE(GetSkinPropertyImage(check, u"checkbuttonex", u"inbetween hot", u"background"), 0u);
  FreeSkin(check);
  EXPECT_EQ(Fakes().freedImages.size(), 10u);
  FreeSkin(xbar);
  EXPECT_EQ(Fakes().freedImages.size(), 10u);
}
