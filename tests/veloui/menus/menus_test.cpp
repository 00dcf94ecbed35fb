// Menu bars, menus and their items, and the shortcuts their items register.
#include <tuple>

#include "menus_fixture.h"
#include "veloui/menus/menu_operations.h"
#include "veloui/menus/core/shortcut_keys.h"
#include "veloui/menus/menu_shortcuts.h"
#include "veloui/menus/rebar_extras.h"

namespace {

const MenuItemRecord* RecordOf(HMENU menu, UINT item, bool byPosition) {
  return reinterpret_cast<const MenuItemRecord*>(ItemInfo(menu, item, byPosition, MIIM_DATA).dwItemData);
}

TEST_F(MenusTest, AMenuBarIsAToolbarOfTitlesSizedFromTheirTextThatARebarBandCarries) {
  HWND bar = BuildMenuBar(Window);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(GetParent(bar), Window);
  ASSERT_EQ(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0), 4);
  // No drop-down arrows beside the titles, no maximised window style from the toolkit bits.
  EXPECT_EQ((SendMessageW(bar, TB_GETEXTENDEDSTYLE, 0, 0) & TBSTYLE_EX_DRAWDDARROWS) | (GetWindowLongW(bar, GWL_STYLE) & WS_MAXIMIZE), 0);
  EXPECT_NE(GetWindowLongW(Window, GWL_STYLE) & WS_CLIPCHILDREN, 0);
  const DibCanvas canvas(1, 1);
  SelectObject(canvas.Dc(), Toolkit.MenuFont);
  RECT text{};
  int index = 0;
  for (const char16_t* title : {u"Server", u"Commands", u"Database", u"Info"}) {
    EXPECT_EQ(ButtonText(bar, index), title);
    DrawTextW(canvas.Dc(), reinterpret_cast<const wchar_t*>(title), -1, &text, DT_CALCRECT | DT_SINGLELINE);
    RECT rect{};
    ASSERT_TRUE(SendMessageW(bar, TB_GETITEMRECT, index++, reinterpret_cast<LPARAM>(&rect)));
    EXPECT_EQ(rect.right - rect.left, text.right + 16) << index;  // Office 2003: text + 18 - 2
  }
  const int height = (text.bottom + 8 < 22 ? 14 : text.bottom) - 3 + 8;
  EXPECT_EQ(HIWORD(SendMessageW(bar, TB_GETBUTTONSIZE, 0, 0)), height);

  ASSERT_EQ(CreateRebar(4, Window, 0, UISTYLE_OFFICE2003 | 0x600, 0), 4);
  EXPECT_EQ(AddRebarBand(bar, u"", 200, 200, 0, nullptr, RBBS_USECHEVRON), 0);
  HWND rebar = GetRebarWindow(4);
  EXPECT_EQ(GetParent(bar), rebar);
  EXPECT_EQ(GetRebarHeight(reinterpret_cast<std::intptr_t>(rebar)), GetRebarHeight(4));
  const REBARBANDINFOW band = BandInfo(rebar, 0, RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE);
  EXPECT_EQ(std::tuple(band.hwndChild, band.cxMinChild, band.cyMinChild, (band.fStyle & RBBS_USECHEVRON) != 0),
            std::tuple(bar, 200u, static_cast<UINT>(height), true));
  // The toolbar in a band neither draws a divider nor sizes itself.
  EXPECT_EQ(SendMessageW(bar, TB_GETSTYLE, 0, 0) & (CCS_NODIVIDER | CCS_NORESIZE), CCS_NODIVIDER | CCS_NORESIZE);
}

// The hot and disabled images are derived where the caller gave none.
TEST_F(MenusTest, ItemImagesFillAllThreeSlots) {
  HMENU menu = CreateSkinnedPopupMenu(1, UISTYLE_OFFICE2003);
  const SolidBitmap normal(RGB(200, 0, 0)), hot(RGB(0, 200, 0));
  ASSERT_EQ(AddMenuItem(30, u"Copy all", normal, nullptr, nullptr, 0), 1);
  ASSERT_EQ(AddMenuItem(31, u"Copy name", normal, hot, nullptr, 0), 1);
  for (UINT position : {0u, 1u}) EXPECT_EQ(ImageList_GetImageCount(RecordOf(menu, position, true)->ImageList), 3);
}

// A failed bar leaves no placeholder, a failed title keeps it, a failed insert leaves no record or shortcut.
TEST_F(MenusTest, FailedBarsTitlesAndItemsLeaveNothingHalfMade) {
  EXPECT_EQ(CreateMenuBar(5, reinterpret_cast<HWND>(0x7FFF0), UISTYLE_OFFICE2003), 0);
  EXPECT_TRUE(MenuList().empty());
  EXPECT_EQ(AddMenuTitle(u"Server"), 0);
  EXPECT_TRUE(MenuList().empty());

  DestroyWindow(reinterpret_cast<HWND>(CreateMenuBar(0, Window, UISTYLE_OFFICE2003)));
  EXPECT_EQ(AddMenuTitle(u"Server"), 0);
  ASSERT_EQ(MenuList().size(), 1u);
  EXPECT_TRUE(MenuList().front().Handle == nullptr && MenuList().front().TitleIndex == -1);
  EXPECT_EQ(AddMenuItem(1, u"Connect", nullptr, nullptr, nullptr, 0), 0);

  HMENU menu = CreateSkinnedPopupMenu(1, UISTYLE_OFFICE2003);
  ASSERT_EQ(AddMenuItem(30, u"Copy all$ctrl+a", nullptr, nullptr, nullptr, 0), 1);
  const std::size_t shortcuts = ShortcutTable()[WindowKey(nullptr)].size(), items = MenuItemList().size();
  DestroyMenu(menu);
  EXPECT_EQ(AddMenuItem(31, u"Copy name$ctrl+n", SolidBitmap(RGB(9, 9, 9)), nullptr, nullptr, 0), 0);
  EXPECT_EQ(std::tuple(MenuItemList().size(), ShortcutTable()[WindowKey(nullptr)].size()), std::tuple(items, shortcuts));
}

// A radio item joins the group of the radio item made before it when that one is of the same menu,
// wherever it stands there; after one of another menu it starts a group.
TEST_F(MenusTest, RadioItemsOfOneGroupLeaveOnlyTheLastChecked) {
  const struct { std::vector<std::pair<int, int>> Made; std::vector<int> Checked; } cases[] = {
      {{{40, 1}, {40, 2}}, {2}}, {{{40, 1}, {40, 3}}, {3}}, {{{40, 1}, {40, 3}, {40, 2}}, {2}},
      {{{40, 4}, {40, 1}}, {1}}, {{{40, 1}, {41, 9}, {40, 3}}, {1, 3}}};
  HMENU menu = nullptr;
  for (const auto& c : cases) {
    FreeSkinnedMenu(-1);
    menu = CreateSkinnedPopupMenu(40, UISTYLE_OFFICE2003);
    for (int id = 1; id <= 4; ++id) AddMenuItem(id, u"Mode", nullptr, nullptr, nullptr, 0);
    CreateSkinnedPopupMenu(41, UISTYLE_OFFICE2003);
    AddMenuItem(9, u"Other", nullptr, nullptr, nullptr, 0);
    for (const auto& [m, id] : c.Made) EXPECT_EQ(SetMenuItemState(m, id, 2), 1);
    std::vector<int> checked;
    for (int id = 1; id <= 4; ++id) if (GetMenuItemChecked(40, id) == 1) checked.push_back(id);
    EXPECT_EQ(checked, c.Checked) << c.Made.size() << " made, first " << c.Made[0].second;
  }
  EXPECT_NE(ItemInfo(menu, 3, false, MIIM_FTYPE).fType & MFT_RADIOCHECK, 0u);
  SetMenuItemState(40, 2, 1 | 0x1000);
  SetMenuItemState(40, 2, 0);
  EXPECT_EQ(GetMenuItemChecked(40, 2), 0);
}

TEST_F(MenusTest, ItemsAddedWhileShortcutsAreDisabledHaveNone) {
  ASSERT_NE(CreateMenuBar(0, Window, 0), 0);
  AddMenuTitle(u"Edit");
  SetMenuShortcutsDisabled(true);
  EXPECT_EQ(AddMenuItem(30, u"Copy$Ctrl+K", nullptr, nullptr, nullptr, 0), 1);
  SetMenuShortcutsDisabled(false);
  EXPECT_EQ(ShortcutTable().find(WindowKey(Window)), ShortcutTable().end());
  EXPECT_EQ(GetMenuItemTextEx(0, 30), u"Copy$Ctrl+K");
}

std::size_t EntriesOf(HWND window) {
  auto list = ShortcutTable().find(WindowKey(window));
  return list == ShortcutTable().end() ? 0 : list->second.size();
}

void HoldControl(bool held) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = keys[VK_LCONTROL] = held ? 0x80 : 0;
  SetKeyboardState(keys);
}

// The bar's title "Edit" and popup menu 1 (Popup).
class ShortcutTest : public MenusTest {
 protected:
  void SetUp() override {
    MenusTest::SetUp();
    CreateMenuBar(0, Window, UISTYLE_OFFICE2003);
    AddMenuTitle(u"Edit");
    for (auto [id, text] : {std::pair{30, u"Copy$Ctrl+K"}, {44, u"Next$pgdn"}, {46, u"Options$alt+f2"}})
      ASSERT_EQ(AddMenuItem(id, text, nullptr, nullptr, nullptr, 0), 1);
    Popup = CreateSkinnedPopupMenu(1, UISTYLE_OFFICE2003);
    for (auto [id, text] : {std::pair{7, u"Connect"}, {5, u"Delete"}, {31, u"Copy name$f7"}})
      ASSERT_EQ(AddMenuItem(id, text, nullptr, nullptr, nullptr, 0), 1);
  }
  void TearDown() override {
    HoldControl(false);
    MenusTest::TearDown();
  }
  // Posts the key, peeks it twice, then removes it as a message loop does: what the loop received.
  static MSG PeekThenRemove(HWND target, UINT message, WPARAM key, LPARAM bits) {
    PostMessageW(target, message, key, bits);
    MSG removed{};
    for (int peek = 0; peek < 2; ++peek) PeekMessageW(&removed, target, message, message, PM_NOREMOVE);
    removed.message = 0xFFFF;
    for (int tries = 0; tries < 100; ++tries) {
      if (!PeekMessageW(&removed, target, 0, 0, PM_REMOVE)) continue;
      if (removed.message == message || removed.message == WM_NULL) break;
      DispatchMessageW(&removed);
    }
    return removed;
  }
  HMENU Popup = nullptr;
};

// Fired once, key swallowed: a bar item's at its top-level window and children, a popup item's anywhere.
TEST_F(ShortcutTest, ShortcutsFireOnceAtTheirWindowAndAreSwallowed) {
  ASSERT_NE(Toolkit.GetMessageHook, nullptr);
  EXPECT_EQ(std::tuple(EntriesOf(Window), EntriesOf(nullptr)), std::tuple(3u, 1u));
  HWND child = MakeChild(L"EDIT", 0), other = MakeWindow();
  ASSERT_TRUE(child != nullptr && other != nullptr);
  // Id 0: the key passes through.
  const struct { HWND Target; UINT Message; WPARAM Key; LPARAM Bits; bool Control; WORD Id; } cases[] = {
      {Window, WM_KEYDOWN, 'K', 1, false, 0},   {Window, WM_KEYDOWN, 'K', 1, true, 30},
      {child, WM_KEYDOWN, VK_NEXT, 1, false, 44}, {Window, WM_SYSKEYDOWN, VK_F2, 1, false, 0},
      {Window, WM_SYSKEYDOWN, VK_F2, 1 | (1 << 29), false, 46}, {other, WM_KEYDOWN, VK_F7, 1, false, 31}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Key << " for " << c.Id);
    HoldControl(c.Control);
    if (c.Target == other) SetActiveWindow(other);
    ReceivedCommands.clear();
    EXPECT_EQ(PeekThenRemove(c.Target, c.Message, c.Key, c.Bits).message, c.Id != 0 ? WM_NULL : c.Message);
    ASSERT_EQ(ReceivedCommands.size(), c.Id != 0 ? 1u : 0u);
    if (c.Id == 0) continue;
    EXPECT_EQ(ReceivedCommands[0].Id, c.Id);
    if (c.Target != other) { EXPECT_EQ(ReceivedCommands[0].Window, Window); }
  }
  // A handle that names no window takes no shortcut; an empty text clears a window's.
  EXPECT_EQ(ParseShortcut(reinterpret_cast<HWND>(0x7FFF0), 5, u"f5"), 0);
  EXPECT_TRUE(ParseShortcut(other, 5, u"f5") == 1 && EntriesOf(other) == 1);
  EXPECT_TRUE(ParseShortcut(other, 0, u"") == 1 && EntriesOf(other) == 0);
}

// The key press is compared with the system's upper case, so a letter of any script must be stored so.
TEST_F(ShortcutTest, ACharacterKeyOfAnyScriptIsStoredInTheSystemsUpperCase) {
  const struct { const char16_t* Text; char16_t Upper; } cases[] = {
      {u"Omega$Ctrl+\u03C9", u'\u03A9'}, {u"Sigma$Ctrl+\u03C3", u'\u03A3'}, {u"Zhe$Ctrl+\u0436", u'\u0416'},
      {u"Yo$Ctrl+\u0451", u'\u0401'},    {u"Ogonek$Ctrl+\u0105", u'\u0104'}, {u"Ya$Ctrl+\u042F", u'\u042F'}};
  int id = 60;
  for (const auto& c : cases) {
    SCOPED_TRACE(TextToUtf8(c.Text));
    ASSERT_EQ(AddMenuItem(id, c.Text, nullptr, nullptr, nullptr, 0), 1);
    const std::vector<ShortcutEntry>& entries = ShortcutTable()[WindowKey(nullptr)];
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(std::tuple(entries.back().Key, entries.back().Flags, entries.back().CommandId),
              std::tuple(std::uint32_t{c.Upper}, std::uint32_t{kShortcutControl}, std::int16_t(id)));
    ++id;
  }
}

// The native build's own upper case answers as the system does, at each end of every range it maps.
TEST(ShortcutCase, TheOwnUpperCaseIsTheSystems) {
  for (char16_t c : {u'a', u'z', u'{', u'\u00DF', u'\u00E0', u'\u00F7', u'\u00FE', u'\u00FF', u'\u0100', u'\u0101',
                     u'\u0137', u'\u013A', u'\u0148', u'\u014B', u'\u0177', u'\u017A', u'\u017E', u'\u0391',
                     u'\u03B1', u'\u03C2', u'\u03C9', u'\u03CB', u'\u03A9', u'\u0410', u'\u0430', u'\u044F', u'\u0450',
                     u'\u045F', u'\u0460'}) {
    wchar_t unit[2] = {static_cast<wchar_t>(c), 0};
    CharUpperBuffW(unit, 1);
    EXPECT_EQ(static_cast<int>(UpperCaseUnit(c)), static_cast<int>(unit[0])) << std::hex << static_cast<int>(c);
  }
}

TEST_F(ShortcutTest, DisabledItemsGreyAndRemovedItemsRenumberTheRestAndNeitherAnswersItsShortcut) {
  // Item 30's greyed state bits, and the bar window's shortcuts.
  const auto state = [this, menu = MenuList().front().Handle] {
    return std::tuple(ItemInfo(menu, 30, false, MIIM_STATE).fState & (MFS_DISABLED | MFS_GRAYED), EntriesOf(Window));
  };
  EXPECT_EQ(SetMenuItemDisabled(0, 30, true), 1);
  EXPECT_EQ(state(), std::tuple(MFS_DISABLED | MFS_GRAYED, 2u));
  SetMenuItemDisabled(0, 30, true);  // disabled twice, enabled once
  EXPECT_EQ(SetMenuItemDisabled(0, 30, false), 1);
  EXPECT_EQ(state(), std::tuple(0u, 3u));
  EXPECT_TRUE(SetMenuItemDisabled(0, 999, true) == 0 && SetMenuItemDisabled(77, 30, true) == 0);
  SetMenuItemDisabled(0, 30, true);  // a greyed item's new shortcut waits until it is enabled
  EXPECT_EQ(SetMenuItemEx(0, 30, u"Copy$Ctrl+J", nullptr, nullptr, nullptr, 0), 1);
  EXPECT_EQ(EntriesOf(Window), 2u);
  SetMenuItemDisabled(0, 30, false);
  EXPECT_EQ(EntriesOf(Window), 3u);

  const std::size_t items = MenuItemList().size();
  EXPECT_NE(RemoveMenuItems(1, 7, false), 0);
  ASSERT_EQ(GetMenuItemCount(Popup), 2);
  EXPECT_EQ(MenuItemList().size(), items - 1);
  EXPECT_EQ(std::tuple(RecordOf(Popup, 0, true)->Position, RecordOf(Popup, 0, true)->ItemText, RecordOf(Popup, 1, true)->Position),
            std::tuple(0, Text(u"Delete"), 1));
  EXPECT_NE(RemoveMenuItems(1, 1, true), 0);
  EXPECT_EQ(RecordOf(Popup, 0, true)->ItemText, u"Delete");
  EXPECT_EQ(EntriesOf(nullptr), 0u);
  EXPECT_TRUE(RemoveMenuItems(1, 5, true) == 0 && RemoveMenuItems(1, 99, false) == 0);
}

}  // namespace
