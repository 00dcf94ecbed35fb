#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "menus_fixture.h"
#include "runtime/win32/platform/wide_text.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/menus/menu_builder_state.h"
#include "veloui/menus/menus.h"
#include "veloui/menus/rebars.h"
#include "veloui/menus/toolbars.h"

namespace {

SIZE MeasureInMenuFont(const wchar_t* text) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, Toolkit.MenuFont);
  RECT rect{};
  DrawTextW(dc, text, -1, &rect, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(dc, previous);
  DeleteDC(dc);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

TEST_F(MenusTest, MenuBarIsAToolbarOnTheWindowWithOneButtonPerTitleSizedFromItsText) {
  HWND bar = BuildProgramMenuBar(Window);
  ASSERT_NE(bar, nullptr);
  wchar_t className[64] = {};
  GetClassNameW(bar, className, 64);
  EXPECT_STREQ(className, L"ToolbarWindow32");
  EXPECT_EQ(GetParent(bar), Window);
  ASSERT_EQ(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0), 4);
  // No drop-down arrows beside the titles, no padding, no maximised window style.
  EXPECT_EQ(SendMessageW(bar, TB_GETEXTENDEDSTYLE, 0, 0) & TBSTYLE_EX_DRAWDDARROWS, 0);
  EXPECT_EQ(GetWindowLongW(bar, GWL_STYLE) & WS_MAXIMIZE, 0);
  EXPECT_NE(GetWindowLongW(Window, GWL_STYLE) & WS_CLIPCHILDREN, 0);
  const ToolbarRecord* record = FindToolbarRecord(reinterpret_cast<std::intptr_t>(bar));
  ASSERT_NE(record, nullptr);
  EXPECT_TRUE(record->IsMenuBar);
  EXPECT_EQ(record->NormalImageList, nullptr);
  // Title buttons are sized from their text in the menu font.
  ASSERT_NE(Toolkit.MenuFont, nullptr);
  const wchar_t* titles[] = {L"Server", L"Commands", L"Database", L"Info"};
  for (int index = 0; index < 4; ++index) {
    EXPECT_EQ(ButtonText(bar, index), FromWide(titles[index]));
    RECT rect{};
    ASSERT_TRUE(SendMessageW(bar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect)));
    const SIZE text = MeasureInMenuFont(titles[index]);
    // Office 2003: text width + 18 - 2.
    EXPECT_EQ(rect.right - rect.left, text.cx + 16) << index;
  }
  const SIZE text = MeasureInMenuFont(L"Info");
  const int height = (text.cy + 8 < 22 ? 14 : text.cy) - 3 + 8;
  EXPECT_EQ(HIWORD(SendMessageW(bar, TB_GETBUTTONSIZE, 0, 0)), height);
}

TEST_F(MenusTest, ProgramMenusHoldTheirItemsAsOwnerDrawnRecords) {
  ASSERT_NE(BuildProgramMenuBar(Window), nullptr);
  ASSERT_EQ(MenuList().size(), 4u);
  const int expectedCounts[] = {4, 15, 2, 4};
  int title = 0;
  for (const MenuRecord& menu : MenuList()) {
    ASSERT_EQ(GetMenuItemCount(menu.Handle), expectedCounts[title]) << title;
    for (int position = 0; position < expectedCounts[title]; ++position) {
      const MENUITEMINFOW info = ItemInfo(menu.Handle, position, true, MIIM_FTYPE | MIIM_DATA | MIIM_ID);
      ASSERT_NE(info.fMask, 0u);
      EXPECT_NE(info.fType & MFT_OWNERDRAW, 0u);
      const auto* item = reinterpret_cast<const MenuItemRecord*>(info.dwItemData);
      ASSERT_NE(item, nullptr);
      EXPECT_EQ(item->Menu, &menu);
      EXPECT_EQ(item->MenuHandle, menu.Handle);
      EXPECT_EQ(item->Position, position);
      EXPECT_EQ(item->ImageWidth, 16);
      if (item->ItemText.empty()) {
        EXPECT_EQ(info.wID, 0u);  // a separator
      } else {
        EXPECT_EQ(item->Style, 6);
      }
    }
    ++title;
  }
  const MenuRecord& info = MenuList().back();
  const MENUITEMINFOW donate = ItemInfo(info.Handle, 27, false, MIIM_DATA);
  ASSERT_NE(donate.fMask, 0u);
  EXPECT_EQ(reinterpret_cast<const MenuItemRecord*>(donate.dwItemData)->ItemText, u"\\bDonate...");
  wchar_t text[32] = {};
  GetMenuStringW(info.Handle, 27, text, 32, MF_BYCOMMAND);
  EXPECT_STREQ(text, L"\\bDonate...");
}

TEST_F(MenusTest, MenuBarInTheProgramsRebar) {
  HWND bar = BuildProgramMenuBar(Window);
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(CreateRebar(4, Window, 0, 0x1000600, 0), 4);
  EXPECT_EQ(AddRebarBand(bar, u"", 200, 200, 0, nullptr, RBBS_USECHEVRON), 0);
  const RebarRecord* rebar = FindRebarRecord(4);
  ASSERT_NE(rebar, nullptr);
  EXPECT_EQ(GetParent(bar), rebar->Window);
  const int height = GetRebarHeight(4);
  EXPECT_GT(height, 0);
  EXPECT_EQ(height, GetRebarHeight(reinterpret_cast<std::intptr_t>(rebar->Window)));
  EXPECT_EQ(height, GetRebarHeight(4));
  REBARBANDINFOW band{};
  band.cbSize = sizeof(band);
  band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | RBBIM_BACKGROUND;
  ASSERT_TRUE(SendMessageW(rebar->Window, RB_GETBANDINFOW, 0, reinterpret_cast<LPARAM>(&band)));
  EXPECT_EQ(band.hwndChild, bar);
  EXPECT_EQ(band.cxMinChild, 200u);
  EXPECT_EQ(band.cyMinChild, HIWORD(SendMessageW(bar, TB_GETBUTTONSIZE, 0, 0)));
  EXPECT_NE(band.fStyle & RBBS_USECHEVRON, 0u);
  EXPECT_NE(band.fStyle & RBBS_FIXEDBMP, 0u);
  EXPECT_NE(band.hbmBack, nullptr);
  // The toolbar in a band neither draws a divider nor sizes itself.
  const auto toolbarStyle = static_cast<DWORD>(SendMessageW(bar, TB_GETSTYLE, 0, 0));
  EXPECT_NE(toolbarStyle & CCS_NODIVIDER, 0u);
  EXPECT_NE(toolbarStyle & CCS_NORESIZE, 0u);
}

TEST_F(MenusTest, FailedBarLeavesNoPlaceholder) {
  EXPECT_EQ(CreateMenuBar(5, reinterpret_cast<HWND>(0x7FFF0), 0x1000000), 0);
  EXPECT_TRUE(MenuList().empty());
  EXPECT_EQ(AddMenuTitle(u"Server"), 0);
  EXPECT_TRUE(MenuList().empty());
}

}  // namespace
