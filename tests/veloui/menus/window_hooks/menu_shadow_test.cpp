#include "hooks_fixture.h"
#include "veloui/foundation/core/toolkit_facts.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/core/ui_colour_ids.h"
#include "veloui/menus/drop_shadow.h"
#include "veloui/menus/menu_shadows.h"
#include "veloui/menus/track_windows_hook.h"

namespace {
constexpr wchar_t kSystemShadowClass[] = L"SysShadow";

HWND MakeSystemShadow() {
  return CreateWindowExW(WS_EX_TOOLWINDOW, kSystemShadowClass, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

// What the test saw while its popup menu was open.
struct OpenMenuView {
  HWND Popup = nullptr;
  Text PopupClass;
  WNDPROC ProcedureWhileOpen = nullptr;
  RECT PopupRect{};
  int ShadowsMade = 0;
  HWND Shadows[3] = {};
  int PopupMessages = 0;
} View;

LRESULT CALLBACK TestPopupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ++View.PopupMessages;
  return CallWindowProcW(MenuTrackingHook.SystemPopupProcedure, window, message, wParam, lParam);
}

// Casts the open popup's shadows and checks them while they stand: 5 pixels deep on the right,
// below and at the corner, layered windows of the toolkit's class.
void CALLBACK LookAtOpenMenu(HWND owner, UINT, UINT_PTR timer, DWORD) {
  KillTimer(owner, timer);
  View.Popup = MenuTrackingHook.OpenPopupWindow;
  if (View.Popup != nullptr) {
    View.PopupClass = ClassOf(View.Popup);
    View.ProcedureWhileOpen = ProcedureOf(View.Popup);
    const RECT& popup = View.PopupRect;
    GetWindowRect(View.Popup, &View.PopupRect);
    View.ShadowsMade = CastPopupMenuShadows(View.Popup, UISTYLE_OFFICE2003, nullptr);
    const RECT expected[3] = {
        {popup.right, popup.top + 5, popup.right + 5, popup.bottom},
        {popup.left + 5, popup.bottom, popup.right, popup.bottom + 5},
        {popup.right, popup.bottom, popup.right + 5, popup.bottom + 5},
    };
    const PopupShadowRecord* record = FindPopupShadowRecord(View.Popup);
    EXPECT_NE(record, nullptr);
    if (record != nullptr) {
      for (int k = 0; k < 3; ++k) {
        HWND shadow = View.Shadows[k] = record->Shadows[k];
        RECT area{};
        GetWindowRect(shadow, &area);
        EXPECT_TRUE(EqualRect(&area, &expected[k])) << k;
        EXPECT_EQ(ClassOf(shadow), u"VeloUI_DropShadow");
        EXPECT_EQ(GetWindowLongPtrW(shadow, GWL_EXSTYLE) & kDropShadowExStyle, static_cast<LONG_PTR>(kDropShadowExStyle));
        EXPECT_TRUE(IsWindowVisible(shadow));
      }
    }
  }
  EndMenu();
}

void CALLBACK GiveUp(HWND owner, UINT, UINT_PTR timer, DWORD) {
  KillTimer(owner, timer);
  EndMenu();
}

HMENU MakeMenu() {
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 1, L"Kick");
  AppendMenuW(menu, MF_STRING, 2, L"Ban");
  AppendMenuW(menu, MF_STRING, 3, L"Copy Name");
  return menu;
}

TEST_F(HooksTest, TheSystemMenuShadowGoesOnlyWhileAToolkitMenuIsTracked) {
  RegisterClassNamed(kSystemShadowClass);
  HWND untouched = MakeSystemShadow();
  EXPECT_TRUE(IsWindow(untouched));
  HMENU menu = CreatePopupMenu();
  MenuTrackingHook.TrackedMenu = menu;
  HWND replaced = MakeSystemShadow();
  MenuTrackingHook.TrackedMenu = nullptr;
  EXPECT_FALSE(replaced != nullptr && IsWindow(replaced));
  EXPECT_TRUE(IsWindow(untouched));
  DestroyWindow(untouched);
  DestroyMenu(menu);
}

TEST_F(HooksTest, ATrackedPopupMenuGetsTheToolkitProcedureAndFivePixelShadowsThatGoWithIt) {
  ASSERT_EQ(SystemFacts.SystemDropShadow, 1);
  View = OpenMenuView{};
  HMENU menu = MakeMenu();
  ResetMenuTrackingHook();
  MenuTrackingHook.TrackedMenu = menu;
  MenuTrackingHook.PopupWindowProcedure = TestPopupProc;
  SetTimer(Window, 1, 200, LookAtOpenMenu);
  SetTimer(Window, 2, 5000, GiveUp);
  SetForegroundWindow(Window);
  TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_VERTICAL, 100, 100, Window, nullptr);
  KillTimer(Window, 2);
  ResetMenuTrackingHook();

  ASSERT_NE(View.Popup, nullptr);
  EXPECT_EQ(View.PopupClass, u"#32768");
  EXPECT_EQ(View.ProcedureWhileOpen, &TestPopupProc);
  EXPECT_GT(View.PopupMessages, 0);
  ASSERT_EQ(View.ShadowsMade, 3);
  // The popup is gone, and its shadows with it.
  for (HWND shadow : View.Shadows) EXPECT_FALSE(IsWindow(shadow));
  EXPECT_EQ(FindPopupShadowRecord(View.Popup), nullptr);
  DestroyMenu(menu);
}

}  // namespace
