// What the toolkit's life cycle does across its layers: the colour-mode switch that reaches
// every window and the menus' images, and the size limits kept by the child subclass.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "../foundation/dib_canvas.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/foundation/ui_colours.h"
#include "veloui/menus/colour_refresh.h"
#include "veloui/menus/menus.h"
#include "veloui/toolkit/skin_windows.h"
#include "veloui/toolkit/toolkit.h"
#include "veloui/toolkit/ui_colour_mode.h"

namespace {
TEST(SkinWindows, SizeLimitsResizeABreakingWindowAtOnceAndLeaveAPureMoveAlone) {
  InitToolkit();
  HWND window = TestWindow(L"SkinWindowsTest", DefWindowProcW, nullptr, WS_POPUP, 500, 60);
  EXPECT_EQ(SetWindowSizeLimits(nullptr, 1, 1, 0, 0), 0);
  ASSERT_EQ(SetWindowSizeLimits(window, 0, 100, 400, 0), 1);
  const auto frame = [window] { return std::tuple{RectOf(window).left, RectOf(window).top, WidthOf(window), HeightOf(window)}; };
  EXPECT_EQ(frame(), std::tuple(20, 20, 400, 100));
  SetWindowPos(window, nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(frame(), std::tuple(30, 40, 400, 100));
  MoveWindow(window, 30, 40, 600, 20, FALSE);  // a later resize past a limit is held by the subclass
  EXPECT_EQ(frame(), std::tuple(30, 40, 400, 100));
  DestroyWindow(window);
}

// A window resized into its limits stays where it is in the order of windows and takes no focus.
TEST(SkinWindows, SizeLimitsNeitherRaiseNorActivateTheWindow) {
  InitToolkit();
  HWND limited = TestWindow(L"SkinWindowsTest", DefWindowProcW, nullptr, WS_POPUP | WS_VISIBLE, 500, 60);
  HWND front = TestWindow(L"SkinWindowsTest", DefWindowProcW, nullptr, WS_POPUP | WS_VISIBLE, 100, 60);
  SetActiveWindow(front);
  ASSERT_EQ(GetActiveWindow(), front);
  ASSERT_EQ(GetWindow(front, GW_HWNDNEXT), limited);
  ASSERT_EQ(SetWindowSizeLimits(limited, 0, 0, 400, 0), 1);
  EXPECT_EQ(WidthOf(limited), 400);
  EXPECT_EQ(GetActiveWindow(), front);
  EXPECT_EQ(GetWindow(front, GW_HWNDNEXT), limited);
  DestroyWindow(front);
  DestroyWindow(limited);
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

// The switch suspends shown direct children, tells every descendant and remakes the toolkit's own
// style images (image 2 of an item's list); by menu only when its style changed.
TEST(UIColourMode, ASwitchReachesEveryWindowAndTheToolkitsOwnMenuImages) {
  InitToolkit();
  HWND top = MakeWindow(nullptr, true), hidden_top = MakeWindow(nullptr, false);
  HWND shown_child = MakeWindow(top, true), hidden_child = MakeWindow(top, false);
  HWND grandchild = MakeWindow(shown_child, true), child_of_hidden = MakeWindow(hidden_top, true);
  HICON red = Icon(16, 16, Solid(16 * 16, 0xFFFF0000u));
  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 0);
  for (int i = 0; i < 3; ++i) ImageList_ReplaceIcon(list, -1, red);
  DestroyIcon(red);
  // Whidbey: its style image is a faded copy.
  MenuRecord& menu = ToolkitList<MenuRecord>(ToolkitListId::Menus).emplace_back(MenuRecord{.Id = 77, .Style = 5});
  MenuItemRecord& item = ToolkitList<MenuItemRecord>(ToolkitListId::MenuItems).emplace_back(
      MenuItemRecord{.Menu = &menu, .HasImage = true, .HasDisabledImage = true, .Style = 5, .ImageList = list});
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
  for (HWND window : {top, hidden_top}) DestroyWindow(window);
}
}  // namespace
