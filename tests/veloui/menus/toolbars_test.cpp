// Skinned toolbars: styles, image lists and buttons, and gadget buttons.
#include <string>

#include "menus_fixture.h"
#include "veloui/menus/host_state.h"
#include "veloui/menus/toolbar_extras.h"

namespace {

// Shown as far as the window itself goes, whether the test window is on screen or not.
bool Shown(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

// Also: styles, the three image lists, automatic ids, images of later buttons moving down when one
// goes, and freeing the toolbar handing a hidden gadget back to the top-level window.
TEST_F(MenusTest, AGadgetButtonCarriesItsComboBoxAndRemoveAndHideTakeItAlong) {
  HWND toolbar = reinterpret_cast<HWND>(CreateSkinnedToolbar(-1, Window, 16, 16, UISTYLE_OFFICE2003 | TBSTYLE_LIST));
  const auto toolbarId = reinterpret_cast<std::intptr_t>(toolbar);
  EXPECT_EQ(CreateSkinnedToolbar(toolbarId, Window, 0, 0, 0), 0);
  EXPECT_EQ(GetWindowLongW(toolbar, GWL_STYLE) & WS_MAXIMIZE, 0);
  EXPECT_EQ(SendMessageW(toolbar, TB_GETSTYLE, 0, 0) & (WS_MAXIMIZE | TBSTYLE_TOOLTIPS | TBSTYLE_LIST | TBSTYLE_FLAT),
            TBSTYLE_TOOLTIPS | TBSTYLE_LIST | TBSTYLE_FLAT);
  EXPECT_NE(SendMessageW(toolbar, TB_GETEXTENDEDSTYLE, 0, 0) & TBSTYLE_EX_DRAWDDARROWS, 0);
  const ToolbarRecord* record = FindToolbarRecord(toolbarId);
  const HIMAGELIST lists[3] = {record->NormalImageList, record->HotImageList, record->DisabledImageList};
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0)), lists[0]);
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETHOTIMAGELIST, 0, 0)), lists[1]);
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETDISABLEDIMAGELIST, 0, 0)), lists[2]);
  const SolidBitmap red(RGB(200, 0, 0)), blue(RGB(0, 0, 200));
  const std::int32_t first = ToolbarImageButton(toolbarId, -1, u"\\bKick", red, nullptr, nullptr, 0);
  const std::int32_t second = ToolbarImageButton(toolbarId, -1, u"Ban", blue, blue, blue, 0);
  EXPECT_EQ(first, 65534);
  EXPECT_EQ(second, 65533);
  EXPECT_EQ(SendMessageW(toolbar, TB_GETBITMAP, second, 0), 1);
  for (HIMAGELIST list : lists) EXPECT_EQ(ImageList_GetImageCount(list), 2);
  EXPECT_EQ(ButtonText(toolbar, 0), u"Kick");

  HWND combo = MakeChild(L"COMBOBOX", CBS_DROPDOWNLIST);
  const std::int32_t gadget = InsertToolbarGadget(toolbarId, 1, -1, combo, 120);
  ASSERT_NE(gadget, 0);
  EXPECT_EQ(SendMessageW(toolbar, TB_COMMANDTOINDEX, gadget, 0), 1);
  EXPECT_EQ(GetParent(combo), toolbar);
  EXPECT_EQ(GetToolbarButtonGadget(toolbarId, gadget), combo);
  RECT button{};
  SendMessageW(toolbar, TB_GETRECT, gadget, reinterpret_cast<LPARAM>(&button));
  const RECT placed = RectOf(combo, toolbar);
  EXPECT_EQ(placed.left, button.left);
  EXPECT_EQ(placed.right - placed.left, 120);
  EXPECT_EQ(button.right - button.left, 120);
  EXPECT_LE(placed.bottom - placed.top, button.bottom - button.top) << "fitted to the button height";

  EXPECT_EQ(HideToolbarButton(toolbarId, gadget, true), 1);
  EXPECT_FALSE(Shown(combo));
  EXPECT_EQ(HideToolbarButton(toolbarId, gadget, false), 1);
  EXPECT_TRUE(Shown(combo));
  EXPECT_EQ(RemoveToolbarButton(toolbarId, gadget), 1);
  EXPECT_FALSE(Shown(combo));
  EXPECT_EQ(GetParent(combo), Window);
  EXPECT_EQ(RemoveToolbarButton(toolbarId, gadget), 0);

  ASSERT_EQ(RemoveToolbarButton(toolbarId, first), 1);
  EXPECT_EQ(SendMessageW(toolbar, TB_GETBITMAP, second, 0), 0);
  for (HIMAGELIST list : lists) EXPECT_EQ(ImageList_GetImageCount(list), 1);

  const LRESULT buttons = SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0);
  EXPECT_EQ(ToolbarImageButton(toolbarId, -1, u"", nullptr, nullptr, nullptr, BTNS_SEP), 1);
  EXPECT_EQ(ToolbarTextButton(toolbarId, -1, u"", BTNS_SEP), 1);
  EXPECT_EQ(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0), buttons + 2);

  ASSERT_NE(InsertToolbarGadget(toolbarId, 0, -1, combo, 120), 0);
  ASSERT_TRUE(Shown(combo));
  EXPECT_EQ(FreeSkinnedToolbar(toolbarId), 1);
  EXPECT_FALSE(IsWindow(toolbar));
  EXPECT_EQ(GetParent(combo), Window);
  EXPECT_FALSE(Shown(combo));
  EXPECT_TRUE(ToolkitList<ToolbarButtonRecord>(ToolkitListId::ToolbarButtons).empty());
  EXPECT_EQ(FreeSkinnedToolbar(toolbarId), 0);
}

// The text the host window gives a tooltip window `from` asking for the tip of command `id`.
Text TipText(HWND host, HWND from, UINT_PTR id) {
  NMTTDISPINFOW info{{from, id, static_cast<UINT>(TTN_GETDISPINFOW)}, nullptr, {}, nullptr, 0, 0};
  SendMessageW(host, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  return info.lpszText != nullptr ? Text(reinterpret_cast<const char16_t*>(info.lpszText)) : Text(u"(none)");
}

// A freed toolbar's tips go with it: they never answer for a later toolbar's button of the same id.
TEST_F(MenusTest, AFreedToolbarsTooltipsNeverAnswerForALaterToolbar) {
  const auto tip = [this](UINT_PTR id) { return TipText(Window, Window, id); };
  const auto first = CreateSkinnedToolbar(-1, Window, 0, 0, UISTYLE_OFFICE2003);
  ASSERT_EQ(ToolbarTextButton(first, 7, u"Kick", 0), 7);
  const auto kept = CreateSkinnedToolbar(-1, Window, 0, 0, UISTYLE_OFFICE2003);
  ASSERT_EQ(ToolbarTextButton(kept, 8, u"Ban", 0), 8);
  ASSERT_EQ(SetToolbarButtonTooltip(first, 7, u"Kick the player"), 1);
  ASSERT_EQ(SetToolbarButtonTooltip(kept, 8, u"Ban the player"), 1);
  EXPECT_EQ(tip(7), u"Kick the player");
  EXPECT_EQ(FreeSkinnedToolbar(first), 1);
  const auto later = CreateSkinnedToolbar(-1, Window, 0, 0, UISTYLE_OFFICE2003);
  ASSERT_EQ(ToolbarTextButton(later, 7, u"Refresh", 0), 7);
  EXPECT_EQ(tip(7), u"(none)");
  EXPECT_EQ(tip(8), u"Ban the player");
  EXPECT_EQ(ToolbarTooltipList().size(), 1u);
}

// Toolbars may share a command id: each toolbar's own tooltip window is answered with that
// toolbar's text (wide or ANSI), and a toolbar without a tip for the id gets none.
TEST_F(MenusTest, ToolbarsSharingACommandIdEachAnswerWithTheirOwnTooltip) {
  const auto tipsOf = [](std::intptr_t toolbar) {
    return reinterpret_cast<HWND>(SendMessageW(reinterpret_cast<HWND>(toolbar), TB_GETTOOLTIPS, 0, 0));
  };
  const auto tip = [this](HWND from, UINT_PTR id) { return TipText(Window, from, id); };
  const auto kick = CreateSkinnedToolbar(-1, Window, 0, 0, UISTYLE_OFFICE2003);
  ASSERT_EQ(ToolbarTextButton(kick, 7, u"Kick", 0), 7);
  const auto ban = CreateSkinnedToolbar(-1, Window, 0, 0, UISTYLE_OFFICE2003);
  ASSERT_EQ(ToolbarTextButton(ban, 7, u"Ban", 0), 7);
  const auto plain = CreateSkinnedToolbar(-1, Window, 0, 0, UISTYLE_OFFICE2003);
  ASSERT_EQ(ToolbarTextButton(plain, 7, u"Refresh", 0), 7);
  ASSERT_EQ(SetToolbarButtonTooltip(kick, 7, u"Kick the player"), 1);
  ASSERT_EQ(SetToolbarButtonTooltip(ban, 7, u"Ban the player"), 1);
  ASSERT_NE(tipsOf(ban), nullptr);
  ASSERT_NE(tipsOf(ban), tipsOf(kick));
  EXPECT_EQ(tip(tipsOf(ban), 7), u"Ban the player");
  EXPECT_EQ(tip(tipsOf(kick), 7), u"Kick the player");
  EXPECT_EQ(tip(tipsOf(plain), 7), u"(none)");
  NMTTDISPINFOA ansi{{tipsOf(ban), 7, static_cast<UINT>(TTN_GETDISPINFOA)}, nullptr, {}, nullptr, 0, 0};
  SendMessageW(Window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&ansi));
  ASSERT_NE(ansi.lpszText, nullptr);
  EXPECT_EQ(std::string(ansi.lpszText), "Ban the player");
}

}  // namespace
