// Toolkit calls that act on real windows: size limits, and a colour mode switch reaching every
// window and menu image.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "dib_canvas.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/skin_windows.h"
#include "veloui/foundation/toolkit.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/foundation/ui_colours.h"
#include "veloui/menus/menus.h"

namespace {
TEST(SkinWindows, SizeLimitsResizeABreakingWindowAtOnceAndLeaveAPureMoveAlone) {
  InitToolkit();
  HWND window = TestWindow(L"SkinWindowsTest", DefWindowProcW, nullptr, WS_POPUP, 500, 60);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(SetWindowSizeLimits(nullptr, 1, 1, 0, 0), 0);
  ASSERT_EQ(SetWindowSizeLimits(window, 0, 100, 400, 0), 1);
  const auto frame = [window] {
    RECT area{};
    GetWindowRect(window, &area);
    return std::tuple{area.left, area.top, area.right - area.left, area.bottom - area.top};
  };
  EXPECT_EQ(frame(), std::tuple(20, 20, 400, 100));
  SetWindowPos(window, nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(frame(), std::tuple(30, 40, 400, 100));
  MoveWindow(window, 30, 40, 600, 20, FALSE);  // a later resize past a limit is held by the subclass
  EXPECT_EQ(frame(), std::tuple(30, 40, 400, 100));
  DestroyWindow(window);
}

std::vector<std::tuple<HWND, UINT, WPARAM>> Seen;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETREDRAW || message == kSkinRefreshMessage) Seen.emplace_back(window, message, wParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeWindow(HWND parent, bool visible) {
  return TestWindow(L"WindowClass_ColourModeTest", RecordingProc, parent,
                    (parent != nullptr ? WS_CHILD : WS_OVERLAPPEDWINDOW) | (visible ? WS_VISIBLE : 0));
}

std::vector<WPARAM> MessagesOf(HWND window, UINT message) {
  std::vector<WPARAM> found;
  for (const auto& [to, seen, wParam] : Seen)
    if (to == window && seen == message) found.push_back(wParam);
  return found;
}

// The alpha of the middle pixel of image `index` of `list`.
int MiddleAlpha(HIMAGELIST list, int index) {
  HICON icon = ImageList_GetIcon(list, index, ILD_NORMAL);
  const int alpha = icon != nullptr ? static_cast<int>(PixelsOf(icon)[16 * 8 + 8] >> 24) : -1;
  DestroyIcon(icon);
  return alpha;
}

// The switch suspends the visible direct children, tells every descendant and remakes the style
// images (image 2 of an item's list) that are the toolkit's own; by menu, only when its style changed.
TEST(UIColourMode, ASwitchReachesEveryWindowAndTheToolkitsOwnMenuImages) {
  InitToolkit();
  HWND top = MakeWindow(nullptr, true);
  HWND shown_child = MakeWindow(top, true);
  HWND hidden_child = MakeWindow(top, false);
  HWND grandchild = MakeWindow(shown_child, true);
  HWND hidden_top = MakeWindow(nullptr, false);
  HWND child_of_hidden = MakeWindow(hidden_top, true);
  ASSERT_TRUE(grandchild && child_of_hidden);
  HICON red = Icon(16, 16, Solid(16 * 16, 0xFFFF0000u));
  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 0);
  for (int i = 0; i < 3; ++i) ImageList_ReplaceIcon(list, -1, red);
  DestroyIcon(red);
  MenuRecord& menu = ToolkitList<MenuRecord>(ToolkitListId::Menus).emplace_back();
  menu.Id = 77;
  menu.Style = 5;  // Whidbey: its style image is a faded copy
  MenuItemRecord& item = ToolkitList<MenuItemRecord>(ToolkitListId::MenuItems).emplace_back();
  item.Menu = &menu;
  item.HasImage = item.HasDisabledImage = true;
  item.ImageList = list;
  item.Style = 5;
  RetintMenuImages(0, 0);
  EXPECT_EQ(MiddleAlpha(list, 2), 255);  // the caller's own
  item.HasDisabledImage = false;
  RetintMenuImages(77, 1);  // made for the menu's style already
  EXPECT_EQ(MiddleAlpha(list, 2), 255);
  Seen.clear();

  ASSERT_EQ(SetUIColourMode(UICOLOURMODE_DEFAULT_GREY), 1);
  // Suspended and resumed once by the mode switch and once more by the skin refresh after it.
  EXPECT_EQ(MessagesOf(shown_child, WM_SETREDRAW), (std::vector<WPARAM>{0, 1, 0, 1}));
  for (HWND window : {hidden_child, grandchild, child_of_hidden}) EXPECT_TRUE(MessagesOf(window, WM_SETREDRAW).empty());
  for (HWND window : {shown_child, hidden_child, grandchild, child_of_hidden})
    EXPECT_EQ(MessagesOf(window, kSkinRefreshMessage).size(), 1u);
  EXPECT_EQ(GetColourModeName(), u"grey");
  EXPECT_EQ(MiddleAlpha(list, 0), 255);
  const int faded = MiddleAlpha(list, 2);
  EXPECT_TRUE(faded > 0 && faded < 255) << faded;

  menu.Style = 6;
  RetintMenuImages(78, 1);  // another menu
  EXPECT_EQ(item.Style, 5);
  RetintMenuImages(77, 1);
  EXPECT_EQ(item.Style, 6);
  ToolkitList<MenuItemRecord>(ToolkitListId::MenuItems).clear();
  ToolkitList<MenuRecord>(ToolkitListId::Menus).clear();
  ImageList_Destroy(list);
  DestroyWindow(top);
  DestroyWindow(hidden_top);
}
}  // namespace
