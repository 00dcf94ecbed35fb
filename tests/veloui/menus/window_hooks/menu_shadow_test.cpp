#include "hooks_fixture.h"
#include "veloui/foundation/core/toolkit_facts.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/core/ui_colour_ids.h"
#include "veloui/menus/drop_shadow.h"
#include "veloui/menus/menu_shadows.h"
#include "veloui/menus/track_windows_hook.h"

namespace {
constexpr wchar_t kSystemShadowClass[] = L"SysShadow";

void RegisterSystemShadowClass() {
  WNDCLASSEXW shadow_class{};
  shadow_class.cbSize = sizeof(shadow_class);
  shadow_class.lpfnWndProc = DefWindowProcW;
  shadow_class.hInstance = GetModuleHandleW(nullptr);
  shadow_class.lpszClassName = kSystemShadowClass;
  RegisterClassExW(&shadow_class);
}

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
  RECT ShadowRects[3] = {};
  Text ShadowClasses[3];
  LONG_PTR ShadowExStyles[3] = {};
  bool ShadowsVisible[3] = {};
  int PopupMessages = 0;
} View;

LRESULT CALLBACK TestPopupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ++View.PopupMessages;
  return CallWindowProcW(MenuTrackingHook.SystemPopupProcedure, window, message, wParam, lParam);
}

void CALLBACK LookAtOpenMenu(HWND owner, UINT, UINT_PTR timer, DWORD) {
  KillTimer(owner, timer);
  View.Popup = MenuTrackingHook.OpenPopupWindow;
  if (View.Popup != nullptr) {
    View.PopupClass = ClassOf(View.Popup);
    View.ProcedureWhileOpen = ProcedureOf(View.Popup);
    GetWindowRect(View.Popup, &View.PopupRect);
    View.ShadowsMade = CastPopupMenuShadows(View.Popup, UISTYLE_OFFICE2003, nullptr);
    if (const PopupShadowRecord* record = FindPopupShadowRecord(View.Popup)) {
      for (int k = 0; k < 3; ++k) {
        HWND shadow = View.Shadows[k] = record->Shadows[k];
        GetWindowRect(shadow, &View.ShadowRects[k]);
        View.ShadowClasses[k] = ClassOf(shadow);
        View.ShadowExStyles[k] = GetWindowLongPtrW(shadow, GWL_EXSTYLE);
        View.ShadowsVisible[k] = IsWindowVisible(shadow) != FALSE;
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
  RegisterSystemShadowClass();
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
  const RECT& popup = View.PopupRect;
  const RECT expected[3] = {
      {popup.right, popup.top + 5, popup.right + 5, popup.bottom},
      {popup.left + 5, popup.bottom, popup.right, popup.bottom + 5},
      {popup.right, popup.bottom, popup.right + 5, popup.bottom + 5},
  };
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(View.ShadowClasses[k], u"VeloUI_DropShadow");
    EXPECT_EQ(View.ShadowExStyles[k] & kDropShadowExStyle, static_cast<LONG_PTR>(kDropShadowExStyle));
    EXPECT_TRUE(View.ShadowsVisible[k]);
    EXPECT_TRUE(EqualRect(&View.ShadowRects[k], &expected[k])) << k;
    // The popup is gone, and its shadows with it.
    EXPECT_FALSE(IsWindow(View.Shadows[k]));
  }
  EXPECT_EQ(FindPopupShadowRecord(View.Popup), nullptr);
  DestroyMenu(menu);
}

TEST_F(HooksTest, AnUntrackedPopupMenuIsLeftToTheSystem) {
  View = OpenMenuView{};
  HMENU menu = MakeMenu();
  ResetMenuTrackingHook();
  MenuTrackingHook.PopupWindowProcedure = TestPopupProc;
  SetTimer(Window, 1, 200, GiveUp);
  SetForegroundWindow(Window);
  TrackPopupMenuEx(menu, TPM_RETURNCMD, 100, 100, Window, nullptr);
  EXPECT_EQ(View.PopupMessages, 0);
  EXPECT_EQ(MenuTrackingHook.OpenPopupWindow, nullptr);
  ResetMenuTrackingHook();
  DestroyMenu(menu);
}

TEST_F(HooksTest, APopupCastsItsShadowOnce) {
  HWND popup = CreateWindowExW(WS_EX_TOOLWINDOW, L"WindowClass_HooksTest", L"", WS_POPUP | WS_VISIBLE, 50, 60, 120, 80,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(CastPopupMenuShadows(popup, UISTYLE_OFFICE2007, nullptr), 3);
  EXPECT_EQ(CastPopupMenuShadows(popup, UISTYLE_OFFICE2007, nullptr), 0);
  const PopupShadowRecord* record = FindPopupShadowRecord(popup);
  ASSERT_NE(record, nullptr);
  HWND right = record->Shadows[0];
  EXPECT_EQ(DestroyPopupMenuShadows(popup), 3);
  EXPECT_FALSE(IsWindow(right));
  EXPECT_EQ(FindPopupShadowRecord(popup), nullptr);
  DestroyWindow(popup);
}

TEST_F(HooksTest, APressedTitleCastsTwoShadowsThatAreReplacedAndDestroyed) {
  const RECT title{100, 30, 160, 52};
  ASSERT_EQ(CastTitleShadows(Window, title, UISTYLE_OFFICE2003), 1);
  const auto& records = ToolkitList<TitleShadowRecord>(ToolkitListId::TitleShadows);
  ASSERT_EQ(records.size(), 1u);
  const TitleShadowRecord first = records.front();
  RECT beside{}, below{};
  GetWindowRect(first.Beside, &beside);
  GetWindowRect(first.Below, &below);
  const RECT expected_beside{160, 35, 165, 52};
  const RECT expected_below{105, 52, 160, 57};
  EXPECT_TRUE(EqualRect(&beside, &expected_beside));
  EXPECT_TRUE(EqualRect(&below, &expected_below));
  ASSERT_EQ(CastTitleShadows(Window, title, UISTYLE_OFFICE2003), 1);
  EXPECT_EQ(records.size(), 1u);
  EXPECT_FALSE(IsWindow(first.Beside));
  EXPECT_EQ(DestroyTitleShadows(nullptr), 1);
  EXPECT_TRUE(records.empty());
}

TEST_F(HooksTest, ShadowColoursComeFromTheMenuStyle) {
  // Office 2003 blue by default: 0x576A8CCB, alpha 0x57 and the RGB 6A 8C CB.
  const MenuShadowColour office = MenuShadowColourOf(UISTYLE_OFFICE2003);
  EXPECT_EQ(office.Alpha, 0x57);
  EXPECT_EQ(office.Colour, RGB(0x6A, 0x8C, 0xCB));
  const MenuShadowColour plain = MenuShadowColourOf(0);
  EXPECT_EQ(plain.Alpha, 0x28);
  EXPECT_EQ(plain.Colour, RGB(0, 0, 0));
}
}  // namespace
