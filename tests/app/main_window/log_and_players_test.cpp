#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <regex>
#include <thread>

#include "app/clipboard_copies.h"
#include "app/log_view.h"
#include "app/gadget_ids.h"
#include "app/player_list_view.h"
#include "app/window_ids.h"
#include "listsort/listsort.h"
#include "main_window_fixture.h"
#include "runtime/portable/text.h"
#include "runtime/win32/gui.h"
#include "server_texts.h"
#include "velorcon/disconnect.h"
#include "velorcon/parsers.h"
#include "velorcon/rcon_state.h"
#include "velorcon/rcon_window.h"

namespace {

// The heading the player reply carries before its lines; the parser skips it by length.
std::string PlayerHeading() { return std::string(kPlayerHeadingLength, 'h'); }

// A player-list reply in the packet buffer, as the pump leaves it, then parsed with a view
// update: the road a refresh takes.
void PlayerReply(const std::string& lines) {
  RconLockGuard guard;
  const auto bytes = rcon_test_server::ReplyDatagram(1, PlayerHeading() + lines);
  Rcon.PacketBuffer.assign(std::max(kPacketBufferSize, bytes.size() + 1), 0);
  std::copy(bytes.begin(), bytes.end(), Rcon.PacketBuffer.begin());
  Rcon.ReceivedLength = static_cast<std::int32_t>(bytes.size());
  Rcon.ReplyLength = bytes.size();
  ParsePlayerList(1);
}

const char kTwoPlayers[] =
    "0 10.0.0.7:2304 63 0123456789abcdef0123456789abcdef(OK) Some One\n"
    "1 192.168.1.20:2316 7 fedcba9876543210fedcba9876543210(OK) Another\n"
    "(2 players in total)";

bool IsClockText(const Text& text) {
  return std::regex_match(TextToUtf8(text), std::regex("Last Refresh: [0-2][0-9]:[0-5][0-9]:[0-5][0-9]"));
}

class LogAndPlayers : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    SetServerControlsDisabled(0);  // as after a connect
  }
};

TEST_F(LogAndPlayers, TheSelectionFollowsTheNewestLogLineAndAnEmptyLineChangesNothing) {
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

// The copies of a filled log and of players are checked end to end (e2e_tests).
TEST_F(LogAndPlayers, AnEmptyLogCopiesAsEmpty) {
  PutClipboardText(u"before");
  CopyLogToClipboard();
  EXPECT_EQ(ClipboardText(), u"");
}

TEST_F(LogAndPlayers, APlayerReplyFillsTheListAndTheStatusBar) {
  PlayerReply(kTwoPlayers);
  const std::vector<Text> rows = ListRows(kPlayersList);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], u"Some One|?|?|?|63|10.0.0.7|0123456789abcdef0123456789abcdef");
  EXPECT_EQ(rows[1], u"Another|?|?|?|7|192.168.1.20|fedcba9876543210fedcba9876543210");
  EXPECT_EQ(StatusText(kMainStatusBar, 1), u"Players: 2");
  EXPECT_TRUE(IsClockText(StatusText(kMainStatusBar, 2))) << TextToUtf8(StatusText(kMainStatusBar, 2));
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  item.iItem = 0;
  ASSERT_TRUE(SendMessageW(GadgetHandle(kPlayersList), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  EXPECT_GE(item.iImage, 0);
  PlayerReply("(0 players in total)");
  EXPECT_EQ(CountGadgetItems(kPlayersList), 0);
  EXPECT_EQ(StatusText(kMainStatusBar, 1), u"Players: 0");
}

TEST_F(LogAndPlayers, TheUsersSortSurvivesTheRefill) {
  PlayerReply(kTwoPlayers);
  ASSERT_EQ(SortListByColumn(kPlayersList, 4, 1), SortResult::Done);  // ping, ascending
  EXPECT_EQ(GadgetItemText(kPlayersList, 0, 0), u"Another");
  PlayerReply(
      "0 10.0.0.7:2304 90 0123456789abcdef0123456789abcdef(OK) Some One\n"
      "1 192.168.1.20:2316 7 fedcba9876543210fedcba9876543210(OK) Another\n"
      "2 10.0.0.9:2304 40 00000000000000000000000000000000(OK) Third\n");
  ASSERT_EQ(CountGadgetItems(kPlayersList), 3);
  EXPECT_EQ(GadgetItemText(kPlayersList, 0, 0), u"Another");
  EXPECT_EQ(GadgetItemText(kPlayersList, 1, 0), u"Third");
  EXPECT_EQ(GadgetItemText(kPlayersList, 2, 0), u"Some One");
  EXPECT_EQ(GetSortedColumn(kPlayersList), 4);
  EXPECT_EQ(GetSortDirection(kPlayersList), 1);

  ASSERT_EQ(SortListByColumn(kPlayersList, 0, -1), SortResult::Done);  // name, descending
  PlayerReply(kTwoPlayers);
  EXPECT_EQ(GadgetItemText(kPlayersList, 0, 0), u"Some One");
  EXPECT_EQ(GadgetItemText(kPlayersList, 1, 0), u"Another");
  EXPECT_EQ(GetSortDirection(kPlayersList), -1);
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
  }
  players.erase(players.begin() + 20);  // the player leaves
  PlayerReply(PlayerLines(players));
  EXPECT_EQ(GadgetState(kPlayersList), -1);
}

TEST_F(LogAndPlayers, ARefreshFromTheNetworkThreadIsCarriedOutOnTheGuiThread) {
  std::atomic<bool> done{false};
  std::thread network([&] {
    PlayerReply(kTwoPlayers);
    done = true;
  });
  for (int round = 0; round < 5000 && !done; ++round) {
    Pump();
    Sleep(1);
  }
  network.join();
  ASSERT_TRUE(done);
  EXPECT_EQ(CountGadgetItems(kPlayersList), 2);
  EXPECT_EQ(StatusText(kMainStatusBar, 1), u"Players: 2");
}

TEST_F(LogAndPlayers, ResetAfterDisconnectEmptiesTheListsAndRestoresTheTitle) {
  PlayerReply(kTwoPlayers);
  AddGadgetItem(kBansList, -1, u"guid\nperm\nreason");
  AddGadgetItem(kMissionsList, -1, u"mission.map");
  AddLogLine(u"kept line");
  SetWindowTitle(kMainWindow, u"host : 2302 | Velo 2 DUro");
  SetStatusText(kMainStatusBar, 0, u"Host: host : 2302");
  EXPECT_EQ(ResetAfterDisconnect(0), -1);
  EXPECT_EQ(CountGadgetItems(kPlayersList), 0);
  EXPECT_EQ(CountGadgetItems(kBansList), 0);
  EXPECT_EQ(CountGadgetItems(kMissionsList), 0);
  EXPECT_EQ(CountGadgetItems(kLogList), 1);
  EXPECT_EQ(WindowTitle(kMainWindow), u"Velo 2 DUro");
  for (int field = 0; field < 3; ++field) EXPECT_EQ(StatusText(kMainStatusBar, field), u"") << field;
  EXPECT_FALSE(IsWindowEnabled(GadgetHandle(kRefreshButton)));
  EXPECT_FALSE(IsWindowEnabled(GadgetHandle(kMessageField)));
}

}  // namespace
