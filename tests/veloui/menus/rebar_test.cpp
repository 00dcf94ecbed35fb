#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "menus_fixture.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/menus/rebar_backgrounds.h"
#include "veloui/menus/rebar_drag.h"
#include "veloui/menus/rebars.h"
#include "veloui/menus/toolbars.h"

namespace {

struct HeightNotice {
  HWND Window = nullptr;
  WPARAM Height = 0;
  LPARAM Rebar = 0;
};
std::vector<HeightNotice> HeightNotices;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRebarHeightMessage) HeightNotices.push_back({window, wParam, lParam});
  return DefWindowProcW(window, message, wParam, lParam);
}

BOOL CALLBACK NoteWidth(HMONITOR, HDC, LPRECT rect, LPARAM data) {
  int& best = *reinterpret_cast<int*>(data);
  best = std::max(best, static_cast<int>(rect->right - rect->left));
  return TRUE;
}

HWND MakeStatic(HWND parent, int width, int height) {
  return CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, width, height, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

REBARBANDINFOW BandInfo(HWND rebar, int index, UINT mask) {
  REBARBANDINFOW band{};
  band.cbSize = sizeof(band);
  band.fMask = mask;
  EXPECT_TRUE(SendMessageW(rebar, RB_GETBANDINFOW, index, reinterpret_cast<LPARAM>(&band)));
  return band;
}

class RebarTest : public MenusTest {
 protected:
  void SetUp() override {
    MenusTest::SetUp();
    HeightNotices.clear();
  }
  HWND RebarWindow(std::intptr_t id) {
    const RebarRecord* rebar = FindRebarRecord(id);
    return rebar != nullptr ? rebar->Window : nullptr;
  }
};

TEST_F(RebarTest, ToolkitStyleBitsNeverBecomeWindowStyles) {
  ASSERT_EQ(CreateRebar(4, Window, 0, 0x1000600, 0), 4);
  HWND rebar = RebarWindow(4);
  ASSERT_NE(rebar, nullptr);
  const LONG style = GetWindowLongW(rebar, GWL_STYLE);
  EXPECT_EQ(style & WS_MAXIMIZE, 0);
  EXPECT_EQ(style & RBS_BANDBORDERS, 0);  // asked for, but not with the Office 2003 look
  for (LONG bit : {LONG{RBS_VARHEIGHT}, LONG{CCS_NODIVIDER}, LONG{WS_CHILD}, LONG{WS_CLIPCHILDREN}}) EXPECT_NE(style & bit, 0) << bit;
  EXPECT_FALSE(IsZoomed(Window));
  EXPECT_TRUE(FindRebarRecord(4)->AskedBandBorders);
  EXPECT_EQ(FindRebarRecord(4)->Style, 0x1000000u);
  EXPECT_TRUE(FindRebarRecord(4)->Composited);
  // A plain rebar keeps its band borders; an id is taken once.
  ASSERT_EQ(CreateRebar(5, Window, 0, RBS_BANDBORDERS | RBS_VARHEIGHT, 0), 5);
  EXPECT_NE(GetWindowLongW(RebarWindow(5), GWL_STYLE) & RBS_BANDBORDERS, 0);
  EXPECT_EQ(FindRebarRecord(5)->Style, 0u);
  EXPECT_EQ(CreateRebar(5, Window, 0, 0, 0), 0);
}

TEST_F(RebarTest, StyleBackgroundCoversTheWidestMonitor) {
  ASSERT_EQ(CreateRebar(4, Window, 0, 0x1000600, 0), 4);
  HBITMAP image = RebarBackgroundImage(0x1000000);
  ASSERT_NE(image, nullptr);
  BITMAP info{};
  ASSERT_NE(GetObjectW(image, sizeof(info), &info), 0);
  int widest = 0;
  EnumDisplayMonitors(nullptr, nullptr, NoteWidth, reinterpret_cast<LPARAM>(&widest));
  EXPECT_EQ(info.bmWidth, widest + 4);
  EXPECT_EQ(info.bmHeight, 256);
  EXPECT_EQ(info.bmBitsPixel, 24);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, image);
  const COLORREF left = GetPixel(dc, 0, 10);
  const COLORREF right = GetPixel(dc, info.bmWidth - 1, 10);
  SelectObject(dc, previous);
  DeleteDC(dc);
  const COLORREF from = GetUIColour(0x1000000, 31, 2);
  const COLORREF to = GetUIColour(0x1000000, 32, 2);
  EXPECT_NEAR(GetRValue(left), GetRValue(from), 2);
  EXPECT_NEAR(GetGValue(left), GetGValue(from), 2);
  EXPECT_NEAR(GetBValue(left), GetBValue(from), 2);
  EXPECT_NEAR(GetRValue(right), GetRValue(to), 2);
  EXPECT_NEAR(GetBValue(right), GetBValue(to), 2);
}

TEST_F(RebarTest, ForcedRenderGivesEveryBandTheNewImage) {
  ASSERT_EQ(CreateRebar(4, Window, 0, 0x1000600, 0), 4);
  HWND child = MakeStatic(Window, 50, 20);
  ASSERT_EQ(AddRebarBand(child, u"band", 100, 50, 0, nullptr, 0), 0);
  HBITMAP before = RebarBackgroundImage(0x1000000);
  EXPECT_EQ(RenderRebarBackgrounds(0), 1);
  EXPECT_EQ(RebarBackgroundImage(0x1000000), before);  // still fits: kept
  EXPECT_EQ(RenderRebarBackgrounds(1), 1);
  HBITMAP after = RebarBackgroundImage(0x1000000);
  EXPECT_NE(after, before);
  const REBARBANDINFOW band = BandInfo(RebarWindow(4), 0, RBBIM_BACKGROUND | RBBIM_STYLE | RBBIM_CHILDSIZE);
  EXPECT_EQ(band.hbmBack, after);
  EXPECT_NE(band.fStyle & RBBS_FIXEDBMP, 0u);
  EXPECT_EQ(band.cyMinChild, static_cast<UINT>(HeightOf(child)));
}

TEST_F(RebarTest, HeightChangesReachTheRootAndTheParentOnce) {
  HWND host = MakeWindow();
  SetWindowLongPtrW(host, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc));
  HWND panel = MakeStatic(host, 400, 200);
  SetWindowLongPtrW(panel, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc));
  ASSERT_EQ(CreateRebar(6, panel, 0, 0x1000600, 0), 6);
  AddRebarBand(nullptr, u"", 100, 50, 30, nullptr, 0);
  HWND rebar = RebarWindow(6);
  ForwardRebarMessage(0);
  const int height = GetRebarHeight(6);
  ASSERT_EQ(HeightNotices.size(), 2u);
  EXPECT_EQ(HeightNotices[0].Window, host);
  EXPECT_EQ(HeightNotices[1].Window, panel);
  for (const HeightNotice& notice : HeightNotices) {
    EXPECT_EQ(notice.Height, static_cast<WPARAM>(height));
    EXPECT_EQ(notice.Rebar, reinterpret_cast<LPARAM>(rebar));
  }
  ForwardRebarMessage(height);
  EXPECT_EQ(HeightNotices.size(), 2u);
  ForwardRebarMessage(height + 10);
  EXPECT_EQ(HeightNotices.size(), 4u);
  FreeRebar(6);
}

TEST_F(RebarTest, TopLevelRebarParentHearsItOnceAndTheDesktopNever) {
  // The rebar's parent is the top-level window itself: one notice, nothing above it.
  SetWindowLongPtrW(Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc));
  ASSERT_EQ(CreateRebar(7, Window, 0, 0, 0), 7);
  AddRebarBand(nullptr, u"", 100, 50, 30, nullptr, 0);
  ForwardRebarMessage(0);
  ASSERT_EQ(HeightNotices.size(), 1u);
  EXPECT_EQ(HeightNotices[0].Window, Window);
}

TEST_F(RebarTest, FreeingGivesBandChildrenBackAndTheMouseHookGoesWithTheLastRebar) {
  ASSERT_EQ(CreateRebar(4, Window, 0, 0x1000600, 0), 4);
  ASSERT_EQ(CreateRebar(5, Window, 0, 0x1000600, 0), 5);
  SetCurrentRebar(4);
  HWND child = MakeStatic(Window, 50, 20);
  AddRebarBand(child, u"", 100, 50, 0, nullptr, 0);
  HWND rebar = RebarWindow(4);
  ASSERT_EQ(GetParent(child), rebar);
  EXPECT_EQ(GetRebarHeight(99), 0);
  EXPECT_EQ(FreeRebar(4), 1);
  EXPECT_FALSE(IsWindow(rebar));
  EXPECT_EQ(GetParent(child), Window);
  EXPECT_EQ(FreeRebar(4), 0);
  EXPECT_EQ(GetRebarHeight(4), 0);
  EXPECT_TRUE(ToolkitList<RebarBandRecord>(ToolkitListId::RebarBands).empty());
  EXPECT_NE(RebarHooks.MouseHook, nullptr);
  FreeRebar(5);
  EXPECT_EQ(RebarHooks.MouseHook, nullptr);
}

TEST_F(RebarTest, DraggingABandDownStartsARowAndGrowsTheWindow) {
  ASSERT_EQ(CreateRebar(4, Window, 0, 0x1000600, 0), 4);
  HWND rebar = RebarWindow(4);
  AddRebarBand(nullptr, u"a", 150, 100, 24, nullptr, 0);
  AddRebarBand(nullptr, u"b", 150, 100, 24, nullptr, 0);
  SendMessageW(Window, WM_SIZE, 0, MAKELPARAM(780, 560));
  MoveWindow(rebar, 0, 0, 780, GetRebarHeight(4), TRUE);
  ASSERT_EQ(SendMessageW(rebar, RB_GETROWCOUNT, 0, 0), 1);
  const int before = HeightOf(Window);
  const int barBefore = GetRebarHeight(4);
  const RECT band = GetRebarBandRect(rebar, 1);
  MoveRebarBand(rebar, 1, band.left + 5, band.bottom + (band.bottom - band.top));
  EXPECT_EQ(SendMessageW(rebar, RB_GETROWCOUNT, 0, 0), 2);
  EXPECT_NE(BandInfo(rebar, 1, RBBIM_STYLE).fStyle & RBBS_BREAK, 0u);
  const int grown = GetRebarHeight(4) - barBefore;
  EXPECT_GT(grown, 0);
  EXPECT_EQ(HeightOf(Window), before + grown);
  // Back up: the band joins the first row again.
  const RECT moved = GetRebarBandRect(rebar, 1);
  MoveRebarBand(rebar, 1, moved.left + 5, moved.top - (moved.bottom - moved.top));
  EXPECT_EQ(SendMessageW(rebar, RB_GETROWCOUNT, 0, 0), 1);
  EXPECT_EQ(HeightOf(Window), before);
  // A small move stays in the row.
  MoveRebarBand(rebar, 1, moved.left + 5, moved.top + 2);
  EXPECT_EQ(SendMessageW(rebar, RB_GETROWCOUNT, 0, 0), 1);
}

}  // namespace
