// One administrator's session from a fresh start to quitting: favourite, connect, lists, messages, database,
// copies, search, export and import, every player and server command, the settings saved.
#include <algorithm>
#include <filesystem>
#include <regex>

#include "database_files.h"
#include "runtime/portable/files.h"
#include "scenario.h"

namespace e2e {
namespace {

class Session : public Scenario {
 protected:
  // Selects the player with this number in the players list; the player's name.
  Text SelectPlayer(int number) const {
    const auto players = server_.Players();
    const auto player = std::ranges::find(players, number, &rcon_test_server::FakePlayer::Number);
    Select(kPlayersList, RowWith(kPlayersList, 6, Utf8ToText(player->Guid)));
    return Utf8ToText(player->Name);
  }
};

TEST_F(Session, AnAdministratorsWholeSession) {
  StartProgram("[General]\r\nAutoRefreshEnable = 0\r\n[Database]\r\nEnable = 1\r\n"
               "[GUI]\r\nWindowX = 100\r\nWindowY = 80\r\n");
  // A fresh start: the window where the settings put it, a new data folder with a database.
  EXPECT_EQ(TextOf(main_), u"Velo 2 DUro");
  RECT placed{};
  GetWindowRect(main_, &placed);
  EXPECT_EQ(placed.left, 100);
  EXPECT_EQ(placed.top, 80);
  EXPECT_TRUE(IsExistingFile(DataFolder() + u"db.db"));
  EXPECT_FALSE(IsExistingFile(DataFolder() + u"favs.dat"));
  EXPECT_FALSE(Enabled(Gadget(kPlayersList)));  // nothing to show before a connect

  // A favourite added and used.
  HWND connect = OpenWindow(1, u"Connect");
  ASSERT_NE(connect, nullptr);
  EXPECT_FALSE(Enabled(main_));
  const Text fields[] = {u" Test server ", u"127.0.0.1", DecimalText(server_.Port()), u"secret"};
  for (int i = 0; i < 4; ++i) Type(Control(connect, 50 + i), fields[i]);
  Click(Control(connect, 54));
  // The favourite is saved at once, its description trimmed.
  std::string bytes;
  ASSERT_TRUE(Eventually([&] { return ReadWholeFile(DataFolder() + u"favs.dat", bytes) && !bytes.empty(); }));
  EXPECT_EQ(bytes, "Test server\r\n127.0.0.1\r\n" + std::to_string(server_.Port()) + "\r\nsecret\r\n");
  // Pick it in the list and choose "Connect" from its menu.
  HWND tree = Control(connect, 44);
  const auto favorite = SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
  ASSERT_NE(favorite, 0);
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, favorite);
  Command(connect, 7);
  ASSERT_TRUE(WaitGone(connect));
  ASSERT_TRUE(Eventually([&] { return Connected(); }));
  EXPECT_TRUE(Enabled(main_));
  // The burst's bytes are tested against the same server without a window (rcon_thread_tests).
  const std::vector<rcon_test_server::ClientDatagram> received = server_.Received();
  ASSERT_GE(received.size(), 8u);
  EXPECT_EQ(received[0].Payload, "secret");
  EXPECT_TRUE(WaitForLogLine(u"Connected to 127.0.0.1:" + DecimalText(server_.Port())));
  EXPECT_TRUE(WaitForStatus(0, u"Host: 127.0.0.1 : " + DecimalText(server_.Port())));

  // The lists.
  ASSERT_TRUE(WaitForRows(kPlayersList, 5));
  EXPECT_TRUE(Enabled(Gadget(kPlayersList)));
  for (const auto& player : server_.Players()) {
    const int row = RowWith(kPlayersList, 6, Utf8ToText(player.Guid));
    EXPECT_EQ(Cell(kPlayersList, row, 4), DecimalText(player.Ping)) << player.Guid;
    EXPECT_EQ(Cell(kPlayersList, row, 5), Utf8ToText(player.Address.substr(0, player.Address.find(':'))));
  }
  EXPECT_TRUE(WaitForStatus(1, u"Players: 5"));
  EXPECT_EQ(Status(2).rfind(u"Last Refresh: ", 0), 0u);
  ASSERT_TRUE(Eventually([&] { return Rows(kBansList) >= 3; }));
  for (const auto& ban : server_.GuidBans()) EXPECT_GE(RowWith(kBansList, 0, Utf8ToText(ban.Target)), 0);
  ASSERT_TRUE(WaitForRows(kMissionsList, 3));
  EXPECT_GE(RowWith(kMissionsList, 0, u"siege.v2.mountain.pbo"), 0);
  EXPECT_TRUE(WaitForLogLine(u"[Received ban list.]"));
  EXPECT_TRUE(WaitForLogLine(u"[Received missions.]"));

  // A server message is logged with its time stamp and acknowledged.
  ASSERT_TRUE(server_.PushServerMessage("Player Nightingale connected"));
  const std::wregex pattern(LR"(\(\d{4}-\d{2}-\d{2} \| \d{2}:\d{2}:\d{2}\) : Player Nightingale connected)");
  const auto stamped = [&](const Text& l) { return std::regex_match(std::wstring(l.begin(), l.end()), pattern); };
  EXPECT_TRUE(Eventually([&] { return std::ranges::any_of(Log(), stamped); }));
  EXPECT_TRUE(Eventually([&] { return !server_.Acknowledged().empty(); }));

  // F5 twice: every player is in the database once, in the file and in the list.
  for (int refresh = 1; refresh <= 2; ++refresh) {
    Menu(kItemRefresh);
    ASSERT_TRUE(Eventually([&] { return CountCommands("players") == 1 + refresh; }));
  }
  ASSERT_TRUE(WaitForRows(kDatabaseList, 5));
  const std::vector<std::string> five{"5"};
  EXPECT_TRUE(Eventually([&] { return QueryFile(DataFolder() + u"db.db", "SELECT count(*) FROM PLAYERS") == five; }));
  EXPECT_EQ(Cell(kDatabaseList, 0, 3), u"127.0.0.1:" + DecimalText(server_.Port()));

  // The copies: the selected player, its GUID, its IP, the log.
  const int nightingale = RowWith(kPlayersList, 0, u"Nightingale");
  ASSERT_GE(nightingale, 0);
  Select(kPlayersList, nightingale);
  const Text guid = Cell(kPlayersList, nightingale, 6);
  const std::pair<int, Text> copies[] = {
      {30, u"Nightingale\r\n?\r\n?\r\n?\r\n20\r\n127.0.0.10\r\n" + guid}, {32, guid}, {33, u"127.0.0.10"}};
  for (const auto& [item, copy] : copies) {
    Menu(item);
    EXPECT_TRUE(Eventually([&] { return ClipboardText() == copy; })) << item << ": " << TextToUtf8(ClipboardText());
  }
  Menu(39);
  EXPECT_TRUE(Eventually([&] {
    Text joined;
    for (const Text& line : Log()) joined += (joined.empty() ? u"" : u"\r\n") + line;
    return ClipboardText() == joined;
  }));

  // The database search, by name, then exact, then associations and back.
  SendMessageW(Gadget(kSearchCombo), CB_SETCURSEL, 1, 0);
  Type(Gadget(kSearchText), u"NIGHT");
  ASSERT_TRUE(WaitForRows(kDatabaseList, 1));
  EXPECT_EQ(Cell(kDatabaseList, 0, 0), u"Nightingale");
  SendMessageW(Gadget(kExactMatch), BM_SETCHECK, BST_CHECKED, 0);
  Click(Gadget(kExactMatch));
  EXPECT_TRUE(WaitForRows(kDatabaseList, 0));
  Type(Gadget(kSearchText), u"nightingale");
  ASSERT_TRUE(WaitForRows(kDatabaseList, 1));
  Type(Gadget(kSearchText), u"");
  ASSERT_TRUE(WaitForRows(kDatabaseList, 5));
  Select(kDatabaseList, RowWith(kDatabaseList, 1, guid));
  Menu(19);
  EXPECT_TRUE(Eventually([&] { return ClipboardText() == u"Nightingale"; }));
  Menu(23);
  ASSERT_TRUE(WaitForRows(kDatabaseList, 1));
  EXPECT_EQ(Cell(kDatabaseList, 0, 1), guid);
  Menu(24);
  EXPECT_TRUE(WaitForRows(kDatabaseList, 5));

  // Export: ".db" is added to the chosen name; import: the other file's players join the list.
  ASSERT_TRUE(ChooseFile(29, u"Export Database...", File("backup")));
  EXPECT_EQ(AnswerMessageBox(u"Velo 2 DUro"), u"Database was exported successfully!");
  EXPECT_TRUE(IsExistingFile(File("backup.db")));
  RunSql(std::filesystem::path(File("other.db")),
         "CREATE TABLE PLAYERS (NAME VARCHAR(32), GUID CHAR(32), IP CHAR(15), SERVER VARCHAR(50), DATE CHAR(16));"
         "INSERT INTO PLAYERS VALUES ('Imported Ivy', 'ffffffffffffffffffffffffffffffff', "
         "'198.51.100.3', '203.0.113.9:2302', '01.02.2026 10:11');");
  ASSERT_TRUE(ChooseFile(28, u"Import Database...", File("other.db")));
  EXPECT_EQ(AnswerMessageBox(u"Velo 2 DUro"), u"Database was imported successfully!");
  EXPECT_TRUE(WaitForRows(kDatabaseList, 6));
  EXPECT_GE(RowWith(kDatabaseList, 0, u"Imported Ivy"), 0);
  PutFileBytes(File("not-a-database.db"), "These are not the bytes of a database file.");
  ASSERT_TRUE(ChooseFile(28, u"Import Database...", File("not-a-database.db")));
  EXPECT_EQ(AnswerMessageBox(u"Velo 2 DUro"), u"Could not import database!");

  // Kick, with a reason longer than the dialog allows.
  HWND kick = OpenWindow(kItemKick, u"Kick Player - " + SelectPlayer(3));
  ASSERT_NE(kick, nullptr);
  EXPECT_FALSE(Enabled(main_));
  HWND reason = Control(kick, 60);
  Type(reason, u"0123456789012345678901234567890123456789");
  Notify(reason, CBN_EDITCHANGE);
  EXPECT_TRUE(Eventually([&] { return TextOf(reason) == u"01234567890123456789012345678901"; }));
  Click(Control(kick, 57));
  ASSERT_TRUE(WaitGone(kick));
  EXPECT_TRUE(Enabled(main_));
  EXPECT_TRUE(WaitForCommand("kick 3 01234567890123456789012345678901"));
  EXPECT_TRUE(WaitForRows(kPlayersList, 4));

  // Ban permanently, from the dialog's first look.
  HWND ban = OpenWindow(kItemBan, u"Ban Player - " + SelectPlayer(0));
  ASSERT_NE(ban, nullptr);
  EXPECT_EQ(GetWindow(ban, GW_OWNER), main_);
  EXPECT_FALSE(Enabled(main_));
  EXPECT_FALSE(Enabled(Control(ban, 28)));
  EXPECT_EQ(TextOf(Control(ban, 28)), u"7");
  Type(Control(ban, 25), u"Cheating/Hacking");
  Click(Control(ban, 31));
  ASSERT_TRUE(WaitGone(ban));
  EXPECT_TRUE(WaitForCommand("ban 0 0 Cheating/Hacking"));

  // Ban for three days; an emptied days field comes back as 7.
  ban = OpenWindow(kItemBan, u"Ban Player - " + SelectPlayer(1));
  ASSERT_NE(ban, nullptr);
  HWND days = Control(ban, 28);
  SendMessageW(Control(ban, 26), BM_SETCHECK, BST_UNCHECKED, 0);
  SendMessageW(Control(ban, 27), BM_SETCHECK, BST_CHECKED, 0);
  Click(Control(ban, 27));
  EXPECT_TRUE(Eventually([&] { return Enabled(days); }));
  Type(days, u"");
  EXPECT_TRUE(Eventually([&] { return TextOf(days) == u"7"; }));
  Type(days, u"3");
  Type(Control(ban, 25), u"Abusive language");
  Click(Control(ban, 31));
  ASSERT_TRUE(WaitGone(ban));
  EXPECT_TRUE(WaitForCommand("ban 1 4320 Abusive language"));

  // Add Ban, its reason cut to 22 characters.
  HWND addBan = OpenWindow(kItemAddBan, u"Add Ban");
  ASSERT_NE(addBan, nullptr);
  Type(Control(addBan, 71), u"192.0.2.99");
  HWND addReason = Control(addBan, 62);
  Type(addReason, u"Spamming the chat with adverts");
  Notify(addReason, CBN_EDITCHANGE);
  EXPECT_TRUE(Eventually([&] { return TextOf(addReason) == u"Spamming the chat with"; }));
  Click(Control(addBan, 66));
  ASSERT_TRUE(WaitGone(addBan));
  EXPECT_TRUE(WaitForCommand("addban 192.0.2.99 0 Spamming the chat with"));
  EXPECT_TRUE(WaitForLogLine(u"[GUID/IP has been banned.]"));

  // Remove the second ban of the list.
  const int bansBefore = Rows(kBansList);
  Select(kBansList, 1);
  Menu(6);
  EXPECT_TRUE(WaitForCommand("removeBan 1"));
  EXPECT_TRUE(WaitForRows(kBansList, bansBefore - 1));

  // Messages to everybody and to one player.
  Type(Gadget(kMessageField), u"Server restarts in 5 minutes");
  Menu(36);
  EXPECT_TRUE(WaitForCommand("say -1 Server restarts in 5 minutes"));
  EXPECT_TRUE(Eventually([&] { return TextOf(Gadget(kMessageField)).empty(); }));
  const Text messaged = SelectPlayer(2);
  Menu(kItemMessage);
  ASSERT_TRUE(AnswerRequester(u"Message - " + messaged, u"please stop"));
  EXPECT_TRUE(WaitForCommand("say 2 please stop"));

  // Set MaxPing: a value is sent; 0 sends nothing.
  Menu(kItemSetMaxPing);
  ASSERT_TRUE(AnswerRequester(u"Set MaxPing", u"300"));
  EXPECT_TRUE(WaitForCommand("maxping 300"));
  EXPECT_TRUE(WaitForLogLine(u"[MaxPing changed to 300.]"));
  Menu(kItemSetMaxPing);
  ASSERT_TRUE(AnswerRequester(u"Set MaxPing", u"0"));

  // Server commands, the mission the one selected.
  Select(kMissionsList, RowWith(kMissionsList, 0, u"siege.v2.mountain.pbo"));
  const std::tuple<int, const char*, const char16_t*> kCommands[] = {
      {34, "#mission siege.v2.mountain", u"[Mission(siege.v2.mountain) has been loaded.]"},
      {14, "#lock", u"[The server has been locked.]"}, {17, "loadbans", nullptr}, {38, "loadScripts", nullptr},
      {15, "#unlock", nullptr}, {9, "#reassign", nullptr}, {10, "#restart", nullptr}};
  for (const auto& [item, command, logged] : kCommands) {
    Menu(item);
    EXPECT_TRUE(WaitForCommand(command));
    EXPECT_TRUE(logged == nullptr || WaitForLogLine(logged)) << command;
  }
  for (const std::string& command : server_.Commands()) EXPECT_NE(command.rfind("maxping 0", 0), 0u);

  // The About window closes with OK; a dialog's close box acts as its Cancel.
  HWND about = OpenWindow(kItemAbout, u"About");
  ASSERT_NE(about, nullptr);
  EXPECT_FALSE(Enabled(main_));
  Click(Control(about, 33));
  ASSERT_TRUE(WaitGone(about));
  EXPECT_TRUE(Enabled(main_));
  addBan = OpenWindow(kItemAddBan, u"Add Ban");
  ASSERT_NE(addBan, nullptr);
  Type(Control(addBan, 71), u"192.0.2.100");
  PostMessageW(addBan, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitGone(addBan));
  EXPECT_TRUE(Enabled(main_));

  // Maximised, then quit: state saved, normal geometry kept, keys in place; the closed Add Ban sent nothing.
  PostMessageW(main_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  ASSERT_TRUE(Eventually([&] { return IsZoomed(main_) != FALSE; }));
  Quit();
  for (const std::string& command : server_.Commands()) EXPECT_EQ(command.find("192.0.2.100"), std::string::npos);
  std::string settings;
  ASSERT_TRUE(ReadWholeFile(File("settings.ini"), settings));
  EXPECT_NE(settings.find("[General]\r\nAutoRefreshEnable = 0\r\n"), std::string::npos) << settings;
  EXPECT_NE(settings.find("[Database]\r\nEnable = 1\r\n[GUI]\r\nWindowX = 100\r\nWindowY = 80\r\n"
                          "WindowState = 16777216\r\nWindowWidth = 700\r\nWindowHeight = 540\r\n"),
            std::string::npos);
  EXPECT_NE(settings.find("PlayerListColumn6 = 95\r\n"), std::string::npos);
  EXPECT_NE(settings.find("DataBaseListColumn4 = 130\r\n"), std::string::npos);
}

}  // namespace
}  // namespace e2e
