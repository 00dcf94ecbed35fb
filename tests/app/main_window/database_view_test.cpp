#include <windows.h>

#include <gtest/gtest.h>

#include "app/clipboard_copies.h"
#include "app/database_view.h"
#include "app/gadget_ids.h"
#include "database/player_database.h"
#include "main_window_fixture.h"
#include "runtime/win32/gui.h"
#include "velorcon/rcon_state.h"
#include "velorcon/rcon_window.h"

namespace {

class DatabaseView : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Record(u"Bob", u"GUID-A", u"1.1.1.1", u"alpha:2302");
    Record(u"alice", u"GUID-B", u"2.2.2.2", u"alpha:2302");
    Record(u"BOBBY", u"GUID-A", u"3.3.3.3", u"beta:2400");
    Record(u"bob", u"GUID-C", u"4.4.4.4", u"beta:2400");
    Record(u"Carol", u"GUID-A", u"5.5.5.5", u"gamma:1");
    FillDatabaseList();
  }
  static void Record(TextView name, TextView guid, TextView ip, TextView server) {
    ASSERT_NE(RecordPlayerSeen(name, guid, ip, server, u"01.02.2026 10:11"), 0);
  }
  static void Search(int comboIndex, TextView text, bool exact) {
    SetGadgetState(kSearchFieldCombo, comboIndex);
    SetGadgetState(kExactMatchBox, exact ? 1 : 0);
    SetGadgetText(kSearchText, text);
    SearchDatabaseList(GadgetState(kSearchFieldCombo) - 1);
  }
  static std::vector<Text> Names() {
    std::vector<Text> names;
    const int count = CountGadgetItems(kDatabaseList);
    for (int row = 0; row < count; ++row) names.push_back(GadgetItemText(kDatabaseList, row, 0));
    return names;
  }
  // A player reply of one player as the protocol hands it over, on server host:2302.
  static void RefreshWith(TextView name, TextView guid, TextView ip) {
    Rcon.ServerHost = u"host";
    Rcon.ServerPort = 2302;
    PlayerRecord player;
    player.Name = Text(name);
    player.GUID = Text(guid);
    player.IP = Text(ip);
    player.Ping = 10;
    CurrentRconWindow().RefreshPlayerList({player});
  }
};

using NameList = std::vector<Text>;

// The matching rules are tested without a window (app_lists_tests); here the search row's
// combo, exact box and text reach them, and an emptied text shows the whole list again.
TEST_F(DatabaseView, TheSearchRowChoosesFieldAndExactnessAndAnEmptyTextRestoresTheList) {
  const struct {
    int combo;
    const char16_t* text;
    bool exact;
    NameList names;
  } kSearches[] = {
      {1, u"BOB", false, {u"Bob", u"BOBBY", u"bob"}},
      {1, u"BOB", true, {u"Bob", u"bob"}},
      {2, u"guid-a", true, {u"Bob", u"BOBBY", u"Carol"}},
      {3, u"4.4", false, {u"bob"}},
      {4, u"BETA", false, {u"BOBBY", u"bob"}},
      {1, u"", true, {u"Bob", u"alice", u"BOBBY", u"bob", u"Carol"}},
  };
  for (const auto& search : kSearches) {
    Search(search.combo, search.text, search.exact);
    EXPECT_EQ(Names(), search.names) << search.combo << " " << TextToUtf8(search.text);
    EXPECT_EQ(PlayerDb.DatabaseListIsFull.load(), search.text[0] == 0 ? 1 : 0);
  }
  // A field outside the four leaves the list as it is.
  Search(1, u"alice", false);
  SetGadgetText(kSearchText, u"bob");
  SearchDatabaseList(-1);
  SearchDatabaseList(4);
  EXPECT_EQ(Names(), NameList{u"alice"});
}

TEST_F(DatabaseView, CopiesOfTheSelectedRow) {
  Search(1, u"carol", false);
  SetGadgetState(kDatabaseList, 0);
  const char16_t* copies[] = {u"Carol\r\nGUID-A\r\n5.5.5.5\r\ngamma:1\r\n01.02.2026 10:11", u"Carol", u"GUID-A",
                              u"5.5.5.5", u"gamma:1"};
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
  ASSERT_EQ(CountGadgetItems(kDatabaseList), 6);
  const std::vector<Text> rows = ListRows(kDatabaseList);
  EXPECT_EQ(rows[5].substr(0, 30), u"Dave|GUID-D|6.6.6.6|host:2302|");
  // The same player again is no new row.
  RefreshWith(u"Dave", u"GUID-D", u"6.6.6.6");
  EXPECT_EQ(CountGadgetItems(kDatabaseList), 6);

  Search(1, u"bob", false);
  RefreshWith(u"Eve", u"GUID-E", u"7.7.7.7");
  EXPECT_EQ(Names(), (NameList{u"Bob", u"BOBBY", u"bob"}));
  EXPECT_EQ(DatabaseRowCount(), 7u);
  FillDatabaseList();
  EXPECT_EQ(CountGadgetItems(kDatabaseList), 7);
  EXPECT_EQ(GadgetItemText(kDatabaseList, 6, 0), u"Eve");
}

TEST_F(DatabaseView, WithTheDatabaseOffNothingIsRecorded) {
  Build(kTestSettings, 0);
  RefreshWith(u"Frank", u"GUID-F", u"8.8.8.8");
  EXPECT_EQ(CountGadgetItems(kPlayersList), 1);
  EXPECT_EQ(DatabaseRowCount(), 0u);
  EXPECT_EQ(CountGadgetItems(kDatabaseList), 0);
}

}  // namespace
