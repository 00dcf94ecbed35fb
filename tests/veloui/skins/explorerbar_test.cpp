#include <windows.h>

#include "skins_fixture.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/skins/panelex/panelex_records.h"
#include "veloui/skins/core/skin_records.h"
#include "veloui/skins/explorerbar/explorerbar.h"
#include "veloui/skins/panelex/panelex.h"

namespace {
using ExplorerBarTest = SkinsTest;

int HeightOf(HWND window) {
  RECT area{};
  GetWindowRect(window, &area);
  return area.bottom - area.top;
}

// The alpha of the page under a group's header, which the animation thread fades.
int ItemsAlpha(HWND group) {
  HWND items = FindWindowExW(group, nullptr, L"VeloUI_PanelEx", nullptr);
  HWND page = FindWindowExW(items, nullptr, L"VeloUI_PanelExPage", nullptr);
  ToolkitLockGuard guard(ToolkitLock::PanelEx);
  const PanelExPageRecord* record = FindPageRecordOfWindow(page);
  return record != nullptr ? record->Alpha : -1;
}

int TopOf(HWND window) {
  RECT area{};
  GetWindowRect(window, &area);
  return area.top;
}

TEST_F(ExplorerBarTest, AGroupCollapsesAndExpandsThroughTheAnimationThread) {
  const std::intptr_t bar = CreateExplorerBar(-1, Window, 10, 10, 200, 300);
  ASSERT_NE(bar, 0);
  EXPECT_NE(bar, -1);
  EXPECT_EQ(GetSkinName(ExplorerBarSkin(bar)), u"sysXBarSkin");
  ASSERT_EQ(AddExplorerBarGroup(bar, u"Tasks"), 0);
  ASSERT_EQ(AddExplorerBarGroup(bar, u"Places"), 1);
  for (const char16_t* item : {u"One", u"Two", u"Three"}) AddExplorerBarItem(bar, 0, item);
  HWND group = ExplorerBarGroupWindow(bar, 0);
  HWND next = ExplorerBarGroupWindow(bar, 1);
  ASSERT_TRUE(group && next);
  const int full = HeightOf(group);
  const int next_top = TopOf(next);
  EXPECT_EQ(full, 20 + 3 * 22);
  PumpFor(50);

  MouseAt(group, 30, 10, 0);
  MouseAt(group, 30, 10, 1);
  MouseAt(group, 30, 10, 2);
  PumpFor(3000, [group] { return HeightOf(group) == 20; });
  PumpFor(300);
  EXPECT_EQ(HeightOf(group), 20);
  EXPECT_EQ(TopOf(next), next_top - 3 * 22);  // the next group follows it up
  EXPECT_EQ(ItemsAlpha(group), 0);

  EXPECT_EQ(SetExplorerBarGroupCollapsed(bar, 0, 0), 1);
  PumpFor(3000, [group, full] { return HeightOf(group) == full; });
  EXPECT_EQ(HeightOf(group), full);
  PumpFor(300);
  EXPECT_EQ(ItemsAlpha(group), 255);
  EXPECT_EQ(FreeExplorerBar(bar), 1);
  EXPECT_FALSE(IsWindow(group));
}

TEST_F(ExplorerBarTest, BarsLeaveNoObjectsBehind) {
  ExpectNoObjectsLeft([this] {
    const std::intptr_t bar = CreateExplorerBar(-1, Window, 0, 0, 150, 200);
    AddExplorerBarItem(bar, AddExplorerBarGroup(bar, u"Group"), u"Item");
    UpdateWindow(GetPanelExWindow(bar));
    FreeExplorerBar(bar);
  });
}
}  // namespace
