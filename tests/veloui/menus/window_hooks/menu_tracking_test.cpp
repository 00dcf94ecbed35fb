#include <windows.h>
#include <commctrl.h>

#include "hooks_fixture.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/menus/track_windows_hook.h"

namespace {
struct OpenPopupView {
  HWND Popup = nullptr;
  ULONG_PTR ClassStyle = 0;
  LRESULT HotTitle = -2;
} Seen;

void CALLBACK LookAndClose(HWND owner, UINT, UINT_PTR timer, DWORD) {
  KillTimer(owner, timer);
  Seen.Popup = MenuTrackingHook.OpenPopupWindow;
  if (Seen.Popup != nullptr) Seen.ClassStyle = GetClassLongPtrW(Seen.Popup, GCL_STYLE);
  if (MenuTrackingHook.MenuBarToolbar != nullptr)
    Seen.HotTitle = SendMessageW(MenuTrackingHook.MenuBarToolbar, TB_GETHOTITEM, 0, 0);
  EndMenu();
}

void CALLBACK CloseAnyway(HWND owner, UINT, UINT_PTR timer, DWORD) {
  KillTimer(owner, timer);
  EndMenu();
}

void TrackTestMenu(HWND owner) {
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 1, L"Refresh");
  AppendMenuW(menu, MF_STRING, 2, L"Reassign");
  MenuTrackingHook.TrackedMenu = menu;
  Seen = OpenPopupView{};
  SetTimer(owner, 1, 200, LookAndClose);
  SetTimer(owner, 2, 5000, CloseAnyway);
  TrackPopupMenuEx(menu, TPM_RETURNCMD, 100, 100, owner, nullptr);
  KillTimer(owner, 2);
  MenuTrackingHook.TrackedMenu = nullptr;
  DestroyMenu(menu);
}

HWND MakeToolbarWithTitles(HWND parent) {
  HWND toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT, 0, 0, 300, 30, parent,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  TBBUTTON titles[3] = {};
  for (int k = 0; k < 3; ++k) {
    titles[k].iBitmap = I_IMAGENONE;
    titles[k].idCommand = 100 + k;
    titles[k].fsState = TBSTATE_ENABLED;
    titles[k].fsStyle = BTNS_BUTTON | BTNS_SHOWTEXT;
  }
  SendMessageW(toolbar, TB_ADDBUTTONSW, 3, reinterpret_cast<LPARAM>(titles));
  return toolbar;
}

// A popup of a tracked menu saves the screen beneath it, except the one a title switch opens.
TEST_F(HooksTest, APopupSavesTheScreenBeneathItUnlessATitleSwitchOpensIt) {
  ASSERT_FALSE(Dwm.DwmCompositionEnabled);
  ResetMenuTrackingHook();
  TrackTestMenu(Window);
  ASSERT_NE(Seen.Popup, nullptr);
  EXPECT_NE(Seen.ClassStyle & CS_SAVEBITS, 0u);

  HWND toolbar = MakeToolbarWithTitles(Window);
  ASSERT_NE(toolbar, nullptr);
  ResetMenuTrackingHook();
  MenuTrackingHook.MenuBarToolbar = toolbar;
  MenuTrackingHook.TitleSwitchPending = true;
  MenuTrackingHook.SwitchHotIndex = 2;
  MenuTrackingHook.LastIndexShown = 0;
  TrackTestMenu(Window);
  ASSERT_NE(Seen.Popup, nullptr);
  EXPECT_EQ(Seen.ClassStyle & CS_SAVEBITS, 0u);
  EXPECT_EQ(Seen.HotTitle, 2);
  EXPECT_EQ(MenuTrackingHook.LastIndexShown, 2);
  SendMessageW(toolbar, WM_SETREDRAW, TRUE, 0);
  ResetMenuTrackingHook();
}

TEST_F(HooksTest, ARepaintUnderTheOpenPopupMakesTheSavedScreenStale) {
  ASSERT_FALSE(Dwm.DwmCompositionEnabled);
  auto make = [](int x) {
    return CreateWindowExW(WS_EX_TOOLWINDOW, L"WindowClass_HooksTest", L"", WS_POPUP, x, 100, 100, 100, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
  };
  HWND popup = make(100);
  HWND under = make(150);
  HWND apart = make(600);
  ASSERT_TRUE(popup && under && apart);
  ResetMenuTrackingHook();
  MenuTrackingHook.OpenPopupWindow = popup;
  MenuTrackingHook.SavedScreenOption = true;
  NMHDR header{apart, 1, 0};
  SendMessageW(apart, WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&header));
  EXPECT_EQ(MenuTrackingHook.SavedScreenStale, -1);
  header.hwndFrom = under;
  SendMessageW(under, WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&header));
  EXPECT_EQ(MenuTrackingHook.SavedScreenStale, 1);
  ResetMenuTrackingHook();
  for (HWND window : {popup, under, apart}) DestroyWindow(window);
}
}  // namespace
