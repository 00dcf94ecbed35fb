// Window 0 as the settings and the connection state make it, its layout as the main loop keeps
// it, and the GUI thread serving the network thread while it waits for the lock.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/files/settings.h"
#include "app/gadget_ids.h"
#include "app/main_window.h"
#include "app/main_window_layout.h"
#include "app/menu_ids.h"
#include "app/save_settings.h"
#include "app/window_ids.h"
#include "main_window_fixture.h"
#include "runtime/portable/files.h"
#include "runtime/win32/gui.h"
#include "veloui/menus/rebars.h"
#include "velorcon/rcon_state.h"
#include "velorcon/rcon_window.h"

namespace {

TEST_F(MainWindowTest, WindowZeroIsShownWithItsTitleAndPlaceFromTheSettings) {
  const HWND window = WindowHandle(kMainWindow);
  EXPECT_EQ(WindowTextOf(window), u"Velo 2 DUro");
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(WindowInnerWidth(kMainWindow), 780);
  EXPECT_EQ(WindowInnerHeight(kMainWindow), 560);
  EXPECT_EQ(WindowX(kMainWindow), 40);
  EXPECT_EQ(WindowY(kMainWindow), 30);
  EXPECT_NE(GetWindowLongW(window, GWL_STYLE) & WS_THICKFRAME, 0);
}

TEST_F(MainWindowTest, BothPositionsMinusOneCentreTheWindowOnTheScreen) {
  Build("[GUI]\r\nWindowX = -1\r\nWindowY = -1\r\nWindowWidth = 600\r\nWindowHeight = 400\r\n", 0);
  RECT outer{};
  GetWindowRect(WindowHandle(kMainWindow), &outer);
  EXPECT_NEAR((outer.left + outer.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 2);
  EXPECT_NE(WindowX(kMainWindow), -1);
  // Only one of them -1 is taken as the position.
  Build("[GUI]\r\nWindowX = -1\r\nWindowY = 50\r\nWindowWidth = 600\r\nWindowHeight = 400\r\n", 0);
  EXPECT_EQ(WindowX(kMainWindow), -1);
  EXPECT_EQ(WindowY(kMainWindow), 50);
}

TEST_F(MainWindowTest, ColumnWidthsComeFromTheSettings) {
  const std::pair<int, std::vector<int>> lists[] = {
      {kPlayersList, {121, 41, 42, 43, 44, 105, 206}},
      {kBansList, {231, 132, 233}},
      {kMissionsList, {345}},
      {kDatabaseList, {111, 212, 113, 114, 115}},
  };
  for (const auto& [list, widths] : lists) {
    ASSERT_EQ(CountGadgetColumns(list), static_cast<int>(widths.size())) << list;
    for (int c = 0; c < static_cast<int>(widths.size()); ++c) {
      EXPECT_EQ(GadgetColumnWidth(list, c), widths[c]) << list << " " << c;
    }
  }
}

TEST_F(MainWindowTest, TheSplitterKeepsItsRememberedPlaceAcrossAResize) {
  EXPECT_EQ(GadgetState(kSplitterGadget), 330);
  EXPECT_EQ(GadgetHeight(kTabPanel), 330);
  EXPECT_EQ(GadgetY(kSplitterGadget), GetRebarHeight(kMainRebar));
  ResizeWindow(kMainWindow, kKeep, kKeep, 900, 650);
  ResizeSplitterToMainWindow();
  EXPECT_EQ(GadgetWidth(kSplitterGadget), 900);
  EXPECT_EQ(GadgetHeight(kSplitterGadget), 650 - GetRebarHeight(kMainRebar) - StatusBarHeight(kMainStatusBar));
  EXPECT_EQ(GadgetState(kSplitterGadget), 330);
}

TEST_F(MainWindowTest, WithoutARememberedSplitterTheLogKeepsTheLast70Pixels) {
  Build("[GUI]\r\nWindowWidth = 700\r\nWindowHeight = 540\r\n", 0);
  EXPECT_EQ(GadgetState(kSplitterGadget), 540 - GetRebarHeight(kMainRebar) - 70);
}

TEST_F(MainWindowTest, AWindowThatOnlyGrowsTallerMovesTheMessageFieldToTheContainersBottom) {
  const int panelHeight = GadgetHeight(kTabPanel);
  ResizeWindow(kMainWindow, kKeep, kKeep, kKeep, WindowInnerHeight(kMainWindow) + 100);
  FollowMainWindowSize();
  RelayoutWhenResized();
  ASSERT_EQ(GadgetHeight(kTabPanel), panelHeight) << "the splitter keeps the panel's height";
  EXPECT_EQ(GadgetY(kMessageField), GadgetHeight(kLogContainer) - 20);
  EXPECT_EQ(GadgetHeight(kLogList), GadgetHeight(kLogContainer) - 20);
}

TEST_F(MainWindowTest, MinimisingKeepsTheSplitterAndQuittingMinimisedSavesIt) {
  const int position = GadgetState(kSplitterGadget);
  ShowWindow(WindowHandle(kMainWindow), SW_MINIMIZE);
  ASSERT_EQ(WindowState(kMainWindow), static_cast<std::int32_t>(kWindowMinimized));
  FollowMainWindowSize();
  RelayoutWhenResized();
  SaveSettings();
  std::string settings;
  ASSERT_TRUE(ReadWholeFile(AppSettings.SettingsFilePath, settings));
  EXPECT_NE(settings.find("Splitter = " + std::to_string(position) + "\r\n"), std::string::npos) << settings;
  ShowWindow(WindowHandle(kMainWindow), SW_RESTORE);
  FollowMainWindowSize();
  EXPECT_EQ(GadgetState(kSplitterGadget), position);
}

bool AllGrayed(const std::vector<MenuLine>& lines, bool grayed) {
  for (const MenuLine& line : lines) {
    if (!line.ItemText.empty() && line.Grayed != grayed) return false;  // separators aside
  }
  return true;
}

TEST_F(MainWindowTest, ServerControlsAreDisabledUntilConnected) {
  const int server[] = {kRefreshButton, kPlayersList, kBansList, kMissionsList, kMessageField};
  for (const int gadget : server) EXPECT_FALSE(IsWindowEnabled(GadgetHandle(gadget))) << gadget;
  for (const int gadget : {kDatabaseList, kSearchText, kLogList}) EXPECT_TRUE(IsWindowEnabled(GadgetHandle(gadget)));
  EXPECT_TRUE(AllGrayed(MenuBarItems(1), true));
  for (const int title : {0, 2, 3}) EXPECT_TRUE(AllGrayed(MenuBarItems(title), false)) << title;

  SetMainWindowServerControlsDisabled(false);
  for (const int gadget : server) EXPECT_TRUE(IsWindowEnabled(GadgetHandle(gadget))) << gadget;
  EXPECT_TRUE(AllGrayed(MenuBarItems(1), false));
}

TEST_F(MainWindowTest, WithTheDatabaseOffItsControlsAndItemsAreDisabledEvenWhenConnected) {
  Build(kTestSettings, 0);
  SetMainWindowServerControlsDisabled(false);
  for (const int gadget : {kDatabaseList, kSearchFieldCombo, kSearchText, kExactMatchBox}) {
    EXPECT_FALSE(IsWindowEnabled(GadgetHandle(gadget))) << gadget;
  }
  ASSERT_EQ(MenuBarItems(2).size(), 2u);
  EXPECT_TRUE(AllGrayed(MenuBarItems(2), true));
}

TEST_F(MainWindowTest, F5AndReturnGiveTheirMenuEventsWhateverHasTheFocus) {
  SetActiveGadget(kSearchText);
  Pump();
  TakeEvents();
  PostMessageW(GadgetHandle(kSearchText), WM_KEYDOWN, VK_F5, 0);
  PostMessageW(GadgetHandle(kLogList), WM_KEYDOWN, VK_RETURN, 0);
  std::vector<int> items;
  for (int round = 0; round < 50 && items.size() < 2; ++round) {
    if (WindowEvent() == kEventMenu) items.push_back(EventMenu());
  }
  EXPECT_EQ(items, (std::vector<int>{kItemRefresh, kItemBroadcastReturn}));
}

// The pump holds the protocol's lock while it hands a log line over; the GUI thread waiting
// for that lock meanwhile must take the hand-over, or neither thread would go on.
TEST_F(MainWindowTest, TheGuiThreadWaitingForTheLockServesTheNetworkThread) {
  std::atomic<bool> locked{false};
  std::thread network([&] {
    RconLockGuard guard;
    locked = true;
    Sleep(50);
    CurrentRconWindow().AddLogLine(u"handed over under the lock");
  });
  for (int round = 0; round < 5000 && !locked; ++round) Sleep(1);
  ASSERT_TRUE(locked);
  { RconLockGuard guard; }
  network.join();
  ASSERT_EQ(CountGadgetItems(kLogList), 1);
  EXPECT_EQ(GadgetItemText(kLogList, 0), u"handed over under the lock");
}

}  // namespace
