#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/clipboard_copies.h"
#include "app/database_view.h"
#include "app/gadget_ids.h"
#include "app/logic/embedded_images.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"
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

TEST_F(DatabaseView, TheFullListShowsEveryRowWithItsCells) {
  EXPECT_EQ(PlayerDb.DatabaseListIsFull.load(), 1);
  ASSERT_EQ(CountGadgetItems(kDatabaseList), 5);
  EXPECT_EQ(ListRows(kDatabaseList)[2], u"BOBBY|GUID-A|3.3.3.3|beta:2400|01.02.2026 10:11");
  // What the control itself draws: the text it asks for.
  wchar_t cell[64] = {};
  LVITEMW item{};
  item.iSubItem = 3;
  item.pszText = cell;
  item.cchTextMax = 64;
  SendMessageW(GadgetHandle(kDatabaseList), LVM_GETITEMTEXTW, 4, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(cell, L"gamma:1");
}

TEST_F(DatabaseView, ANameSearchIgnoresCaseAndIsExactOnlyWhenAsked) {
  Search(1, u"BOB", false);
  EXPECT_EQ(Names(), (NameList{u"Bob", u"BOBBY", u"bob"}));
  EXPECT_EQ(PlayerDb.DatabaseListIsFull.load(), 0);
  Search(1, u"BOB", true);
  EXPECT_EQ(Names(), (NameList{u"Bob", u"bob"}));
}

TEST_F(DatabaseView, TheComboChoosesTheFieldSearched) {
  Search(2, u"guid-a", true);
  EXPECT_EQ(Names(), (NameList{u"Bob", u"BOBBY", u"Carol"}));
  Search(3, u"4.4", false);
  EXPECT_EQ(Names(), NameList{u"bob"});
  Search(4, u"BETA", false);
  EXPECT_EQ(Names(), (NameList{u"BOBBY", u"bob"}));
}

TEST_F(DatabaseView, AFieldOutsideTheFourLeavesTheListAsItIs) {
  Search(1, u"alice", false);
  ASSERT_EQ(Names(), NameList{u"alice"});
  SetGadgetText(kSearchText, u"bob");
  SearchDatabaseList(-1);
  EXPECT_EQ(Names(), NameList{u"alice"});
  SearchDatabaseList(4);
  EXPECT_EQ(Names(), NameList{u"alice"});
}

TEST_F(DatabaseView, AnEmptiedSearchTextOrTogglingExactWithItRestoresTheWholeList) {
  Search(1, u"b", false);
  ASSERT_EQ(CountGadgetItems(kDatabaseList), 3);
  Search(1, u"", false);
  EXPECT_EQ(CountGadgetItems(kDatabaseList), 5);
  EXPECT_EQ(PlayerDb.DatabaseListIsFull.load(), 1);
  Search(1, u"carol", false);
  Search(1, u"", true);
  EXPECT_EQ(CountGadgetItems(kDatabaseList), 5);
}

TEST_F(DatabaseView, ShowAssociationsListsEveryRowOfTheSelectedGuid) {
  SetGadgetState(kDatabaseList, 2);  // BOBBY, GUID-A
  ShowAssociations();
  EXPECT_EQ(Names(), (NameList{u"Bob", u"BOBBY", u"Carol"}));
  EXPECT_EQ(PlayerDb.DatabaseListIsFull.load(), 0);
  // Reset search: the whole list again, the search row left as it was.
  SetGadgetText(kSearchText, u"kept");
  FillDatabaseList();
  EXPECT_EQ(CountGadgetItems(kDatabaseList), 5);
  EXPECT_EQ(GadgetText(kSearchText), u"kept");
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
