// Window 0 as settings, connection and refreshes make it: layout, log, players and database view.
#include "main_window_fixture.h"  // windows.h before commctrl.h

#include <commctrl.h>

#include <atomic>
#include <regex>
#include <thread>

#include "app/clipboard_copies.h"
#include "app/log_view.h"
#include "app/player_list_view.h"
#include "app/save_settings.h"
#include "listsort/listsort.h"
#include "rcon_fixture.h"
#include "runtime/portable/files.h"
#include "server_texts.h"
#include "velorcon/disconnect.h"
#include "velorcon/parsers.h"

namespace {

TEST_F(MainWindowTest, PlaceColumnWidthsAndSplitterComeFromTheSettings) {
  const HWND window = WindowHandle(kMainWindow);
  EXPECT_TRUE(IsWindowVisible(window));
  // The outer frame at the saved place: it once crept by the border width on every start.
  EXPECT_EQ(std::tuple(WindowX(kMainWindow), WindowY(kMainWindow), WindowInnerWidth(kMainWindow),
                       WindowInnerHeight(kMainWindow)), std::tuple(40, 30, 780, 560));
  const std::pair<int, std::vector<int>> lists[] = {{kPlayersList, {95, 95, 95, 95, 95, 95, 206}},
      {kBansList, {220, 132, 220}}, {kMissionsList, {345}}, {kDatabaseList, {111, 130, 130, 130, 130}}};
  for (const auto& [list, widths] : lists) {
    ASSERT_EQ(CountGadgetColumns(list), static_cast<int>(widths.size())) << list;
    for (int c = 0; c < static_cast<int>(widths.size()); ++c) EXPECT_EQ(GadgetColumnWidth(list, c), widths[c]) << list;
  }
  EXPECT_EQ(GadgetState(kSplitterGadget), 330);
  EXPECT_EQ(GadgetHeight(kTabPanel), 330);
  EXPECT_EQ(GadgetY(kSplitterGadget), GetRebarHeight(kMainRebar));
  ResizeWindow(kMainWindow, kKeep, kKeep, 900, 650);
  ResizeSplitterToMainWindow();
  EXPECT_EQ(GadgetWidth(kSplitterGadget), 900);
  EXPECT_EQ(GadgetHeight(kSplitterGadget), 650 - GetRebarHeight(kMainRebar) - StatusBarHeight(kMainStatusBar));
  EXPECT_EQ(GadgetState(kSplitterGadget), 330) << "the splitter keeps its remembered place";
}

TEST_F(MainWindowTest, DefaultsCentreTheWindowAndGiveTheLogTheLast70PixelsAndDatabaseOffDisablesItsControls) {
  Build("[GUI]\r\nWindowWidth = 600\r\nWindowHeight = 400\r\n", 0);
  RECT outer{};
  GetWindowRect(WindowHandle(kMainWindow), &outer);
  EXPECT_NEAR((outer.left + outer.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 2);
  EXPECT_EQ(GadgetState(kSplitterGadget), 400 - GetRebarHeight(kMainRebar) - 70);
  // Even when connected; and a refresh records nothing.
  SetMainWindowServerControlsDisabled(false);
  for (const int gadget : {kDatabaseList, kSearchFieldCombo, kSearchText, kExactMatchBox}) {
    EXPECT_FALSE(IsWindowEnabled(GadgetHandle(gadget))) << gadget;
  }
  EXPECT_TRUE(MenuTitleGrayed(2, true));
  CurrentRconWindow().RefreshPlayerList({PlayerRecord{u"Frank", u"8.8.8.8", 2304, 10, u"GUID-F", 0}});
  EXPECT_EQ(CountGadgetItems(kPlayersList), 1);
  EXPECT_EQ(DatabaseRowCount(), 0u);
  EXPECT_EQ(CountGadgetItems(kDatabaseList), 0);
  // Only one of them -1 is taken as the position.
  Build("[GUI]\r\nWindowX = -1\r\nWindowY = 50\r\nWindowWidth = 600\r\nWindowHeight = 400\r\n", 0);
  EXPECT_EQ(WindowX(kMainWindow), -1);
  EXPECT_EQ(WindowY(kMainWindow), 50);
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

// A player-list reply put into the packet buffer as the pump leaves it, then parsed as a refresh is.
void PlayerReply(const std::string& lines) {
  RconLockGuard guard;
  PutReply(std::string(kPlayerHeadingLength, 'h') + lines);
  ParsePlayerList(1);
}

const char kTwoPlayers[] =
    "0 10.0.0.7:2304 63 0123456789abcdef0123456789abcdef(OK) Some One\n"
    "1 192.168.1.20:2316 7 fedcba9876543210fedcba9876543210(OK) Another\n"
    "(2 players in total)";

class LogAndPlayers : public MainWindowTest {
 protected:
  void SetUp() override { MainWindowTest::SetUp(); SetServerControlsDisabled(0); }  // as after a connect
};

TEST_F(LogAndPlayers, AnEmptyLogCopiesAsEmptyAndTheSelectionFollowsTheNewestLineButNotAnEmptyOne) {
  PutClipboardText(u"before");
  CopyLogToClipboard();
  EXPECT_EQ(ClipboardText(), u"");
  AddLogLine(u"first");
  AddLogLine(u"second");
  ASSERT_EQ(CountGadgetItems(kLogList), 2);
  EXPECT_EQ(GadgetItemText(kLogList, 1), u"second");
  EXPECT_EQ(GadgetState(kLogList), 1);
  // Selecting the newest line is the program's doing: no event for the pop-up menu.
  Pump();
  for (const auto& event : TakeEvents()) EXPECT_NE(event.second, kLogList);
  SetGadgetState(kLogList, 0);
  AddLogLine(u"");
  EXPECT_EQ(CountGadgetItems(kLogList), 2);
  EXPECT_EQ(GadgetState(kLogList), 0);
}

// The GUI thread waiting for the lock must take the log line the lock's holder hands over, or both would stop.
TEST_F(LogAndPlayers, TheGuiThreadWaitingForTheLockServesTheNetworkThreadAndAReplyFillsListAndStatusBar) {
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
  PlayerReply(kTwoPlayers);
  const std::vector<Text> rows = ListRows(kPlayersList);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], u"Some One|?|?|?|63|10.0.0.7|0123456789abcdef0123456789abcdef");
  EXPECT_EQ(rows[1], u"Another|?|?|?|7|192.168.1.20|fedcba9876543210fedcba9876543210");
  EXPECT_EQ(StatusText(kMainStatusBar, 1), u"Players: 2");
  const std::string clock = TextToUtf8(StatusText(kMainStatusBar, 2));
  EXPECT_TRUE(std::regex_match(clock, std::regex("Last Refresh: [0-2][0-9]:[0-5][0-9]:[0-5][0-9]"))) << clock;
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  ASSERT_TRUE(SendMessageW(GadgetHandle(kPlayersList), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  EXPECT_GE(item.iImage, 0);
  PlayerReply("(0 players in total)");
  EXPECT_EQ(CountGadgetItems(kPlayersList), 0);
  EXPECT_EQ(StatusText(kMainStatusBar, 1), u"Players: 0");
}

TEST_F(LogAndPlayers, ARefreshWhileTheBanDialogIsOpenChangesNothing) {
  PlayerReply(kTwoPlayers);
  SetStatusText(kMainStatusBar, 2, u"Last Refresh: earlier");
  ASSERT_NE(OpenWindow(kBanDialog, 10, 10, 200, 100, u"Ban Player - Another", 0), 0);
  PlayerReply("0 1.1.1.1:1 5 a(OK) Someone Else\n");
  EXPECT_EQ(CountGadgetItems(kPlayersList), 2);
  EXPECT_EQ(StatusText(kMainStatusBar, 1), u"Players: 2");
  EXPECT_EQ(StatusText(kMainStatusBar, 2), u"Last Refresh: earlier");
  FreeWindow(kBanDialog);
  ASSERT_NE(OpenWindow(kKickDialog, 10, 10, 200, 100, u"Kick Player - Another", 0), 0);
  PlayerReply("0 1.1.1.1:1 5 a(OK) Someone Else\n");
  EXPECT_EQ(CountGadgetItems(kPlayersList), 2);
  // Also when the dialog opened after the refresh began: the refill itself looks again.
  RefillPlayerRows({PlayerRecord{}});
  EXPECT_EQ(CountGadgetItems(kPlayersList), 2);
  FreeWindow(kKickDialog);
  PlayerReply("0 1.1.1.1:1 5 a(OK) Someone Else\n");
  EXPECT_EQ(CountGadgetItems(kPlayersList), 1);
}

// One line per (number, key): GUID "g<key>", ping 100 - key, name "Player <key>".
std::string PlayerLines(const std::vector<std::pair<int, int>>& numbersAndKeys) {
  std::string lines;
  for (const auto& [number, key] : numbersAndKeys) {
    const std::string k = std::to_string(key);
    lines += std::to_string(number) + " 10.0.0.1:2304 " + std::to_string(100 - key) + " g" + k + " Player " + k + "\n";
  }
  return lines;
}

TEST_F(LogAndPlayers, TheSelectedPlayerAndTheScrollPositionSurviveARefill) {
  std::vector<std::pair<int, int>> players;
  for (int n = 0; n < 60; ++n) players.emplace_back(n, n);
  PlayerReply(PlayerLines(players));
  ASSERT_EQ(SortListByColumn(kPlayersList, 4, 1), SortResult::Done);  // ping ascending: player 59 first
  HWND list = GadgetHandle(kPlayersList);
  ListView_EnsureVisible(list, 59, FALSE);
  SetGadgetState(kPlayersList, 40);
  const int top = ListView_GetTopIndex(list);
  ASSERT_GT(top, 0);
  const Text name = GadgetItemText(kPlayersList, 40, 0);
  ASSERT_EQ(name, u"Player 19");
  // A player joins at the front; the selected one's number changes too, its GUID does not.
  players.insert(players.begin(), {99, 80});
  players[20].first = 77;
  for (int refresh = 0; refresh < 2; ++refresh) {
    PlayerReply(PlayerLines(players));
    const int row = GadgetState(kPlayersList);
    ASSERT_GE(row, 0) << refresh;
    EXPECT_EQ(GadgetItemText(kPlayersList, row, 0), name);
    EXPECT_EQ(ListView_GetTopIndex(list), top);
    EXPECT_EQ(GetSortedColumn(kPlayersList), 4);
    EXPECT_EQ(GetSortDirection(kPlayersList), 1);
    EXPECT_EQ(GadgetItemText(kPlayersList, 60, 0), u"Player 0") << "the user's sort survives the refill";
  }
  players.erase(players.begin() + 20);  // the player leaves
  PlayerReply(PlayerLines(players));
  EXPECT_EQ(GadgetState(kPlayersList), -1);
}

TEST_F(MainWindowTest, ServerControlsAreDisabledUntilConnectedAndAResetEmptiesTheListsAndRestoresTheTitle) {
  const int server[] = {kRefreshButton, kPlayersList, kBansList, kMissionsList, kMessageField};
  for (const int gadget : server) EXPECT_FALSE(IsWindowEnabled(GadgetHandle(gadget))) << gadget;
  for (const int gadget : {kDatabaseList, kSearchText, kLogList}) EXPECT_TRUE(IsWindowEnabled(GadgetHandle(gadget)));
  EXPECT_TRUE(MenuTitleGrayed(1, true));
  for (const int title : {0, 2, 3}) EXPECT_TRUE(MenuTitleGrayed(title, false)) << title;
  SetServerControlsDisabled(0);
  for (const int gadget : server) EXPECT_TRUE(IsWindowEnabled(GadgetHandle(gadget))) << gadget;
  EXPECT_TRUE(MenuTitleGrayed(1, false));
  PlayerReply(kTwoPlayers);
  AddGadgetItem(kBansList, -1, u"guid\nperm\nreason");
  AddGadgetItem(kMissionsList, -1, u"mission.map");
  AddLogLine(u"kept line");
  SetWindowTitle(kMainWindow, u"host : 2302 | Velo 2 DUro");
  SetStatusText(kMainStatusBar, 0, u"Host: host : 2302");
  EXPECT_EQ(ResetAfterDisconnect(0), -1);
  for (const int list : {kPlayersList, kBansList, kMissionsList}) EXPECT_EQ(CountGadgetItems(list), 0) << list;
  EXPECT_EQ(CountGadgetItems(kLogList), 1);
  EXPECT_EQ(WindowTitle(kMainWindow), u"Velo 2 DUro");
  for (int field = 0; field < 3; ++field) EXPECT_EQ(StatusText(kMainStatusBar, field), u"") << field;
  for (const int gadget : server) EXPECT_FALSE(IsWindowEnabled(GadgetHandle(gadget))) << gadget;
  EXPECT_TRUE(MenuTitleGrayed(1, true));
}

class DatabaseView : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    const char16_t* kSeen[][4] = {{u"Bob", u"GUID-A", u"1.1.1.1", u"alpha"}, {u"alice", u"GUID-B", u"2.2.2.2", u"alpha"},
        {u"BOBBY", u"GUID-A", u"3.3.3.3", u"beta"}, {u"bob", u"GUID-C", u"4.4.4.4", u"beta"}, {u"Carol", u"GUID-A", u"5.5.5.5", u"gamma"}};
    for (const auto& p : kSeen) RefreshWith(p[0], p[1], p[2], p[3]);
    ASSERT_TRUE(PumpUntil([] { return CountGadgetItems(kDatabaseList) == 5; }));
  }
  static void Search(int comboIndex, TextView text, bool exact) {
    SetGadgetState(kSearchFieldCombo, comboIndex);
    SetGadgetState(kExactMatchBox, exact ? 1 : 0);
    SetGadgetText(kSearchText, text);
    SearchDatabaseList(GadgetState(kSearchFieldCombo) - 1);
  }
  static std::vector<Text> Names() {
    std::vector<Text> names;
    for (int row = 0; row < CountGadgetItems(kDatabaseList); ++row) names.push_back(GadgetItemText(kDatabaseList, row));
    return names;
  }
  // A player reply of one player as the protocol hands it over, on server `host`:2302; the worker records it.
  static void RefreshWith(const char16_t* name, const char16_t* guid, const char16_t* ip, const char16_t* host = u"host") {
    Rcon.ServerHost = host;
    Rcon.ServerPort = 2302;
    CurrentRconWindow().RefreshPlayerList({PlayerRecord{name, ip, 0, 10, guid, 0}});
  }
};

using NameList = std::vector<Text>;

// The matching rules are tested natively; here the search row's combo, exact box and text reach them.
TEST_F(DatabaseView, TheSearchRowChoosesFieldAndExactnessAndAnEmptyTextRestoresTheList) {
  const struct { int combo; const char16_t* text; bool exact; NameList names; } kSearches[] = {
      {1, u"BOB", false, {u"Bob", u"BOBBY", u"bob"}}, {1, u"BOB", true, {u"Bob", u"bob"}},
      {2, u"guid-a", true, {u"Bob", u"BOBBY", u"Carol"}}, {3, u"4.4", false, {u"bob"}},
      {4, u"BETA", false, {u"BOBBY", u"bob"}}, {1, u"", true, {u"Bob", u"alice", u"BOBBY", u"bob", u"Carol"}},
      {0, u"alice", false, {u"Bob", u"alice", u"BOBBY", u"bob", u"Carol"}},  // "Search for" names no field
  };
  for (const auto& search : kSearches) {
    Search(search.combo, search.text, search.exact);
    EXPECT_EQ(Names(), search.names) << search.combo << " " << TextToUtf8(search.text);
  }
}

// The empty text comes before the field: toggling "Exact match" or emptying the text brings the whole list back even
// with "Search for" in the combo.
TEST_F(DatabaseView, WithSearchForInTheComboAnEmptyTextStillRestoresTheWholeList) {
  Search(1, u"bob", false);
  ASSERT_EQ(Names(), (NameList{u"Bob", u"BOBBY", u"bob"}));
  Search(0, u"", true);
  EXPECT_EQ(Names(), (NameList{u"Bob", u"alice", u"BOBBY", u"bob", u"Carol"}));
  EXPECT_EQ(PlayerDb.DatabaseListIsFull.load(), 1);
}

// Decided once from the settings: a file that could not be read leaves Import and Export on (the worker answers
// them: the copy as the file stands, the import refused).
TEST_F(MainWindowTest, ImportAndExportStayOnWhenTheFileCannotBeRead) {
  const int lines = CountGadgetItems(kLogList);
  StartLoadingDatabase(folder_.File("missing.db"));
  ASSERT_TRUE(PumpUntil([&] { return CountGadgetItems(kLogList) > lines; }));
  EXPECT_EQ(GadgetItemText(kLogList, lines), u"[The player database could not be read.]");
  EXPECT_TRUE(MenuTitleGrayed(2, false));
}

TEST_F(DatabaseView, CopiesOfTheSelectedRow) {
  Search(1, u"carol", false);
  SetGadgetState(kDatabaseList, 0);
  // The date is the time of the refresh.
  const Text date = GadgetItemText(kDatabaseList, 0, 4);
  ASSERT_EQ(date.size(), 16u);
  const Text copies[] = {u"Carol\r\nGUID-A\r\n5.5.5.5\r\ngamma:2302\r\n" + date, u"Carol", u"GUID-A", u"5.5.5.5",
                         u"gamma:2302"};
  for (int field = 0; field < 5; ++field) {
    CopyDatabaseSelection(field);
    EXPECT_EQ(ClipboardText(), copies[field]) << field;
  }
  PutClipboardText(u"kept");
  CopyDatabaseSelection(5);
  EXPECT_EQ(ClipboardText(), u"kept");
}

TEST_F(DatabaseView, ANewPlayerIsAppendedLiveOnlyToTheFullList) {
  RefreshWith(u"Dave", u"GUID-D", u"6.6.6.6");
  ASSERT_TRUE(PumpUntil([] { return CountGadgetItems(kDatabaseList) == 6; }));
  EXPECT_EQ(ListRows(kDatabaseList)[5].substr(0, 30), u"Dave|GUID-D|6.6.6.6|host:2302|");
  // The same player again is no new row (the worker takes it before Eve).
  RefreshWith(u"Dave", u"GUID-D", u"6.6.6.6");
  Search(1, u"bob", false);
  RefreshWith(u"Eve", u"GUID-E", u"7.7.7.7");
  ASSERT_TRUE(PumpUntil([] { return DatabaseRowCount() == 7; }));
  Pump();
  EXPECT_EQ(Names(), (NameList{u"Bob", u"BOBBY", u"bob"}));
  FillDatabaseList();
  EXPECT_EQ(CountGadgetItems(kDatabaseList), 7);
  EXPECT_EQ(GadgetItemText(kDatabaseList, 6, 0), u"Eve");
}

}  // namespace
