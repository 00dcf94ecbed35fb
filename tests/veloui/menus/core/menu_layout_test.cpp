#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "veloui/menus/core/bar_drawing_rules.h"
#include "veloui/menus/core/drop_shadow_pieces.h"
#include "veloui/menus/core/menu_measure.h"
#include "veloui/menus/core/menu_shadow_geometry.h"
#include "veloui/menus/core/popup_placement.h"
#include "veloui/menus/core/rebar_background_rules.h"
#include "veloui/menus/core/size_limits.h"

namespace {

// Every character 6 pixels wide (5 for plain items); a label holding "\b" is 16 high, anything else 13 high.
MenuTextMeasurer FixedMeasurer(std::vector<Text>* seen = nullptr) {
  MenuTextMeasurer measure;
  measure.Coded = [seen](TextView text) {
    if (seen != nullptr) seen->emplace_back(text);
    return TextExtent{static_cast<int>(text.size()) * 6, text.find(u"\\b") != TextView::npos ? 16 : 13};
  };
  measure.Plain = [](TextView text) { return TextExtent{static_cast<int>(text.size()) * 5, 13}; };
  return measure;
}

// Check marks 13 wide, SM_CXMENUSIZE 18, spacers 7 and arrows 19 high.
MenuMetrics Metrics(int pointSize = 9) { return {13, 18, pointSize, 7, 19}; }

MenuItemShape Item(const char16_t* text, int image = 16, int kind = 0) { return {text, true, kind, image, image}; }

constexpr std::int32_t kShort = UISTYLE_OFFICE2003_SHORT;

TEST(MenuMeasure, ItemHeightsByTextImageStyleAndKind) {
  const MenuTextMeasurer measure = FixedMeasurer();
  const struct { MenuItemShape Item; std::int32_t Style; int Height; } cases[] = {
      {Item(u"\\bDonate..."), kShort, 23},  // text 16 high with 16-pixel images: 16 + 4, then + 3
      {Item(u"Quit"), kShort, 23},          // text 13 high: the image decides
      {Item(u"Quit", 0), kShort, 20},       {Item(u"Quit", 32), kShort, 39},
      {Item(u""), kShort, 2},  {Item(u""), UISTYLE_WHIDBEY, 2}, {Item(u""), UISTYLE_OFFICE2007, 2}, {Item(u""), 4, 7},
      // The special rows of a scrollable copy.
      {Item(u"", 16, kMenuItemSpacer), kShort, 7}, {Item(u"", 16, kMenuItemBottomArrow), kShort, 19},
      {Item(u"", 16, kMenuItemTopArrow), kShort, 19},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MenuItemHeight(c.Item, c.Style, measure, Metrics()), c.Height) << TextToUtf8(c.Item.ItemText) << c.Style;
  const int gaps[][2] = {{9, 6}, {8, 6}, {10, 10}, {11, 12}, {16, 20}};  // small fonts take two off
  for (const auto& gap : gaps) EXPECT_EQ(MenuImageGap(gap[0]), gap[1]) << gap[0];
}

TEST(MenuMeasure, ItemWidthMeasuresLabelAndShortcutApart) {
  std::vector<Text> seen;
  const MenuTextMeasurer measure = FixedMeasurer(&seen);
  // "Copy" 24 + "Ctrl+K" 36 + 2 x 16 + gap 6 + check 13.
  EXPECT_EQ(MenuItemWidth(Item(u"Copy$Ctrl+K"), measure, Metrics()), 111);
  EXPECT_EQ(seen, (std::vector<Text>{u"Copy", u"Ctrl+K"}));
  // "Refresh\tF5" is 10 units: 60 + 0 images + gap 10 + check 13.
  EXPECT_EQ(MenuItemWidth(Item(u"Refresh\tF5", 0), measure, Metrics(10)), 83);
  // "Save$$" is drawn "Save$": 30 + 32 + 6 + 13.
  EXPECT_EQ(MenuItemWidth(Item(u"Save$$"), measure, Metrics()), 81);
}

TEST(MenuMeasure, PopupSizesAndTitleButtons) {
  const MenuTextMeasurer measure = FixedMeasurer();
  std::vector<MenuItemShape> items = {Item(u"Connect"), Item(u"Quick Connect"), Item(u""), Item(u"Quit")};
  // 23 + 23 + 2 + 23 with the Office 2003 frame of 3; styles below Whidbey: 7-pixel separators, frame 6.
  EXPECT_EQ(PopupMenuHeight(items, kShort, measure, Metrics()), 74);
  EXPECT_EQ(PopupMenuHeight(items, UISTYLE_WHIDBEY, measure, Metrics()), 76);
  EXPECT_EQ(PopupMenuHeight(items, 1, measure, Metrics()), 23 * 3 + 7 + 6);
  items[1].OwnerDrawn = false;  // only owner-drawn items are counted
  EXPECT_EQ(PopupMenuHeight(items, kShort, measure, Metrics()), 51);
  EXPECT_EQ(PopupMenuHeight({}, kShort, measure, Metrics()), 3);
  // "Reload Ban-List" 90 + 32 + 6 + 13 = 141; + SM_CXMENUSIZE 18 and the style's adjustment.
  const std::vector<MenuItemShape> wide = {Item(u"Lock"), Item(u"Reload Ban-List"), Item(u"")};
  const int widths[][2] = {{kShort, 157}, {UISTYLE_OFFICE2003, 157}, {UISTYLE_OFFICE2007, 160}, {UISTYLE_WHIDBEY, 159}};
  for (const auto& w : widths) EXPECT_EQ(PopupMenuWidth(wide, w[0], measure, Metrics()), w[1]) << w[0];
  EXPECT_EQ(PopupMenuWidth({}, kShort, measure, Metrics()), 0);
  MenuItemShape plain = Item(u"A plain item text");  // 17 units, 85 pixels plainly
  plain.OwnerDrawn = false;
  // 85 + round(2.5 x 13 + 12) = 85 + 45 (44.5 rounds up).
  EXPECT_EQ(PopupMenuWidth(std::vector<MenuItemShape>{plain}, kShort, measure, Metrics()), 130);
  // {text width, text height, style, button width, bar height}: short texts are raised, styles trimmed.
  const int titles[][5] = {{40, 13, kShort, 56, 19}, {40, 13, UISTYLE_OFFICE2007, 56, 20}, {40, 13, UISTYLE_WHIDBEY, 58, 22},
                           {40, 20, UISTYLE_WHIDBEY, 58, 28}, {40, 20, kShort, 56, 25}};
  for (const auto& t : titles) {
    const auto size = MenuTitleButtonSize({t[0], t[1]}, t[2]);
    EXPECT_EQ(size.Width, t[3]) << t[1] << " " << t[2];
    EXPECT_EQ(size.BarHeight, t[4]) << t[1] << " " << t[2];
  }
}

TEST(PopupPlacement, WorkAreaClampChevronAndHitTest) {
  // {x, width, left, shift}: kept five pixels clear of the right edge, shifted one more than the overhang.
  const int clamps[][4] = {{100, 200, 100, 0}, {1270, 150, 1125, 146}, {1075, 200, 1075, 0}, {1076, 200, 1075, 2}};
  for (const auto& c : clamps) {
    EXPECT_EQ(ClampPopupToWorkArea(c[0], c[1], 1280).Left, c[2]) << c[0];
    EXPECT_EQ(ClampPopupToWorkArea(c[0], c[1], 1280).Shift, c[3]) << c[0];
  }
  // A chevron menu is never left of the work area and pinned to its right edge when too wide.
  const int chevrons[][2] = {{-30, 0}, {500, 500}, {1250, 1280}};
  for (const auto& c : chevrons) EXPECT_EQ(ChevronMenuLeft(c[0], 100, 0, 1280), c[1]) << c[0];
  const ScreenRect rect{10, 20, 110, 220};  // the border counts as inside
  EXPECT_TRUE(PointInRectInclusive(rect, 10, 20) && PointInRectInclusive(rect, 110, 220));
  EXPECT_FALSE(PointInRectInclusive(rect, 111, 100) || PointInRectInclusive(rect, 50, 19));
}

// Each case changes a first-level popup at (300, 200), 120 x 90, measured 110 wide, in a 1280 x 1000 work area.
TEST(PopupPlacement, AdjustPopupPosition) {
  using R = PopupPositionRequest&;
  const struct { const char* Name; void (*Change)(R); std::array<int, 4> Position; } cases[] = {
      {"first level: measured width, three lower", [](R) {}, {300, 200, 110, 87}},
      {"shift below two moves nothing", [](R r) { r.PopupShift = 1; }, {300, 200, 110, 87}},
      {"shift 3 moves two", [](R r) { r.PopupShift = 3; }, {302, 200, 110, 87}},
      {"large shifts move at most five", [](R r) { r.PopupShift = 40; }, {305, 200, 110, 87}},
      {"no size and no move keep their parts", [](R r) { r.NoSize = r.NoMove = true, r.PopupShift = 4; },
       {300, 200, 120, 90}},
      {"a submenu is two narrower and left where it is", [](R r) { r.IsSubmenu = true, r.Parent = {180, 190, 302, 400}; },
       {300, 200, 118, 87}},
      {"placed beside its parent once",
       [](R r) { r.IsSubmenu = r.PlaceBesideParent = true, r.Parent = {180, 190, 302, 400}; }, {303, 202, 118, 87}},
      {"a submenu of the tracked popup joins its right edge",
       [](R r) {
         r.IsSubmenu = r.PlaceBesideParent = r.ParentIsTrackedPopup = true;
         r.PopupLeft = 150, r.PopupWidth = 140, r.Parent = {150, 190, 290, 400};
       },
       {289, 202, 118, 87}},
      {"opens left, overlapping its parent by one",
       [](R r) { r.IsSubmenu = r.PlaceBesideParent = true, r.X = 1200, r.Parent = {1080, 100, 1200, 300}; },
       {1080 + 1 - 118, 202, 118, 87}},
      {"lifted to the bottom",
       [](R r) { r.IsSubmenu = r.PlaceBesideParent = true, r.Y = 950, r.Parent = {180, 900, 302, 990}; },
       {303, 1000 - 87, 118, 87}},
  };
  for (const auto& c : cases) {
    PopupPositionRequest request{
        .X = 300, .Y = 200, .Width = 120, .Height = 90, .PopupWidth = 110, .Parent = {}, .WorkArea = {0, 0, 1280, 1000}};
    c.Change(request);
    const PopupPosition p = AdjustPopupPosition(request);
    EXPECT_EQ((std::array<int, 4>{p.X, p.Y, p.Width, p.Height}), c.Position) << c.Name;
  }
}

std::vector<std::array<int, 4>> Rects(const std::vector<ScreenRect>& rects) {
  std::vector<std::array<int, 4>> result;
  for (const ScreenRect& r : rects) result.push_back({r.Left, r.Top, r.Right, r.Bottom});
  return result;
}

TEST(PopupPlacement, AShrunkAndMovedPopupUncoversRightLeftBottomAndTopStrips) {
  EXPECT_EQ(Rects(UncoveredStrips({100, 100, 300, 300}, {120, 130, 250, 280})),
            (std::vector<std::array<int, 4>>{{250, 100, 300, 300}, {100, 100, 120, 300}, {100, 280, 300, 300},
                                              {100, 100, 300, 130}}));
  EXPECT_TRUE(UncoveredStrips({100, 100, 200, 200}, {90, 90, 210, 210}).empty());  // grown: nothing
  EXPECT_EQ(Rects(UncoveredStrips({100, 100, 200, 200}, {500, 500, 600, 600})),  // moved away: all of it
            (std::vector<std::array<int, 4>>{{100, 100, 200, 200}, {100, 100, 200, 200}}));
}

// Each strip as {left, top, right, bottom, flags}, an empty one as {}.
using Strips = std::vector<std::vector<int>>;
Strips Areas(const std::vector<ShadowStrip>& strips) {
  Strips result;
  for (const ShadowStrip& s : strips) {
    const ShadowRect& a = s.Area;
    if (a.Empty()) result.emplace_back();
    else result.push_back({a.Left, a.Top, a.Right, a.Bottom, static_cast<int>(s.Flags)});
  }
  return result;
}
constexpr int kVertical = kShadowVertical, kStart = kShadowFadeStartOnly, kEnd = kShadowFadeEndOnly;

// A popup casts right, bottom and corner strips five pixels deep, never on its parent popup.
TEST(MenuShadowGeometry, PopupAndTitleStrips) {
  EXPECT_EQ(Areas(PopupShadowStrips({100, 50, 300, 250}, kMenuShadowDepth, std::nullopt)),
            (Strips{{300, 55, 305, 250, kVertical | kStart}, {105, 250, 300, 255, kStart},
                    {300, 250, 305, 255, kVertical | kEnd}}));
  // A submenu opened to the left of its parent, which covers the submenu's right side.
  EXPECT_EQ(Areas(PopupShadowStrips({100, 50, 300, 250}, 5, ShadowRect{280, 40, 480, 400})),
            (Strips{{}, {105, 250, 280, 255, kStart}, {}}));
  // A parent that covers only the top of the right strip leaves the rest.
  EXPECT_EQ(Areas(PopupShadowStrips({100, 50, 300, 250}, 5, ShadowRect{200, 0, 400, 100})),
            (Strips{{300, 100, 305, 250, kVertical | kStart}, {105, 250, 300, 255, kStart},
                    {300, 250, 305, 255, kVertical | kEnd}}));
  // Title shadows stay inside the work area.
  EXPECT_EQ(Areas(TitleShadowStrips({10, 0, 60, 20}, 5, {0, 0, 1000, 700})),
            (Strips{{60, 5, 65, 20, kVertical | kStart}, {15, 20, 60, 25, kStart}}));
  EXPECT_EQ(Areas(TitleShadowStrips({10, 0, 60, 20}, 5, {0, 0, 62, 22})),
            (Strips{{60, 5, 62, 20, kVertical | kStart}, {15, 20, 60, 22, kStart}}));
  EXPECT_EQ(Areas(TitleShadowStrips({10, 0, 60, 20}, 5, {0, 0, 60, 20})), (Strips{{}, {}}));
}

// A dragged edge moves while the opposite edge stays; pure moves pass freely.
TEST(SizeLimits, ADraggedEdgeMovesWhileTheOppositeEdgeStays) {
  const struct { ProposedPlacement In; int OldX, OldY; ProposedPlacement Out; } cases[] = {
      {{10, 20, 60, 120, 0}, 10, 20, {10, 20, 100, 120, 0}},     // right edge below the minimum
      {{150, 20, 60, 120, 0}, 10, 20, {110, 20, 100, 120, 0}},   // left edge past the minimum (10..210)
      {{50, 20, 350, 120, 0}, 200, 20, {100, 20, 300, 120, 0}},  // left edge past the maximum (200..400)
      {{10, 90, 150, 30, 0}, 10, 20, {10, 70, 150, 50, 0}},      // top edge dragged down
      {{10, 20, 150, 260, 0}, 10, 20, {10, 20, 150, 200, 0}},
      // A pure move and a state change are left alone; a size without a move never shifts.
      {{500, 400, 10, 10, kPlacementNoSize}, 10, 20, {500, 400, 10, 10, 0}},
      {{0, 0, 1000, 800, kPlacementStateChanged}, 10, 20, {0, 0, 1000, 800, 0}},
      {{999, 999, 40, 30, kPlacementNoMove}, 10, 20, {999, 999, 100, 50, 0}},
  };
  for (const auto& c : cases) {
    ProposedPlacement p = c.In;
    EnforceSizeLimits(p, c.OldX, c.OldY, SizeLimits{100, 50, 300, 200});
    using Box = std::array<int, 4>;
    EXPECT_EQ((Box{p.X, p.Y, p.Width, p.Height}), (Box{c.Out.X, c.Out.Y, c.Out.Width, c.Out.Height}))
        << c.In.X << " " << c.In.Width;
  }
  ProposedPlacement placement{0, 0, 5, 5000, 0};  // zero or negative limits do not limit
  EnforceSizeLimits(placement, 0, 0, SizeLimits{0, -1, 0, -5});
  EXPECT_EQ(placement.Width, 5);
  EXPECT_EQ(placement.Height, 5000);
}

TEST(BarDrawingRules, GripperDotsFourApartCentredAndFewerOnASmallMenuBarBand) {
  // A small menu-bar band has at most three dots, one pixel lower.
  const struct { int Height; bool MenuBar; std::vector<int> Tops; } cases[] = {
      {40, false, {13, 17, 21, 25}}, {26, false, {6, 10, 14, 18}}, {26, true, {9, 13, 17}}, {27, true, {6, 10, 14, 18}},
      {17, false, {3, 7, 11}},       {8, false, {1, 5}},           {7, false, {2}},         {0, false, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(GripperDotTops(c.Height, c.MenuBar), c.Tops) << c.Height << " " << c.MenuBar;
}

TEST(RebarBackgroundRules, WidthFollowsTheWidestMonitorAndAnImageIsDrawnAgainOnlyWhenNeeded) {
  int widest = GrowWidestMonitor(0, 1280);
  EXPECT_EQ(RebarBackgroundSizeFor(widest).Width, 1284);
  EXPECT_EQ(RebarBackgroundSizeFor(widest).Height, 256);
  widest = GrowWidestMonitor(GrowWidestMonitor(widest, 1920), 1024);  // never shrinks
  EXPECT_EQ(RebarBackgroundSizeFor(widest).Width, 1924);
  // Only force 1 redraws an existing image; a larger one than needed stays, drawn for a wider monitor seen before.
  const struct { int Force; bool Exists, Marked; RebarBackgroundSize Image; bool Again; } cases[] = {
      {0, false, false, {}, true},         {0, true, true, {1284, 256}, true},   {1, true, false, {1284, 256}, true},
      {0, true, false, {1284, 256}, false}, {2, true, false, {1284, 256}, false}, {0, true, false, {1000, 256}, true},
      {0, true, false, {1284, 100}, true},  {0, true, false, {2000, 300}, false}};
  for (const auto& c : cases)
    EXPECT_EQ(RebarBackgroundNeedsRendering(c.Force, c.Exists, c.Marked, c.Image, {1284, 256}), c.Again)
        << c.Force << " " << c.Image.Width;
}

}  // namespace
