#include <windows.h>
#include <commctrl.h>

#include "hooks_fixture.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/core/ui_colour_ids.h"
#include "veloui/menus/child_subclass.h"
#include "veloui/menus/toolbars.h"

namespace {
bool InClip(HDC dc, int x, int y) {
  HRGN clip = CreateRectRgn(0, 0, 0, 0);
  const int has = GetClipRgn(dc, clip);
  const bool inside = has != 1 || PtInRegion(clip, x, y);
  DeleteObject(clip);
  return inside;
}

int NonClientPaints = 0;
HWND PaintedToolbar = nullptr;
LRESULT CALLBACK CountNonClientPaints(int code, WPARAM wParam, LPARAM lParam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && sent->hwnd == PaintedToolbar && sent->message == WM_NCPAINT) ++NonClientPaints;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

class ChildPaintingTest : public HooksTest {
 protected:
  void SetUp() override {
    HooksTest::SetUp();
    RegisterClassNamed(L"VeloUI_PanelExPage");
    RegisterClassNamed(L"VeloUI_PanelEx");
  }
};

TEST_F(ChildPaintingTest, AComboInAnOfficeToolbarTracksItsHotStateAndKeepsItsEditInsideTheFrame) {
  const auto toolbar_id = CreateSkinnedToolbar(-1, Window, 16, 16, UISTYLE_OFFICE2003);
  ASSERT_NE(toolbar_id, 0);
  HWND toolbar = GetToolbarWindow(toolbar_id);
  ASSERT_NE(toolbar, nullptr);
  HWND combo = CreateWindowExW(0, L"ComboBox", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, 0, 0, 120, 200, toolbar,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(combo, nullptr);
  auto& buttons = ToolkitList<ToolbarButtonRecord>(ToolkitListId::ToolbarButtons);
  ToolbarButtonRecord embedded;
  embedded.ToolbarId = toolbar_id;
  embedded.ToolbarWindow = toolbar;
  embedded.GadgetWindow = combo;
  ToolbarButtonRecord& button = buttons.emplace_back(embedded);

  HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
  ASSERT_NE(edit, nullptr);
  // Going hot repaints the combo's place in the toolbar at once, not the toolbar's frame.
  ShowWindow(Window, SW_SHOWNOACTIVATE);
  UpdateWindow(Window);
  NonClientPaints = 0;
  PaintedToolbar = toolbar;
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, CountNonClientPaints, nullptr, GetCurrentThreadId());
  SendMessageW(edit, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(button.Flags & 1, 1u);
  EXPECT_EQ(NonClientPaints, 0);
  EXPECT_FALSE(GetUpdateRect(toolbar, nullptr, FALSE));
  ShowWindow(Window, SW_HIDE);
  SetCursorPos(1200, 1000);
  SendMessageW(combo, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(button.Flags & 1, 0u);

  InvalidateRect(combo, nullptr, TRUE);
  SendMessageW(combo, WM_PAINT, 0, 0);  // the test window is never shown
  RECT client{}, placed{};
  GetClientRect(combo, &client);
  GetWindowRect(edit, &placed);
  MapWindowPoints(nullptr, combo, reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ(placed.left, 5);
  EXPECT_EQ(placed.top, 3);
  EXPECT_EQ(placed.right, client.right - 13);
  EXPECT_EQ(placed.bottom, client.bottom - 1);
  buttons.clear();
  FreeSkinnedToolbar(-1);
}

TEST_F(ChildPaintingTest, APageLeavesItsOpaqueChildrenOutOfItsBackground) {
  HWND page = MakeChild(L"VeloUI_PanelExPage", 0);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(ChildKindOfWindow(page), ChildKindPanelExPage);
  SetWindowPos(page, nullptr, 0, 0, 300, 200, SWP_NOZORDER);
  HWND opaque = CreateWindowExW(0, L"Edit", L"", WS_CHILD | WS_VISIBLE, 10, 10, 50, 20, page, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  HWND clear = CreateWindowExW(WS_EX_TRANSPARENT, L"Edit", L"", WS_CHILD | WS_VISIBLE, 100, 10, 50, 20, page, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  HWND hidden = CreateWindowExW(0, L"Edit", L"", WS_CHILD, 200, 10, 50, 20, page, nullptr, GetModuleHandleW(nullptr),
                                nullptr);
  ASSERT_TRUE(opaque && clear && hidden);
  HDC dc = GetDC(page);
  HRGN all = CreateRectRgn(0, 0, 300, 200);
  SelectClipRgn(dc, all);
  DeleteObject(all);
  EnumChildWindows(page, ExcludeChildClipProc, reinterpret_cast<LPARAM>(dc));
  EXPECT_FALSE(InClip(dc, 30, 20));   // the opaque edit
  EXPECT_TRUE(InClip(dc, 120, 20));   // the transparent one: the page paints behind it
  EXPECT_TRUE(InClip(dc, 220, 20));   // hidden
  EXPECT_TRUE(InClip(dc, 30, 150));   // the page itself
  ReleaseDC(page, dc);
}

}  // namespace
