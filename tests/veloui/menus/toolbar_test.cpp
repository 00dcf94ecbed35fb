#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "menus_fixture.h"
#include "runtime/win32/platform/wide_text.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/menus/toolbars.h"

namespace {

TEST_F(MenusTest, ToolbarWithImagesHasThreeListsAndNoWindowStyleFromToolkitBits) {
  const std::intptr_t id = CreateSkinnedToolbar(-1, Window, 16, 16, 0x1000000 | TBSTYLE_LIST);
  HWND toolbar = reinterpret_cast<HWND>(id);
  ASSERT_TRUE(IsWindow(toolbar));
  EXPECT_EQ(GetToolbarWindow(id), toolbar);
  const ToolbarRecord* record = FindToolbarRecord(id);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->Style, 0x1000000u);
  EXPECT_EQ(record->Rows, 1);
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0)), record->NormalImageList);
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETHOTIMAGELIST, 0, 0)), record->HotImageList);
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETDISABLEDIMAGELIST, 0, 0)),
            record->DisabledImageList);
  EXPECT_EQ(GetWindowLongW(toolbar, GWL_STYLE) & WS_MAXIMIZE, 0);
  const auto style = static_cast<DWORD>(SendMessageW(toolbar, TB_GETSTYLE, 0, 0));
  EXPECT_EQ(style & WS_MAXIMIZE, 0u);
  EXPECT_NE(style & TBSTYLE_TOOLTIPS, 0u);
  EXPECT_NE(style & TBSTYLE_LIST, 0u);
  EXPECT_NE(style & TBSTYLE_FLAT, 0u);
  EXPECT_NE(SendMessageW(toolbar, TB_GETEXTENDEDSTYLE, 0, 0) & TBSTYLE_EX_DRAWDDARROWS, 0);
  EXPECT_EQ(CreateSkinnedToolbar(id, Window, 0, 0, 0), 0);
}

TEST_F(MenusTest, ImageButtonsKeepTheirThreeImagesAtOneIndex) {
  HWND toolbar = reinterpret_cast<HWND>(CreateSkinnedToolbar(-1, Window, 16, 16, 0x2000000));
  const ToolbarRecord* record = FindToolbarRecord(reinterpret_cast<std::intptr_t>(toolbar));
  HBITMAP image = SolidBitmap(RGB(0, 0, 200));
  ASSERT_EQ(AddToolbarImageButton(-1, u"Refresh", image, nullptr, nullptr, 0), 0);
  ASSERT_EQ(AddToolbarImageButton(-1, u"Ban", image, image, image, 0), 1);
  EXPECT_EQ(ButtonAt(toolbar, 0).idCommand, 65534);
  EXPECT_EQ(ButtonAt(toolbar, 1).idCommand, 65533);
  EXPECT_EQ(ButtonAt(toolbar, 0).iBitmap, 0);
  EXPECT_EQ(ButtonAt(toolbar, 1).iBitmap, 1);
  for (HIMAGELIST list : {record->NormalImageList, record->HotImageList, record->DisabledImageList}) {
    EXPECT_EQ(ImageList_GetImageCount(list), 2);
  }
  const auto& buttons = ToolkitList<ToolbarButtonRecord>(ToolkitListId::ToolbarButtons);
  ASSERT_EQ(buttons.size(), 2u);
  EXPECT_TRUE(buttons.front().HasImage);
  EXPECT_FALSE(buttons.front().OwnDisabledImage);
  EXPECT_TRUE(buttons.back().OwnDisabledImage);
  EXPECT_EQ(buttons.front().ImageStyle, 0x2000000u);
  EXPECT_EQ(ButtonText(toolbar, 0), u"Refresh");
  DeleteObject(image);
}

TEST_F(MenusTest, CodedTextButtonsShowTheirVisibleText) {
  HWND toolbar = reinterpret_cast<HWND>(CreateSkinnedToolbar(-1, Window, 0, 0, 0x1000000));
  ASSERT_EQ(AddToolbarTextButton(71, u"\\bDonate...", 0), 0);
  EXPECT_EQ(ButtonText(toolbar, 0), u"Donate...");
}

TEST_F(MenusTest, SeparatorFlagAddsASeparatorAndNoButton) {
  HWND toolbar = reinterpret_cast<HWND>(CreateSkinnedToolbar(-1, Window, 0, 0, 0x1000000));
  ASSERT_EQ(AddToolbarTextButton(72, u"Never", BTNS_SEP), 0);
  ASSERT_EQ(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0), 1);
  EXPECT_NE(ButtonAt(toolbar, 0).fsStyle & BTNS_SEP, 0);
  EXPECT_EQ(SendMessageW(toolbar, TB_COMMANDTOINDEX, 72, 0), -1);
  RECT rect{};
  SendMessageW(toolbar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rect));
  EXPECT_EQ(rect.right - rect.left, 6);
}

TEST_F(MenusTest, GadgetsSitOverTheirButtons) {
  HWND toolbar = reinterpret_cast<HWND>(CreateSkinnedToolbar(-1, Window, 0, 0, 0x1000000));
  AddToolbarTextButton(91, u"Wide button", 0);
  HWND gadget = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, toolbar, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ToolkitList<ToolbarButtonRecord>(ToolkitListId::ToolbarButtons).back().GadgetWindow = gadget;
  PlaceToolbarGadget();
  RECT button{};
  SendMessageW(toolbar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&button));
  RECT placed{};
  GetWindowRect(gadget, &placed);
  MapWindowPoints(nullptr, toolbar, reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ(placed.left, button.left);
  EXPECT_EQ(placed.right, button.right);
  EXPECT_EQ(placed.bottom, button.bottom);
  // Freeing the toolbar hides the gadget and hands it to the top-level window.
  EXPECT_EQ(FreeSkinnedToolbar(reinterpret_cast<std::intptr_t>(toolbar)), 1);
  EXPECT_FALSE(IsWindow(toolbar));
  EXPECT_EQ(GetParent(gadget), Window);
  EXPECT_FALSE(IsWindowVisible(gadget));
  EXPECT_TRUE(ToolkitList<ToolbarButtonRecord>(ToolkitListId::ToolbarButtons).empty());
  EXPECT_EQ(FreeSkinnedToolbar(reinterpret_cast<std::intptr_t>(toolbar)), 0);
}

}  // namespace
