// What PanelEx pages and the child subclass hand each other: the scroll parts above their page,
// the page refreshed after a child moves, and the extended style of a panel shown in a page.
// The toolkit is started by the skinned controls' environment of this test program.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>

#include "../foundation/dib_canvas.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/skins/panelex/panelex.h"
#include "veloui/skins/panelex/panelex_records.h"

namespace {

class PanelExHandOffTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Window = TestWindow(L"WindowClass_PanelExHandOffs", DefWindowProcW, nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 500);
    ASSERT_NE(Window, nullptr);
  }
  void TearDown() override {
    FreePanelEx(-1);
    DestroyWindow(Window);
    PumpFor(0);
  }
  // A 400 x 300 panel whose first page holds a 600 x 500 child and shows both bars (and the box).
  void MakeScrolledPage(std::uint32_t autoScroll) {
    Panel = CreatePanelEx(-1, Window, 10, 10, 400, 300);
    Page = AddPanelExPage();
    Child = ChildWindow(L"Button", Page, 0, 0, 600, 500);
    ASSERT_TRUE(Panel && Page && Child);
    ASSERT_EQ(SetPanelExPageScrolling(Panel, 0, kPanelExHScroll | kPanelExVScroll | autoScroll, 1), 1);
    ToolkitLockGuard guard(ToolkitLock::PanelEx);
    const PanelExPageRecord* page = FindPanelExPageRecord(GetPanelExWindow(Panel), 0);
    ASSERT_NE(page, nullptr);
    Parts = {page->HScrollBar, page->VScrollBar, page->SizeBox};
  }

  HWND Window = nullptr;
  std::intptr_t Panel = 0;
  HWND Page = nullptr, Child = nullptr;
  std::array<HWND, 3> Parts{};  // horizontal bar, vertical bar, size box
};

// The page is as large as its content and lies under the panel's edges; the mouse must still
// find the bars and the box there.
TEST_F(PanelExHandOffTest, AClickOnAScrollBarOrTheSizeBoxReachesItNotThePage) {
  MakeScrolledPage(kPanelExAutoScroll);
  HWND panel = GetPanelExWindow(Panel);
  for (HWND part : Parts) {
    ASSERT_TRUE(IsWindowVisible(part));
    const RECT at = RectOf(part);
    const POINT middle{(at.left + at.right) / 2, (at.top + at.bottom) / 2};
    POINT inPanel = middle;
    ScreenToClient(panel, &inPanel);
    EXPECT_EQ(ChildWindowFromPointEx(panel, inPanel, CWP_SKIPINVISIBLE), part) << ClassOf(part).size();
    EXPECT_EQ(WindowFromPoint(middle), part);
  }
  POINT onPage{50, 50};
  EXPECT_EQ(ChildWindowFromPointEx(panel, onPage, CWP_SKIPINVISIBLE), Page);
}

// A page without automatic scrolling keeps the bars it was given: a child's move lays them out
// at the panel's edges again.
TEST_F(PanelExHandOffTest, AChildsMoveLaysOutTheBarsOfAPageWithoutAutomaticScrolling) {
  MakeScrolledPage(0);
  HWND panel = GetPanelExWindow(Panel);
  RECT client{};
  GetClientRect(panel, &client);
  const int tx = GetSystemMetrics(SM_CXHTHUMB), ty = GetSystemMetrics(SM_CYVTHUMB);
  SetWindowPos(Parts[0], nullptr, 0, 0, 10, 10, SWP_NOZORDER);  // out of place
  SetWindowPos(Child, nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(Corners(RectOf(Parts[0], panel)), Corners({0, client.bottom - ty, client.right - tx, client.bottom}));
  EXPECT_EQ(Corners(RectOf(Parts[2], panel)),
            Corners({client.right - tx, client.bottom - ty, client.right, client.bottom}));
}

// Shown in a page, a panel's extended style becomes exactly WS_EX_TRANSPARENT; shown outside
// every page while transparent, exactly 0.
TEST_F(PanelExHandOffTest, APanelShownInAPageIsExactlyTransparentAndOutsideExactlyNothing) {
  const std::intptr_t outer = CreatePanelEx(-1, Window, 0, 0, 300, 200);
  HWND page = AddPanelExPage();
  ASSERT_TRUE(outer && page);
  const std::intptr_t inner = CreatePanelEx(-1, page, 10, 10, 100, 50);
  const std::intptr_t apart = CreatePanelEx(-1, Window, 320, 0, 100, 50);
  ASSERT_TRUE(inner && apart);
  struct Case { std::intptr_t Panel; LONG_PTR Before, After; } cases[] = {
      {inner, WS_EX_STATICEDGE, WS_EX_TRANSPARENT},
      {apart, WS_EX_STATICEDGE | WS_EX_TRANSPARENT, 0},
  };
  for (const Case& c : cases) {
    HWND window = GetPanelExWindow(c.Panel);
    SetWindowLongPtrW(window, GWL_EXSTYLE, c.Before);
    ShowWindow(window, SW_HIDE);
    ShowWindow(window, SW_SHOW);
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_EXSTYLE), c.After) << std::hex << c.Before;
  }
}

}  // namespace
