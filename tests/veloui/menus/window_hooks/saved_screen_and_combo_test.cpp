// The saved-screen option of menu-bar drop-downs with the window hook's staleness check, and the
// hot look of a combo box embedded in a toolbar when the mouse leaves through its button.
#include <cstdlib>
#include <utility>

#include "../menus_fixture.h"
#include "veloui/foundation/blit_cache.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/menus/saved_screen.h"
#include "veloui/menus/track_windows_hook.h"

namespace {

constexpr wchar_t kPlainClass[] = L"WindowClass_Plain";  // registered by the hooks' environment

class SavedScreenTest : public MenusTest {
 protected:
  void SetUp() override {
    MenusTest::SetUp();
    ResetMenuTrackingHook();
  }
  void TearDown() override {
    PutBackMenuBarBackground();
    ResetMenuTrackingHook();
    MenusTest::TearDown();
  }
};

TEST_F(SavedScreenTest, ARepaintUnderTheOpenPopupMakesTheSavedScreenStale) {
  ASSERT_FALSE(Dwm.DwmCompositionEnabled);
  const auto make = [](int x) {
    return CreateWindowExW(WS_EX_TOOLWINDOW, kPlainClass, L"", WS_POPUP, x, 100, 100, 100, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
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

// With the option a title's drop-down copies the screen where it opens, valid until something
// beneath repaints; without it nothing is copied. The copy goes when the drop-down closes.
TEST_F(SavedScreenTest, ATitlesDropDownSavesTheScreenBeneathItOnlyWithTheOption) {
  ASSERT_FALSE(Dwm.DwmCompositionEnabled);
  HWND bar = BuildMenuBar(Window);
  ShowWindow(Window, SW_SHOWNOACTIVATE);
  for (bool option : {true, false}) {
    SCOPED_TRACE(option ? "option on" : "option off");
    MenuTrackingHook.SavedScreenOption = option;
    MenuTrackingHook.SavedScreenStale = 1;
    RECT saved{}, popup{};
    int stale = 0;
    WhileMenuOpen([&] { DropDown(bar, 0); },
                  [&] {
                    HWND open = OpenPopupWindow();
                    if (open == nullptr) return false;
                    saved = SavedMenuBarBackgroundArea();
                    popup = RectOf(open);
                    stale = MenuTrackingHook.SavedScreenStale;
                    return true;
                  });
    if (option) {
      EXPECT_FALSE(IsRectEmpty(&saved));
      EXPECT_LE(std::abs(saved.left - popup.left), 2) << saved.left << " " << popup.left;
      EXPECT_LE(std::abs(saved.top - popup.top), 2) << saved.top << " " << popup.top;
      EXPECT_GE(saved.bottom - saved.top, (popup.bottom - popup.top) - 4);
      EXPECT_EQ(stale, -1);
    } else {
      EXPECT_TRUE(IsRectEmpty(&saved));
    }
    const RECT after = SavedMenuBarBackgroundArea();
    EXPECT_TRUE(IsRectEmpty(&after)) << "the copy goes with its drop-down";
  }
}

// A valid copy is put back (nothing beneath needs repainting); a stale one is only dropped.
TEST_F(SavedScreenTest, OnlyAValidCopyIsPutBack) {
  const RECT area{50, 60, 150, 120};
  for (int stale : {-1, 1}) {
    ASSERT_EQ(CaptureMenuBarBackground(Window, &area), 1);
    EXPECT_EQ(Corners(SavedMenuBarBackgroundArea()), Corners(area));
    EXPECT_EQ(MenuTrackingHook.SavedScreenStale, -1) << "a fresh copy is valid";
    MenuTrackingHook.SavedScreenStale = stale;
    EXPECT_EQ(PutBackMenuBarBackground(), stale == -1);
    EXPECT_FALSE(PutBackMenuBarBackground()) << "nothing is left to put back";
  }
  EXPECT_EQ(CaptureMenuBarBackground(nullptr, &area), 0);
  const RECT empty{10, 10, 10, 40};
  EXPECT_EQ(CaptureMenuBarBackground(Window, &empty), 0);
}

class EmbeddedComboTest : public MenusTest {
 protected:
  // A combo box in an Office 2003 toolbar, with its button record, on the shown test window.
  void SetUp() override {
    MenusTest::SetUp();
    const auto toolbarId = CreateSkinnedToolbar(-1, Window, 16, 16, UISTYLE_OFFICE2003);
    Toolbar = GetToolbarWindow(toolbarId);
    ASSERT_NE(Toolbar, nullptr);
    SetWindowPos(Toolbar, nullptr, 0, 0, 400, 40, SWP_NOZORDER);
    Combo = ChildWindow(L"ComboBox", Toolbar, 10, 5, 150, 100, CBS_DROPDOWN);
    ASSERT_NE(Combo, nullptr);
    Edit = FindWindowExW(Combo, nullptr, L"Edit", nullptr);
    ASSERT_NE(Edit, nullptr);
    Button = &ToolkitList<ToolbarButtonRecord>(ToolkitListId::ToolbarButtons).emplace_back();
    Button->ToolbarId = toolbarId;
    Button->ToolbarWindow = Toolbar;
    Button->GadgetWindow = Combo;
    ShowWindow(Window, SW_SHOWNOACTIVATE);
    UpdateWindow(Window);
  }
  void TearDown() override {
    ToolkitList<ToolbarButtonRecord>(ToolkitListId::ToolbarButtons).clear();
    SetCursorPos(1200, 1000);
    MenusTest::TearDown();
  }
  // The mouse put at a client point of `window` and the move told to it, as the system would.
  static void MoveOnto(HWND window, int x, int y) {
    POINT at{x, y};
    ClientToScreen(window, &at);
    SetCursorPos(at.x, at.y);
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  }
  RECT DropButton() const {
    RECT client{};
    GetClientRect(Combo, &client);
    return RECT{client.right - 12, client.top + 2, client.right - 2, client.bottom - 2};
  }

  HWND Toolbar = nullptr, Combo = nullptr, Edit = nullptr;
  ToolbarButtonRecord* Button = nullptr;
};

// In over the edit field, on over the drop-down button (part of the combo, no child), then out:
// the combo itself must hear that the mouse left.
TEST_F(EmbeddedComboTest, TheHotLookGoesWhenTheMouseLeavesThroughTheDropDownButton) {
  MoveOnto(Edit, 3, 3);
  ASSERT_EQ(Button->Flags & 1, 1u);
  const RECT button = DropButton();
  MoveOnto(Combo, (button.left + button.right) / 2, (button.top + button.bottom) / 2);
  PumpFor(300);
  EXPECT_EQ(Button->Flags & 1, 1u) << "still over the combo";
  SetCursorPos(1200, 1000);
  EXPECT_TRUE(PumpFor(3000, [&] { return (Button->Flags & 1) == 0; }));
}

// Without GDI+ (as in this program when it cannot start) the hot drop-down button is painted in
// the hot gradient's colours by plain GDI, not left black.
TEST_F(EmbeddedComboTest, WithoutGdiPlusTheHotDropDownButtonIsPaintedWithPlainGdi) {
  const GdiPlusBinding saved = std::exchange(GdiPlus, GdiPlusBinding{});
  BindingLibraryNames names;
  names.GdiPlus = L"no-such-gdiplus.dll";  // nothing can start it again meanwhile
  SetBindingLibraryNamesForTesting(names);
  FreeBlitCaches();  // a gradient cached earlier would hide what is painted now
  Button->Flags = 1;
  RedrawWindow(Combo, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ERASENOW);
  const RECT button = DropButton();
  HDC dc = GetDC(Combo);
  const COLORREF shown = GetPixel(dc, button.left + 1, button.top + 1);
  ReleaseDC(Combo, dc);
  SetBindingLibraryNamesForTesting(BindingLibraryNames{});
  GdiPlus = saved;
  FreeBlitCaches();
  const COLORREF hot = GetUIColour(UISTYLE_OFFICE2003, 52, kUIColourColorref);
  EXPECT_TRUE(NearColour(shown, hot, 12)) << std::hex << shown << " " << hot;
}

}  // namespace
