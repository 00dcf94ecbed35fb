#include <windows.h>

#include "skins_fixture.h"
#include "veloui/skins/panelex/panelex.h"
#include "veloui/skins/splitterex/splitterex.h"

namespace {
class SplitterExTest : public SkinsTest {
 protected:
  void SetUp() override {
    SkinsTest::SetUp();
    for (HWND& pane : Panes)
      pane = CreateWindowExW(0, L"Edit", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 10, 10, Window, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  }
  std::intptr_t MakeSplitter() { return CreateSplitterEx(-1, Window, 10, 10, 300, 200, Panes[0], Panes[1]); }
  int FirstPaneWidth() const {
    RECT area{};
    GetWindowRect(Panes[0], &area);
    return area.right - area.left;
  }
  HWND Panes[2] = {};
};

TEST_F(SplitterExTest, PlacesItsPanesBesideTheGripper) {
  const std::intptr_t splitter = MakeSplitter();
  ASSERT_NE(splitter, 0);
  EXPECT_NE(splitter, -1);
  HWND window = GetPanelExWindow(splitter);
  EXPECT_EQ(GetParent(Panes[0]), window);
  EXPECT_EQ(GetSplitterExPosition(splitter), 150);
  EXPECT_LE(FirstPaneWidth(), 150);
  EXPECT_GE(FirstPaneWidth(), 140);
  EXPECT_EQ(FreeSplitterEx(-1), 1);
  EXPECT_FALSE(IsWindow(window));
  for (HWND pane : Panes) {
    EXPECT_TRUE(IsWindow(pane));
    EXPECT_EQ(GetParent(pane), Window);
  }
}

TEST_F(SplitterExTest, ADragWithTheMouseMovesThePanesAndRemovesItsHook) {
  CountMessagesOf(Window);
  const std::intptr_t splitter = MakeSplitter();
  HWND gripper = SplitterExGripper(splitter);
  PumpFor(50);
  const int gap = GetSplitterExPosition(splitter) - FirstPaneWidth();
  EXPECT_EQ(SplitterExDragHook(), nullptr);
  MouseAt(gripper, 2, 50, 0);
  MouseAt(gripper, 2, 50, 1);
  PumpFor(1000, [] { return SplitterExDragHook() != nullptr; });
  EXPECT_NE(SplitterExDragHook(), nullptr);
  MouseAt(GetPanelExWindow(splitter), 80, 50, 0);
  PumpFor(1000, [splitter] { return GetSplitterExPosition(splitter) < 100; });
  // The gripper keeps the spot where it was grabbed (a pixel either way after the mouse's scaling).
  EXPECT_NEAR(GetSplitterExPosition(splitter), 78, 2);
  EXPECT_EQ(FirstPaneWidth(), GetSplitterExPosition(splitter) - gap);
  MouseAt(GetPanelExWindow(splitter), 80, 50, 2);
  PumpFor(1000, [] { return SplitterExDragHook() == nullptr; });
  EXPECT_EQ(SplitterExDragHook(), nullptr);
  PumpFor(50);
  EXPECT_EQ(Received().SplitterDrags, 1);
  EXPECT_EQ(Received().SplitterDrops, 1);

  // Destroyed in the middle of a drag: the hook goes with it.
  MouseAt(gripper, 2, 50, 1);
  PumpFor(1000, [] { return SplitterExDragHook() != nullptr; });
  EXPECT_NE(SplitterExDragHook(), nullptr);
  EXPECT_EQ(FreeSplitterEx(splitter), 1);
  EXPECT_EQ(SplitterExDragHook(), nullptr);
  MouseAt(Window, 20, 20, 2);
}

TEST_F(SplitterExTest, SplittersLeaveNoObjectsBehind) {
  ExpectNoObjectsLeft([this] {
    const std::intptr_t splitter = MakeSplitter();
    UpdateWindow(GetPanelExWindow(splitter));
    FreeSplitterEx(splitter);
  });
}
}  // namespace
