#include "veloui/foundation/core/ui_colour.h"

#include <gtest/gtest.h>

#include <vector>

#include "veloui/foundation/core/toolkit_facts.h"
#include "veloui/foundation/core/toolkit_registry.h"

namespace {
// A COLORREF from its channels, red in the low byte.
constexpr std::uint32_t RgbWord(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
  return red | green << 8 | blue << 16;
}

class UIColourTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetToolkitGlobalLists();
    ResetUIColourState();
    SystemFacts = ToolkitFacts{};
    SetSolidBrushOps({});
    InitColourTables();
  }
  void TearDown() override { SetSolidBrushOps({}); }

  static void UseTheme(std::uint32_t caption) {
    UIColours.ThemeScrollbarData = 0x1234;
    UIColours.ThemeCaptionColour = caption;
  }
};

// Exact colour words per mode, style and id; the Office 2003 grey column is what the program shows.
TEST_F(UIColourTest, ColourWordsPerModeStyleAndId) {
  namespace C = UIColour;
  struct Case {
    std::int32_t Mode, Style, Id, Form;
    std::uint32_t Word;
  };
  const Case cases[] = {
      {UICOLOURMODE_DEFAULT_GREY, UISTYLE_OFFICE2003, C::menutitleinactivetextcolor, kUIColourStored, 0x006A240Au},
      {UICOLOURMODE_DEFAULT_GREY, UISTYLE_OFFICE2003_SHORT, C::menutitleinactivetextcolor, kUIColourStored, 0x006A240Au},
      {UICOLOURMODE_DEFAULT_GREY, UISTYLE_OFFICE2003, C::menudropshadow, kUIColourStored, 0x7D666666u},
      {UICOLOURMODE_DEFAULT_GREY, UISTYLE_OFFICE2003, C::rebarbackground1, kUIColourColorref, 0x00C8D0D4u},
      {UICOLOURMODE_DEFAULT_GREY, UISTYLE_OFFICE2003, C::toolstripshadow, kUIColourStored, 0xFFDBD8D1u},
      {UICOLOURMODE_DEFAULT_GREY, UISTYLE_OFFICE2003, C::background, kUIColourStored, 0x00F7F8F9u},
      {UICOLOURMODE_DEFAULT_BLUE, UISTYLE_OFFICE2003, C::menutitleinactivetextcolor, kUIColourStored, 0x00800000u},
      {UICOLOURMODE_DEFAULT_BLUE, UISTYLE_OFFICE2003, C::menuhotgradientcolor1, kUIColourColorref, 0x00CCF4FFu},
      {UICOLOURMODE_DEFAULT_BLUE, UISTYLE_OFFICE2003, C::menuhotgradientcolor1, kUIColourStored, 0xFFFFF4CCu},
      {UICOLOURMODE_DEFAULT_BLUE, UISTYLE_OFFICE2003, C::toolstripdropdowngradient4, kUIColourStored, 0xFF003591u},
      {UICOLOURMODE_DEFAULT_OLIVE, UISTYLE_OFFICE2003, C::menuheldborder, kUIColourStored, 0x005E8D75u},
      {UICOLOURMODE_DEFAULT_SILVER, UISTYLE_OFFICE2003, C::menuheldborder, kUIColourStored, 0x00947C7Cu},
      {UICOLOURMODE_DEFAULT_SILVER, UISTYLE_OFFICE2007, C::toolbarbuttonhottextcolor, kUIColourStored, 0x000000FFu},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(StoreUIColourMode(c.Mode), 1);
    EXPECT_EQ(GetUIColour(c.Style, c.Id, c.Form), c.Word) << c.Mode << " " << c.Style << " " << c.Id;
  }
  StoreUIColourMode(UICOLOURMODE_DEFAULT_BLUE);
  // Ids the Office tables leave empty.
  for (std::int32_t id : {5, 9, 13, 18, 56}) EXPECT_EQ(GetUIColour(UISTYLE_OFFICE2003, id, kUIColourStored), 0u) << id;
}

TEST_F(UIColourTest, NegativeIdAnswersTheScheme) {
  StoreUIColourMode(UICOLOURMODE_DEFAULT_GREY);
  EXPECT_EQ(GetUIColour(UISTYLE_OFFICE2003, -1, 0), 9u);
  StoreUIColourMode(UICOLOURMODE_DEFAULT);
  EXPECT_EQ(GetUIColour(UISTYLE_OFFICE2003, -1, 0), 9u);  // no visual style
  UseTheme(0x00E35400);                                    // red 0, green 84, blue 227
  EXPECT_EQ(GetUIColour(UISTYLE_OFFICE2003, -1, 0), 6u);
  EXPECT_EQ(GetUIColour(UISTYLE_OFFICE2007, -5, 0), 6u);
  EXPECT_EQ(GetUIColour(UISTYLE_WHIDBEY, -1, 0), 0u);
  EXPECT_EQ(GetUIColour(12345, -1, 0), 0u);
  EXPECT_EQ(GetModeColour(UISTYLE_WHIDBEY, -1), 6u);
  EXPECT_EQ(GetModeColour(UISTYLE_OFFICE2003, -1), 0u);
}

TEST_F(UIColourTest, OutOfRangeArgumentsGiveZeroOrAreRefused) {
  StoreUIColourMode(UICOLOURMODE_DEFAULT_BLUE);
  EXPECT_EQ(GetUIColour(UISTYLE_OFFICE2003, 57, kUIColourStored), 0u);
  EXPECT_EQ(GetUIColour(UISTYLE_OFFICE2003, 100000, 0), 0u);
  EXPECT_EQ(GetModeColour(UISTYLE_WHIDBEY, 57), 0u);
  EXPECT_EQ(StoreUIColourMode(10), 0);
  EXPECT_EQ(StoreUIColourMode(-1), 0);
  EXPECT_EQ(GetUIColourMode(), UICOLOURMODE_DEFAULT_BLUE);
  EXPECT_EQ(StoreUIColour(UISTYLE_OFFICE2003, 56, 1, 6), 0);
  EXPECT_EQ(StoreUIColour(UISTYLE_OFFICE2003, -1, 1, 6), 0);
  EXPECT_EQ(StoreUIColour(UISTYLE_OFFICE2003, 3, 1, 10), 0);
  EXPECT_EQ(StoreUIColour(UISTYLE_OFFICE2003, 3, 1, -1), 0);
  EXPECT_EQ(StoreUIColour(UISTYLE_OFFICE2003_SHORT, 3, 1, 6), 0);
  EXPECT_EQ(StoreUIColour(77, 3, 1, 6), 0);
  EXPECT_EQ(UIColours.Office2003[3].CustomBlue, 0x00800000u);
}

TEST_F(UIColourTest, CaptionColourClassification) {
  EXPECT_EQ(ClassifyCaptionColour(RgbWord(200, 200, 200)), ColourSchemeSilver);
  EXPECT_EQ(ClassifyCaptionColour(RgbWord(199, 199, 255)), ColourSchemeBlue);
  EXPECT_EQ(ClassifyCaptionColour(RgbWord(255, 255, 0)), ColourSchemeOlive);
  EXPECT_EQ(ClassifyCaptionColour(RgbWord(255, 0, 0)), ColourSchemeGrey);
  EXPECT_EQ(ClassifyCaptionColour(RgbWord(199, 200, 200)), ColourSchemeGrey);
  // The caption colour of the visual style that the test system runs with.
  EXPECT_EQ(ClassifyCaptionColour(0x00FA9632), ColourSchemeBlue);
}

TEST_F(UIColourTest, ThemeSchemePicksDefaultOrCustomColumn) {
  UseTheme(RgbWord(255, 255, 0));  // olive
  StoreUIColourMode(UICOLOURMODE_DEFAULT);
  EXPECT_EQ(GetUIColour(UISTYLE_OFFICE2003, UIColour::menuhotborder, kUIColourStored), 0x00385D3Fu);
  ASSERT_EQ(StoreUIColour(UISTYLE_OFFICE2003, UIColour::menuhotborder, 0x00112233, UICOLOURMODE_CUSTOM_OLIVE), 1);
  EXPECT_EQ(GetUIColour(UISTYLE_OFFICE2003, UIColour::menuhotborder, kUIColourStored), 0x00385D3Fu);
  StoreUIColourMode(UICOLOURMODE_CUSTOM);
  EXPECT_EQ(GetUIColour(UISTYLE_OFFICE2003, UIColour::menuhotborder, kUIColourStored), 0x00112233u);
  EXPECT_EQ(GetEffectiveColourMode(), 7);
  StoreUIColourMode(UICOLOURMODE_DEFAULT);
  EXPECT_EQ(GetEffectiveColourMode(), 2);
}

TEST_F(UIColourTest, WhidbeyLookupGivesWordsForTextIdsAndBrushesOtherwise) {
  static std::vector<std::uint32_t> made;
  made.clear();
  SetSolidBrushOps({[](std::uint32_t colour) { made.push_back(colour); return static_cast<std::uint32_t>(made.size() + 100); },
                    [](std::uint32_t) {}});
  StoreUIColourMode(UICOLOURMODE_DEFAULT_GREY);
  EXPECT_EQ(GetModeColour(UISTYLE_WHIDBEY, UIColour::menutitleinactivetextcolor), 0x00808080u);
  EXPECT_EQ(GetModeColour(UISTYLE_WHIDBEY, UIColour::menudropshadow), 0x32000000u);
  EXPECT_TRUE(made.empty());
  EXPECT_EQ(GetModeColour(UISTYLE_WHIDBEY, UIColour::background), 101u);
  ASSERT_EQ(made.size(), 1u);
  EXPECT_EQ(made[0], 0x00F8F9F9u);
  EXPECT_EQ(GetModeColour(UISTYLE_OFFICE2003, UIColour::background), 0u);
}

TEST_F(UIColourTest, BrushCacheRenewsOnlyWhenTheColourChanges) {
  static std::vector<std::uint32_t> deleted;
  static std::uint32_t next;
  deleted.clear();
  next = 500;
  SetSolidBrushOps({[](std::uint32_t) { return ++next; }, [](std::uint32_t brush) { deleted.push_back(brush); }});
  StoreUIColourMode(UICOLOURMODE_DEFAULT_BLUE);
  const auto first = GetUIColour(UISTYLE_OFFICE2003, UIColour::separatorbar, kUIColourBrush);
  EXPECT_EQ(GetUIColour(UISTYLE_OFFICE2003, UIColour::separatorbar, kUIColourBrush), first);
  EXPECT_EQ(UIColours.ColourBrushCache[UIColour::separatorbar].Colour, 0x00CB8C6Au);
  EXPECT_TRUE(deleted.empty());
  StoreUIColourMode(UICOLOURMODE_DEFAULT_SILVER);
  const auto second = GetUIColour(UISTYLE_OFFICE2003, UIColour::separatorbar, kUIColourBrush);
  EXPECT_NE(second, first);
  EXPECT_EQ(deleted, std::vector<std::uint32_t>{first});
  // The same cache serves both lookups: Whidbey with the same id and another colour renews it.
  const auto whidbey = GetModeColour(UISTYLE_WHIDBEY, UIColour::separatorbar);
  EXPECT_NE(whidbey, second);
  EXPECT_EQ(deleted.back(), second);
}

TEST_F(UIColourTest, StoreUIColourPacksArgbExceptForPlainIds) {
  StoreUIColourMode(UICOLOURMODE_DEFAULT_BLUE);
  ASSERT_EQ(StoreUIColour(UISTYLE_OFFICE2003, UIColour::menuhotgradientcolor1, 0x00332211, UICOLOURMODE_DEFAULT_BLUE), 1);
  EXPECT_EQ(UIColours.Office2003[UIColour::menuhotgradientcolor1].CustomBlue, 0xFF112233u);
  EXPECT_EQ(UIColours.Office2003[UIColour::menuhotgradientcolor1].DefaultBlue, 0xFFFFF4CCu);
  ASSERT_EQ(StoreUIColour(UISTYLE_OFFICE2007, UIColour::menuhotborder, 0x00332211, UICOLOURMODE_CUSTOM_GREY), 1);
  EXPECT_EQ(UIColours.Office2007[UIColour::menuhotborder].CustomGrey, 0x00332211u);
  ASSERT_EQ(StoreUIColour(UISTYLE_WHIDBEY, UIColour::background, 0x00010203, UICOLOURMODE_DEFAULT_SILVER), 1);
  EXPECT_EQ(UIColours.Whidbey[UIColour::background].CustomSilver, 0x00010203u);
}

TEST_F(UIColourTest, StoreUIColourModeFiveTakesTheCurrentScheme) {
  UseTheme(RgbWord(250, 250, 250));  // silver
  StoreUIColourMode(UICOLOURMODE_DEFAULT);
  ASSERT_EQ(StoreUIColour(UISTYLE_OFFICE2003, UIColour::separatorbar, 0x000A0B0C, UICOLOURMODE_CUSTOM), 1);
  EXPECT_EQ(UIColours.Office2003[UIColour::separatorbar].CustomSilver, 0x000A0B0Cu);
  EXPECT_EQ(UIColours.Office2003[UIColour::separatorbar].CustomBlue, 0x00CB8C6Au);
}

TEST_F(UIColourTest, ThemeColourNameFollowsCaptionBeforeCodeSeventy) {
  SystemFacts.OsVersionCode = 60;
  DetectThemeColourName(RgbWord(255, 255, 0));
  EXPECT_EQ(GetThemeColourName(), u"olive");
  DetectThemeColourName(RgbWord(210, 220, 230));
  EXPECT_EQ(GetThemeColourName(), u"silver");
  SystemFacts.OsVersionCode = 70;
  DetectThemeColourName(RgbWord(255, 255, 0));
  EXPECT_EQ(GetThemeColourName(), u"blue");
  EXPECT_EQ(GetColourModeName(), u"blue");
  StoreColourModeName(u"  GREY ");
  EXPECT_EQ(GetColourModeName(), u"grey");
}
}  // namespace

namespace {

// The menu records' short value 6 is an Office look too (the toolbar hot-state copy of this
// test once left it out).
TEST(UIStyle, OfficeStylesAreBothOffice2003ValuesAndOffice2007) {
  for (const std::uint32_t style : {UISTYLE_OFFICE2003, UISTYLE_OFFICE2003_SHORT, UISTYLE_OFFICE2007}) {
    EXPECT_TRUE(IsOfficeStyle(style)) << style;
  }
  for (const std::uint32_t style : {0u, 4u, UISTYLE_WHIDBEY, 7u, 0x4000000u}) EXPECT_FALSE(IsOfficeStyle(style)) << style;
}

}  // namespace
