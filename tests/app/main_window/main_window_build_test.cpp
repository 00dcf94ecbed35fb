#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/gadget_ids.h"
#include "app/logic/embedded_images.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"
#include "app/main_window_layout.h"
#include "main_window_fixture.h"
#include "runtime/win32/platform/wide_text.h"
#include "runtime/win32/gui.h"
#include "veloui/menus/menu_builder_state.h"
#include "veloui/menus/menus.h"
#include "veloui/menus/rebars.h"

namespace {

constexpr UINT kGetCueBanner = 0x1502;

TEST_F(MainWindowTest, WindowZeroIsShownWithItsTitleAndPlaceFromTheSettings) {
  const HWND window = WindowHandle(kMainWindow);
  EXPECT_EQ(ClassOf(window), u"WindowClass_0");
  EXPECT_EQ(WindowTextOf(window), u"Velo 2 DUro");
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(WindowInnerWidth(kMainWindow), 780);
  EXPECT_EQ(WindowInnerHeight(kMainWindow), 560);
  EXPECT_EQ(WindowX(kMainWindow), 40);
  EXPECT_EQ(WindowY(kMainWindow), 30);
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  EXPECT_NE(style & WS_THICKFRAME, 0);
  EXPECT_NE(style & WS_MINIMIZEBOX, 0);
  EXPECT_NE(style & WS_MAXIMIZEBOX, 0);
}

TEST_F(MainWindowTest, BothPositionsMinusOneCentreTheWindowOnTheScreen) {
  Build("[GUI]\r\nWindowX = -1\r\nWindowY = -1\r\nWindowWidth = 600\r\nWindowHeight = 400\r\n", 0);
  RECT outer{};
  GetWindowRect(WindowHandle(kMainWindow), &outer);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int middle = (outer.left + outer.right) / 2;
  EXPECT_NEAR(middle, screenWidth / 2, 2);
  EXPECT_NE(WindowX(kMainWindow), -1);
  // Only one of them -1 is taken as the position.
  Build("[GUI]\r\nWindowX = -1\r\nWindowY = 50\r\nWindowWidth = 600\r\nWindowHeight = 400\r\n", 0);
  EXPECT_EQ(WindowX(kMainWindow), -1);
  EXPECT_EQ(WindowY(kMainWindow), 50);
}

TEST_F(MainWindowTest, EveryGadgetIsThereWithItsClassAndText) {
  struct Expected {
    int gadget;
    const char16_t* className;
    const char16_t* text;
  };
  const Expected expected[] = {
      {kTabPanel, u"SysTabControl32", u""},        {kPlayersList, u"SysListView32", u""},
      {kRefreshButton, u"Button", u"REFRESH"},     {kBansList, u"SysListView32", u""},
      {kMissionsList, u"SysListView32", u""},      {kDatabaseList, u"SysListView32", u""},
      {kSearchFieldCombo, u"ComboBox", u"Name"},   {kSearchText, u"Edit", u""},
      {kExactMatchBox, u"Button", u"Exact match"}, {kLogList, u"ListBox", u""},
      {kMessageField, u"Edit", u""},
  };
  for (const Expected& e : expected) {
    const HWND handle = GadgetHandle(e.gadget);
    ASSERT_NE(handle, nullptr) << e.gadget;
    EXPECT_EQ(GetDlgCtrlID(handle), e.gadget);
    EXPECT_EQ(ClassOf(handle), e.className) << e.gadget;
    EXPECT_EQ(WindowTextOf(handle), e.text) << e.gadget;
  }
  EXPECT_NE(GadgetHandle(kLogContainer), nullptr);
  EXPECT_NE(GadgetHandle(kSplitterGadget), nullptr);
  EXPECT_EQ(GadgetState(kExactMatchBox), 0);
  EXPECT_EQ(ClassOf(StatusBarHandle(kMainStatusBar)), u"msctls_statusbar32");
  EXPECT_NE(FindRebarRecord(kMainRebar), nullptr);
}

TEST_F(MainWindowTest, TheTabsAreInOrder) {
  const HWND tabs = GadgetHandle(kTabPanel);
  ASSERT_EQ(TabCtrl_GetItemCount(tabs), 4);
  const char16_t* titles[] = {u"Players", u"Bans", u"Missions", u"Database"};
  for (int index = 0; index < 4; ++index) {
    wchar_t text[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    TabCtrl_GetItem(tabs, index, &item);
    EXPECT_EQ(FromWide(text), titles[index]);
  }
  // Each list sits on the page of its own tab.
  EXPECT_EQ(GetParent(GadgetHandle(kPlayersList)), GetParent(GadgetHandle(kRefreshButton)));
  EXPECT_EQ(GetParent(GadgetHandle(kDatabaseList)), GetParent(GadgetHandle(kSearchText)));
  EXPECT_NE(GetParent(GadgetHandle(kPlayersList)), GetParent(GadgetHandle(kBansList)));
  EXPECT_EQ(GetParent(GetParent(GadgetHandle(kBansList))), tabs);
}

TEST_F(MainWindowTest, ColumnTitlesAndWidthsComeFromTheSettings) {
  const struct {
    int list;
    std::vector<std::pair<const char16_t*, int>> columns;  // title, width
  } lists[] = {
      {kPlayersList,
       {{u"Name", 121}, {u"Score", 41}, {u"Deaths", 42}, {u"Team", 43}, {u"Ping", 44}, {u"IP", 105}, {u"GUID", 206}}},
      {kBansList, {{u"GUID", 231}, {u"Banned until", 132}, {u"Reason", 233}}},
      {kMissionsList, {{u"Mission", 345}}},
      {kDatabaseList, {{u"Name", 111}, {u"GUID", 212}, {u"IP", 113}, {u"Server", 114}, {u"Date", 115}}},
  };
  for (const auto& [list, columns] : lists) {
    ASSERT_EQ(CountGadgetColumns(list), static_cast<int>(columns.size())) << list;
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
      EXPECT_EQ(ColumnTitle(list, c), columns[c].first) << list << " " << c;
      EXPECT_EQ(GadgetColumnWidth(list, c), columns[c].second) << list << " " << c;
    }
  }
}

TEST_F(MainWindowTest, ListsSelectWholeRowsOneAtATimeAndKeepTheSelectionVisible) {
  for (const int list : {kPlayersList, kBansList, kMissionsList, kDatabaseList}) {
    const HWND handle = GadgetHandle(list);
    const LONG style = GetWindowLongW(handle, GWL_STYLE);
    EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT) << list;
    EXPECT_NE(style & LVS_SINGLESEL, 0) << list;
    EXPECT_NE(style & LVS_SHOWSELALWAYS, 0) << list;
    EXPECT_NE(GetWindowLongW(handle, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0) << list;
    const DWORD extended = ListView_GetExtendedListViewStyle(handle);
    EXPECT_NE(extended & LVS_EX_FULLROWSELECT, 0u) << list;
    EXPECT_NE(extended & LVS_EX_DOUBLEBUFFER, 0u) << list;
    EXPECT_EQ((extended & LVS_EX_HEADERDRAGDROP) != 0, list == kBansList) << list;
  }
  // The database list holds no rows of its own.
  EXPECT_NE(GetWindowLongW(GadgetHandle(kDatabaseList), GWL_STYLE) & LVS_OWNERDATA, 0);
}

TEST_F(MainWindowTest, SearchRowLogAndMessageFieldAreSetUp) {
  ASSERT_EQ(CountGadgetItems(kSearchFieldCombo), 5);
  const char16_t* items[] = {u"Search for", u"Name", u"GUID", u"IP", u"Server"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(GadgetItemText(kSearchFieldCombo, i), items[i]);
  EXPECT_EQ(GadgetState(kSearchFieldCombo), 1);
  EXPECT_EQ(GetWindowLongW(GadgetHandle(kSearchFieldCombo), GWL_STYLE) & 3, CBS_DROPDOWNLIST);
  wchar_t banner[64] = {};
  SendMessageW(GadgetHandle(kMessageField), kGetCueBanner, reinterpret_cast<WPARAM>(banner), 64);
  EXPECT_EQ(FromWide(banner), u"Ingame message");
  EXPECT_EQ(GetParent(GadgetHandle(kLogList)), GadgetHandle(kLogContainer));
  EXPECT_EQ(GetParent(GadgetHandle(kMessageField)), GadgetHandle(kLogContainer));
  // The log's own background.
  const HWND log = GadgetHandle(kLogList);
  HDC dc = GetDC(log);
  const auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(GetParent(log), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(log)));
  EXPECT_EQ(GetBkColor(dc), RGB(0xEE, 0xEE, 0xEE));
  ReleaseDC(log, dc);
  LOGBRUSH info{};
  ASSERT_NE(brush, nullptr);
  GetObjectW(brush, sizeof info, &info);
  EXPECT_EQ(info.lbColor, RGB(0xEE, 0xEE, 0xEE));
}

TEST_F(MainWindowTest, StatusBarHasThreeFieldsOf200150And200Pixels) {
  int edges[4] = {};
  ASSERT_EQ(SendMessageW(StatusBarHandle(kMainStatusBar), SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 3);
  EXPECT_EQ(edges[0], 200);
  EXPECT_EQ(edges[1], 350);
  EXPECT_EQ(edges[2], 550);
}

TEST_F(MainWindowTest, SplitterHoldsTabsAboveAndLogBelowAtTheRememberedPosition) {
  const HWND splitter = GadgetHandle(kSplitterGadget);
  EXPECT_EQ(GetParent(GadgetHandle(kTabPanel)), splitter);
  EXPECT_EQ(GetParent(GadgetHandle(kLogContainer)), splitter);
  EXPECT_EQ(GadgetState(kSplitterGadget), 330);
  EXPECT_EQ(GadgetHeight(kTabPanel), 330);
  EXPECT_GT(GadgetY(kLogContainer), GadgetY(kTabPanel) + 330 - 1);
  EXPECT_EQ(GadgetY(kSplitterGadget), GetRebarHeight(kMainRebar));
}

TEST_F(MainWindowTest, WithoutARememberedSplitterTheLogKeepsTheLast70Pixels) {
  Build("[GUI]\r\nWindowWidth = 700\r\nWindowHeight = 540\r\n", 0);
  const int height = 540 - GetRebarHeight(kMainRebar);
  EXPECT_EQ(GadgetState(kSplitterGadget), height - 70);
}

TEST_F(MainWindowTest, ResizingFitsTheSplitterBetweenRebarAndStatusBar) {
  ResizeWindow(kMainWindow, kKeep, kKeep, 900, 650);
  ResizeSplitterToMainWindow();
  EXPECT_EQ(GadgetWidth(kSplitterGadget), 900);
  EXPECT_EQ(GadgetHeight(kSplitterGadget), 650 - GetRebarHeight(kMainRebar) - StatusBarHeight(kMainStatusBar));
  EXPECT_EQ(GadgetState(kSplitterGadget), 330);
}

TEST_F(MainWindowTest, PanelContentsFollowThePanelAndContainerSizes) {
  ResizeWindow(kMainWindow, kKeep, kKeep, 820, 640);
  ResizeSplitterToMainWindow();
  RelayoutPanelContents();
  const int w = GadgetWidth(kTabPanel);
  const int h = GadgetHeight(kTabPanel);
  EXPECT_EQ(w, 820);
  EXPECT_EQ(GadgetWidth(kPlayersList), w - 5);
  EXPECT_EQ(GadgetHeight(kPlayersList), h - 55);
  EXPECT_EQ(GadgetY(kRefreshButton), h - 50);
  EXPECT_EQ(GadgetWidth(kRefreshButton), w - 10);
  EXPECT_EQ(GadgetHeight(kRefreshButton), 20);
  EXPECT_EQ(GadgetHeight(kBansList), h - 30);
  EXPECT_EQ(GadgetHeight(kMissionsList), h - 30);
  EXPECT_EQ(GadgetHeight(kDatabaseList), h - 50);
  EXPECT_EQ(GadgetX(kSearchFieldCombo), 5);
  EXPECT_EQ(GadgetY(kSearchFieldCombo), h - 47);
  EXPECT_EQ(GadgetWidth(kSearchFieldCombo), 150);
  EXPECT_EQ(GadgetX(kSearchText), 160);
  EXPECT_EQ(GadgetWidth(kSearchText), w - 265);
  EXPECT_EQ(GadgetX(kExactMatchBox), w - 95);
  EXPECT_EQ(GadgetWidth(kExactMatchBox), 90);
  const int cw = GadgetWidth(kLogContainer);
  const int ch = GadgetHeight(kLogContainer);
  EXPECT_EQ(GadgetWidth(kLogList), cw);
  EXPECT_EQ(GadgetY(kMessageField), ch - 20);
  EXPECT_EQ(GadgetWidth(kMessageField), cw);
  EXPECT_EQ(GadgetHeight(kMessageField), 20);
}

TEST_F(MainWindowTest, MenuBarSitsInTheRebarWithItsFourTitles) {
  const RebarRecord* rebar = FindRebarRecord(kMainRebar);
  ASSERT_NE(rebar, nullptr);
  EXPECT_EQ(GetParent(rebar->Window), WindowHandle(kMainWindow));
  EXPECT_EQ(SendMessageW(rebar->Window, RB_GETBANDCOUNT, 0, 0), 1);
  HWND bar = nullptr;
  for (const MenuRecord& record : MenuList()) {
    if (!record.IsPopup && record.Id == kMenuBar && record.Toolbar != nullptr) bar = record.Toolbar;
  }
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(GetParent(bar), rebar->Window);
  ASSERT_EQ(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0), 4);
  const char16_t* titles[] = {u"Server", u"Commands", u"Database", u"Info"};
  for (int index = 0; index < 4; ++index) {
    TBBUTTON button{};
    SendMessageW(bar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button));
    wchar_t text[64] = {};
    SendMessageW(bar, TB_GETBUTTONTEXTW, button.idCommand, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(FromWide(text), titles[index]);
  }
  EXPECT_GT(GetRebarHeight(kMainRebar), 0);
}

using MenuItems = std::vector<std::pair<int, const char16_t*>>;  // id (-1 for a separator), text

void ExpectItems(const std::vector<MenuLine>& lines, const MenuItems& items, int menu) {
  ASSERT_EQ(lines.size(), items.size()) << menu;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].ItemText, items[i].second) << menu << " " << i;
    if (items[i].first >= 0) {
      EXPECT_EQ(lines[i].Id, static_cast<UINT>(items[i].first)) << menu << " " << i;
    }
  }
}

TEST_F(MainWindowTest, MenuBarHasItsTitlesItemsAndImages) {
  const MenuItems titles[] = {
      {{1, u"Connect"}, {0, u"Quick Connect"}, {-1, u""}, {8, u"Quit"}},
      {{13, u"Refresh\tF5"}, {-1, u""}, {9, u"Reassign"}, {10, u"Restart"}, {11, u"Shutdown"}, {-1, u""},
       {16, u"Add Ban"}, {17, u"Reload Ban-List"}, {-1, u""}, {12, u"Set MaxPing"}, {-1, u""}, {14, u"Lock"},
       {15, u"Unlock"}, {-1, u""}, {38, u"LoadScripts"}},
      {{28, u"Import..."}, {29, u"Export..."}},
      {{25, u"Project Page..."}, {27, u"\\bDonate..."}, {-1, u""}, {2, u"About..."}}};
  for (int title = 0; title < 4; ++title) ExpectItems(MenuBarItems(title), titles[title], title);
  EXPECT_TRUE(MenuBarItems(0)[0].HasImage);
  EXPECT_TRUE(MenuBarItems(0)[1].HasImage);
  EXPECT_FALSE(MenuBarItems(0)[3].HasImage);
  EXPECT_TRUE(MenuBarItems(3)[3].HasImage);
}

TEST_F(MainWindowTest, PopupMenusHaveTheirItemsInOrder) {
  const std::pair<int, MenuItems> menus[] = {
      {1,
       {{30, u"Copy all"}, {31, u"Copy name"}, {32, u"Copy GUID"}, {33, u"Copy IP"}, {-1, u""}, {3, u"Kick"},
        {4, u"Ban"}, {-1, u""}, {37, u"Send Message"}}},
      {3, {{6, u"Remove ban"}}},
      {2, {{7, u"Connect"}, {5, u"Delete"}}},
      {73,
       {{18, u"Copy all"}, {19, u"Copy name"}, {20, u"Copy GUID"}, {21, u"Copy IP"}, {22, u"Copy server"}, {-1, u""},
        {23, u"Show associations"}, {24, u"Reset search"}}},
      {81, {{34, u"Load"}}},
      {86, {{39, u"Copy to Clipboard"}}},
  };
  for (const auto& [id, items] : menus) {
    ExpectItems(PopupItems(id), items, id);
    for (const MenuLine& line : PopupItems(id)) EXPECT_FALSE(line.Grayed) << id;
  }
}

TEST_F(MainWindowTest, ServerControlsAreDisabledUntilConnected) {
  for (const int gadget : {kRefreshButton, kPlayersList, kBansList, kMissionsList, kMessageField}) {
    EXPECT_FALSE(IsWindowEnabled(GadgetHandle(gadget))) << gadget;
  }
  for (const int gadget : {kDatabaseList, kSearchFieldCombo, kSearchText, kExactMatchBox, kLogList}) {
    EXPECT_TRUE(IsWindowEnabled(GadgetHandle(gadget))) << gadget;
  }
  const std::vector<MenuLine> commands = MenuBarItems(1);
  for (const MenuLine& line : commands) {
    if (!line.ItemText.empty()) {
      EXPECT_TRUE(line.Grayed) << line.Id;
    }
  }
  for (const MenuLine& line : MenuBarItems(0)) EXPECT_FALSE(line.Grayed) << line.Id;
  for (const MenuLine& line : MenuBarItems(2)) EXPECT_FALSE(line.Grayed) << line.Id;
  for (const MenuLine& line : MenuBarItems(3)) EXPECT_FALSE(line.Grayed) << line.Id;

  SetMainWindowServerControlsDisabled(false);
  for (const int gadget : {kRefreshButton, kPlayersList, kBansList, kMissionsList, kMessageField}) {
    EXPECT_TRUE(IsWindowEnabled(GadgetHandle(gadget))) << gadget;
  }
  for (const MenuLine& line : MenuBarItems(1)) EXPECT_FALSE(line.Grayed) << line.Id;
}

TEST_F(MainWindowTest, WithTheDatabaseOffItsControlsAndItemsAreDisabled) {
  Build(kTestSettings, 0);
  for (const int gadget : {kDatabaseList, kSearchFieldCombo, kSearchText, kExactMatchBox}) {
    EXPECT_FALSE(IsWindowEnabled(GadgetHandle(gadget))) << gadget;
  }
  const std::vector<MenuLine> database = MenuBarItems(2);
  ASSERT_EQ(database.size(), 2u);
  EXPECT_TRUE(database[0].Grayed);
  EXPECT_TRUE(database[1].Grayed);
  // Connecting does not bring them back.
  SetMainWindowServerControlsDisabled(false);
  EXPECT_FALSE(IsWindowEnabled(GadgetHandle(kDatabaseList)));
  EXPECT_TRUE(MenuBarItems(2)[0].Grayed);
}

TEST_F(MainWindowTest, F5AndReturnGiveTheirMenuEventsWhateverHasTheFocus) {
  SetActiveGadget(kSearchText);
  Pump();
  TakeEvents();
  PostMessageW(GadgetHandle(kSearchText), WM_KEYDOWN, VK_F5, 0);
  PostMessageW(GadgetHandle(kLogList), WM_KEYDOWN, VK_RETURN, 0);
  std::vector<std::pair<int, int>> events;
  for (int round = 0; round < 50 && events.size() < 2; ++round) {
    const int code = WindowEvent();
    if (code == kEventMenu) events.emplace_back(code, EventMenu());
  }
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].second, kItemRefresh);
  EXPECT_EQ(events[1].second, kItemBroadcastReturn);
}

}  // namespace
