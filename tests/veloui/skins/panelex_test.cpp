#include <windows.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "skins_fixture.h"
#include "veloui/foundation/coded_text.h"
#include "veloui/foundation/core/debug_log.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/skins/buttonex/buttonex.h"
#include "veloui/skins/panelex/panelex.h"
#include "veloui/skins/panelex/panelex_records.h"
#include "veloui/skins/splitterex/splitterex.h"
#include "veloui/skins/text_control/text_control.h"

namespace {
using PanelExTest = SkinsTest;

PanelExPageRecord PageCopy(std::intptr_t panel) {
  ToolkitLockGuard guard(ToolkitLock::PanelEx);
  const PanelExRecord* found = FindPanelExRecord(panel);
  const PanelExPageRecord* record = found != nullptr ? FindPanelExPageRecord(found->Window, 0) : nullptr;
  return record != nullptr ? *record : PanelExPageRecord{};
}

HWND Child(const wchar_t* className, HWND parent, int width, int height, DWORD style = 0) {
  return CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, width, height, parent, nullptr, nullptr,
                         nullptr);
}

TEST_F(PanelExTest, WithoutPanelsNothingIsFoundAndTheFreeAllsSucceed) {
  for (std::int32_t (*free_all)(std::intptr_t) : {FreeButtonEx, FreeTextControl, FreeSplitterEx, FreePanelEx})
    EXPECT_EQ(free_all(-1), 1);
  EXPECT_EQ(FreePanelEx(reinterpret_cast<std::intptr_t>(Window)), 0);
  EXPECT_EQ(FreeButtonEx(1234), 0);
  EXPECT_EQ(FindPanelExPageOfWindow(Window), Window);
  EXPECT_EQ(SetPanelExPageAlpha(reinterpret_cast<std::intptr_t>(Window), 0, 100, 0), 0);
  EXPECT_EQ(RefreshPanelExOf(Window), 0);
}

// A freed panel moves only its pages' direct children: a combo box keeps its own edit.
TEST_F(PanelExTest, AFreedPageHandsItsChildrenOnWithTheirOwnChildren) {
  const std::intptr_t panel = CreatePanelEx(-1, Window, 10, 10, 300, 200);
  HWND page = AddPanelExPage();
  ASSERT_TRUE(panel && page);
  EXPECT_EQ(FindPanelExPageOfWindow(page), page);
  HWND combo = Child(L"ComboBox", page, 120, 100, CBS_DROPDOWN);
  HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(FindPanelExPageOfWindow(edit), page);
  EXPECT_EQ(FreePanelEx(panel), 1);
  EXPECT_FALSE(IsWindow(page));
  EXPECT_EQ(GetParent(combo), Window);
  EXPECT_EQ(GetParent(edit), combo);
  EXPECT_EQ(FreePanelEx(panel), 0);
}

TEST_F(PanelExTest, APanelDestroyedWithItsParentTakesItsRecordsAlong) {
  HWND holder = Child(L"Button", Window, 200, 100);
  const std::intptr_t panel = CreatePanelEx(-1, holder, 0, 0, 100, 50);
  ASSERT_NE(AddPanelExPage(), nullptr);
  DestroyWindow(holder);
  EXPECT_EQ(GetPanelExWindow(panel), nullptr);
  EXPECT_EQ(PageCopy(panel).Window, nullptr);
  EXPECT_EQ(FreePanelEx(panel), 0);
}

// The bar decisions and geometry are tested natively; here the windows that show them.
TEST_F(PanelExTest, BothBarsMakeTwoScrollBarsAndASizeBoxThatFollowTheContent) {
  const std::intptr_t panel = CreatePanelEx(-1, Window, 0, 0, 400, 300);
  HWND page = AddPanelExPage();
  HWND wide = Child(L"Button", page, 600, 500);
  ASSERT_TRUE(panel && page && wide);
  static std::vector<Text> lines;
  lines.clear();
  SetDebugLogSinkForTesting([](const Text& line) { lines.push_back(line); });
  ASSERT_EQ(SetPanelExPageScrolling(panel, 0, kPanelExHScroll | kPanelExVScroll | kPanelExAutoScroll, 1), 1);
  SetDebugLogSinkForTesting(nullptr);
  for (const char16_t* line : {u"hscroll true", u"vscroll true", u"autoscroll true"})
    EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << Text(line).size();
  PanelExPageRecord record = PageCopy(panel);
  for (HWND shown : {record.HScrollBar, record.VScrollBar, record.SizeBox}) EXPECT_TRUE(IsWindowVisible(shown));
  SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(record.HScrollBar, SB_CTL, &info);
  EXPECT_EQ(info.nMax, 600);

  // The content shrinks below the panel: both bars and the box go.
  SetWindowPos(wide, nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
  for (HWND hidden : {record.HScrollBar, record.VScrollBar, record.SizeBox}) EXPECT_FALSE(IsWindowVisible(hidden));
  EXPECT_EQ(FreePanelEx(panel), 1);
}

// An alpha change from another thread never redraws under the lock: the repaint is posted.
TEST_F(PanelExTest, PageAlphaSetFromAnotherThreadIsSafe) {
  const std::intptr_t panel = CreatePanelEx(-1, Window, 0, 0, 200, 100);
  ASSERT_NE(AddPanelExPage(), nullptr);
  int found = 0;
  std::thread fader([&] {
    for (int alpha = 0; alpha < 100; ++alpha) found += SetPanelExPageAlpha(panel, 0, static_cast<std::uint16_t>(alpha), 0);
  });
  bool done = false;
  std::thread watcher([&] {
    fader.join();
    done = true;
  });
  PumpFor(5000, [&] { return done; });
  watcher.join();
  PumpFor(50);
  EXPECT_EQ(found, 100);
  EXPECT_EQ(PageCopy(panel).Alpha, 99);
  EXPECT_EQ(FreePanelEx(panel), 1);
}

TEST_F(PanelExTest, TextOnATransparentBufferGetsItsAlphaBackWithinTheBuffer) {
  const std::intptr_t panel = CreatePanelEx(-1, Window, 0, 0, 100, 20);
  ToolkitLockGuard guard(ToolkitLock::PanelEx);
  HDC buffer = PanelExBufferDC(panel, 100, 20);
  ASSERT_NE(buffer, nullptr);
  const HGDIOBJ bits = GetCurrentObject(buffer, OBJ_BITMAP);
  RECT all{0, 0, 100, 20};
  FillRect(buffer, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));  // alpha 0 everywhere
  SetTextColor(buffer, RGB(255, 255, 255));
  SetBkMode(buffer, TRANSPARENT);
  // The text runs far past the buffer's right edge: nothing may land outside it.
  RECT text{80, 0, 400, 20};
  DrawCodedText(buffer, u"WWWWWWWWWWWWWWWWWWWW", text, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), 0);
  int touched = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 70; ++x) ASSERT_EQ(DibPixel(bits, x, y), 0u) << x << "," << y;
    for (int x = 80; x < 100; ++x) {
      const std::uint32_t alpha = DibPixel(bits, x, y) >> 24;
      EXPECT_LE(alpha, 183u);
      touched += alpha > 0 ? 1 : 0;
    }
  }
  EXPECT_GT(touched, 0);
  FreePanelEx(panel);
}
}  // namespace
