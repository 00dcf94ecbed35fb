// The host window procedure's answers to the window and bar messages.
#include <gtest/gtest.h>

#include <algorithm>

#include <windows.h>
#include <commctrl.h>

#include "../foundation/dib_canvas.h"
#include "popups_fixture.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/menus/core/bar_drawing_rules.h"
#include "veloui/menus/host_install.h"
#include "veloui/menus/host_state.h"
#include "veloui/menus/host_window_proc.h"
#include "veloui/menus/menus.h"
#include "veloui/menus/rebars.h"

namespace {

class HostWindowProcTest : public PopupsTest {
 protected:
  HWND MakeRebarWithMenuBar() {
    const auto rebar = reinterpret_cast<HWND>(CreateRebar(-1, Window, 0, kOffice2003 | 0x600, 0));
    HWND bar = BuildProgramMenuBar(Window);
    if (rebar == nullptr || bar == nullptr) return nullptr;
    SetCurrentRebar(reinterpret_cast<std::intptr_t>(rebar));
    AddRebarBand(bar, u"", 300, 100, 0, nullptr, 0);
    return rebar;
  }
};

TEST_F(HostWindowProcTest, AWindowThatLostItsRecordStillBehavesAsAWindow) {
  HWND other = MakeWindow();
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(HostWindowProc(other, WM_GETTEXTLENGTH, 0, 0), 11);
}

TEST_F(HostWindowProcTest, ADestroyedWindowsRecordIsDropped) {
  HWND other = MakeWindow();
  InstallHostWindowProc(other, false);
  const auto recorded = [other] {
    return std::ranges::any_of(ToolkitList<HostWindowRecord>(ToolkitListId::HostWindows),
                               [other](const HostWindowRecord& host) { return host.Window == other; });
  };
  ASSERT_TRUE(recorded());
  DestroyWindow(other);
  EXPECT_FALSE(recorded()) << "a later window with the same handle would inherit its procedure";
}

TEST_F(HostWindowProcTest, WmSizeLaysTheRebarOutAcrossTheWindowAndSizingCompositesTheBars) {
  HWND rebar = MakeRebarWithMenuBar();
  ASSERT_NE(rebar, nullptr);
  SetWindowPos(Window, nullptr, 0, 0, 617, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client{};
  GetClientRect(Window, &client);
  EXPECT_EQ(SendMessageW(Window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom)), 0);
  RECT rect{};
  GetWindowRect(rebar, &rect);
  EXPECT_EQ(rect.right - rect.left, client.right);
  EXPECT_EQ(rect.bottom - rect.top, static_cast<int>(SendMessageW(rebar, RB_GETBARHEIGHT, 0, 0)));
  EXPECT_EQ(GetWindowLongPtrW(rebar, GWL_EXSTYLE), WS_EX_COMPOSITED | WS_EX_TOOLWINDOW);
  EXPECT_FALSE(HostWindows.Maximised);
  // While the window is sized its bars are composited.
  HWND bar = FindMenuRecord(0)->Toolbar;
  ASSERT_EQ(GetParent(bar), rebar);
  RECT sizing{0, 0, 700, 500};
  SendMessageW(Window, WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&sizing));
  EXPECT_TRUE(HostWindows.Sizing);
  EXPECT_NE(GetWindowLongPtrW(bar, GWL_EXSTYLE) & WS_EX_COMPOSITED, 0);
  SendMessageW(Window, WM_EXITSIZEMOVE, 0, 0);
  EXPECT_FALSE(HostWindows.Sizing);
  EXPECT_EQ(GetWindowLongPtrW(bar, GWL_EXSTYLE) & WS_EX_COMPOSITED, 0);
}

TEST_F(HostWindowProcTest, TheGripperOfAnOfficeBandShowsItsDotsInTheGripperColours) {
  HWND rebar = MakeRebarWithMenuBar();
  ASSERT_NE(rebar, nullptr);
  DibCanvas canvas(20, 40);
  NMCUSTOMDRAW draw{};
  draw.hdr.hwndFrom = rebar;
  draw.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(rebar));
  draw.hdr.code = NM_CUSTOMDRAW;
  draw.dwDrawStage = CDDS_ITEMPREPAINT;
  draw.hdc = canvas.Dc();
  draw.rc = RECT{2, 0, 11, 40};
  draw.dwItemSpec = 5;  // not a band: the plain rule
  EXPECT_EQ(SendMessageW(Window, WM_NOTIFY, draw.hdr.idFrom, reinterpret_cast<LPARAM>(&draw)), CDRF_SKIPDEFAULT);
  const COLORREF solid = GetUIColour(kOffice2003, 42, kUIColourColorref);
  const COLORREF shadow = GetUIColour(kOffice2003, 43, kUIColourColorref);
  const int x = 2 + (9 - 2) / 2;
  const auto tops = GripperDotTops(40, false);
  ASSERT_EQ(tops.size(), 4u);
  for (int top : tops) {
    EXPECT_EQ(canvas.Colour(x, top), solid) << top;
    EXPECT_EQ(canvas.Colour(x + 2, top + 2), shadow) << top;
  }
}

TEST_F(HostWindowProcTest, DeactivatingTheWindowMarksItsMenuBarInactiveAndActivatingClearsIt) {
  ASSERT_NE(BuildProgramMenuBar(Window), nullptr);
  SendMessageW(Window, WM_ACTIVATE, WA_INACTIVE, 0);
  MenuRecord* record = FindMenuRecord(0);
  ASSERT_NE(record, nullptr);
  EXPECT_TRUE(record->Inactive);
  SendMessageW(Window, WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_FALSE(record->Inactive);
}

TEST_F(HostWindowProcTest, AnsiTooltipTextIsConvertedWithRoomForEveryByte) {
  InstallHostWindowProc(Window);
  ToolbarTooltipList().push_back({44, u"Gr\u00f6\u00dfe \u00e4ndern", {}});
  NMTTDISPINFOA info{};
  info.hdr.hwndFrom = MakeWindow();
  info.hdr.idFrom = 44;
  info.hdr.code = TTN_GETDISPINFOA;
  SendMessageW(Window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  ASSERT_NE(info.lpszText, nullptr);
  EXPECT_EQ(std::string(info.lpszText), TextToAnsi(u"Gr\u00f6\u00dfe \u00e4ndern"));

  NMTTDISPINFOW wide{};
  wide.hdr.idFrom = 44;
  wide.hdr.code = TTN_GETDISPINFOW;
  SendMessageW(Window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&wide));
  ASSERT_NE(wide.lpszText, nullptr);
  EXPECT_EQ(std::wstring(wide.lpszText), L"Gr\u00f6\u00dfe \u00e4ndern");
}

TEST_F(HostWindowProcTest, AThemeChangeWithoutAThemeHandleSwitchesTheClassicLookOn) {
  InstallHostWindowProc(Window);
  const UxThemeBinding saved = UxTheme;
  UxTheme = UxThemeBinding{};
  UxTheme.Library = GetModuleHandleW(nullptr);  // bound, but no theme can be opened
  HostWindows.ClassicLook = false;
  SendMessageW(Window, WM_THEMECHANGED, 0, 0);
  const bool classic = HostWindows.ClassicLook;
  UxTheme = saved;
  EXPECT_TRUE(classic);
}

}  // namespace
