// One administrator's session: favourites, the connect burst, the lists, server messages,
// refreshes recorded in the player database, every player and server command, the copies,
// the database search, and quitting with the settings saved.
#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <regex>

#include "database_files.h"
#include "runtime/portable/files.h"
#include "scenario.h"

namespace e2e {
namespace {

constexpr char kSettings[] =
    "[General]\r\nAutoRefreshEnable = 0\r\n[Database]\r\nEnable = 1\r\n";

class Session : public Scenario {
 protected:
  void AddFavoriteAndConnect();
  void CheckConnectBurst();
  void CheckLists();
  int CountCommands(const std::string& text) const {
    int count = 0;
    for (const std::string& command : server_.Commands()) count += command == text ? 1 : 0;
    return count;
  }
  // The rows of the PLAYERS table of the program's "db.db".
  int DatabaseFileRows() const {
    const auto rows = QueryFile(std::filesystem::path(program_.DataFolder() + u"db.db"), "SELECT count(*) FROM PLAYERS");
    return rows.size() == 1 ? std::stoi(rows[0]) : -1;
  }
  Text PlayerName(int number) const {
    for (const auto& player : server_.Players()) {
      if (player.Number == number) return Utf8ToText(player.Name);
    }
    return u"";
  }
  Text SelectPlayer(int number);
  // Answers the program's file dialog with this file name.
  bool ChooseFile(TextView title, TextView file) const;
  bool ChooseFileAfterMenu(int item, TextView title, TextView file) const {
    Menu(item);
    return ChooseFile(title, file);
  }
};

bool Session::ChooseFile(TextView title, TextView file) const {
  HWND dialog = nullptr;
  HWND name = nullptr;
  const bool shown = WaitFor(
      [&] {
        dialog = Probe().FindByTitle(title);
        // The file name box: a combo in the explorer-style dialog, an edit in the older one.
        name = WindowProbe::Control(dialog, 0x47C);
        if (name == nullptr) name = WindowProbe::Control(dialog, 0x480);
        return name != nullptr;
      },
      kWaitMs);
  if (!shown) return false;
  WindowProbe::SetText(name, file);
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  return WaitGone(dialog);
}

// A database file of another installation, with one player this one has not seen.
void MakeOtherDatabase(const Text& path) {
  RunSql(std::filesystem::path(path),
         "CREATE TABLE PLAYERS (NAME VARCHAR(32), GUID CHAR(32), IP CHAR(15), SERVER VARCHAR(50), DATE CHAR(16));"
         "INSERT INTO PLAYERS VALUES ('Imported Ivy', 'ffffffffffffffffffffffffffffffff', "
         "'198.51.100.3', '203.0.113.9:2302', '01.02.2026 10:11');");
}

void Session::AddFavoriteAndConnect() {
  Menu(1);
  HWND connect = WaitForWindow(u"Connect");
  ASSERT_NE(connect, nullptr);
  EXPECT_FALSE(WindowProbe::Enabled(main_));
  Type(WindowProbe::Control(connect, 50), u" Test server ");
  Type(WindowProbe::Control(connect, 51), u"127.0.0.1");
  Type(WindowProbe::Control(connect, 52), DecimalText(server_.Port()));
  Type(WindowProbe::Control(connect, 53), u"secret");
  WindowProbe::Click(WindowProbe::Control(connect, 54));
  // The favourite is saved at once, its description trimmed.
  const Text favorites = program_.DataFolder() + u"favs.dat";
  std::string bytes;
  ASSERT_TRUE(WaitFor([&] { return ReadWholeFile(favorites, bytes) && !bytes.empty(); }, kWaitMs));
  EXPECT_EQ(bytes, "Test server\r\n127.0.0.1\r\n" + std::to_string(server_.Port()) + "\r\nsecret\r\n");
  // Pick it in the list and choose "Connect" from its menu.
  HWND tree = WindowProbe::Control(connect, 44);
  const auto item = SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
  ASSERT_NE(item, 0);
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, item);
  WindowProbe::PostMenuCommand(connect, 7);
  ASSERT_TRUE(WaitGone(connect));
  ASSERT_TRUE(WaitFor([&] { return Connected(); }, kWaitMs));
  EXPECT_TRUE(WindowProbe::Enabled(main_));
}

void Session::CheckConnectBurst() {
  // The burst's bytes are tested against the same server without a window (rcon_thread_tests).
  const std::vector<rcon_test_server::ClientDatagram> received = server_.Received();
  ASSERT_GE(received.size(), 8u);
  EXPECT_EQ(received[0].Payload, "secret");
  const Text endpoint = u"127.0.0.1 : " + DecimalText(server_.Port());
  EXPECT_TRUE(WaitForLogLine(u"Connected to 127.0.0.1:" + DecimalText(server_.Port())));
  EXPECT_TRUE(WaitFor([&] { return Probe().StatusField(StatusBar(), 0) == u"Host: " + endpoint; }, kWaitMs));
}

void Session::CheckLists() {
  ASSERT_TRUE(WaitForRows(kPlayersList, 5));
  HWND players = MainControl(kPlayersList);
  EXPECT_TRUE(WindowProbe::Enabled(players));
  for (const auto& player : server_.Players()) {
    const int row = RowWith(kPlayersList, 6, Utf8ToText(player.Guid));
    ASSERT_GE(row, 0) << player.Guid;
    EXPECT_EQ(Probe().ListCell(players, row, 1), u"?");
    EXPECT_EQ(Probe().ListCell(players, row, 4), DecimalText(player.Ping));
    EXPECT_EQ(Probe().ListCell(players, row, 5), Utf8ToText(player.Address.substr(0, player.Address.find(':'))));
  }
  EXPECT_TRUE(WaitFor([&] { return Probe().StatusField(StatusBar(), 1) == u"Players: 5"; }, kWaitMs));
  EXPECT_EQ(Probe().StatusField(StatusBar(), 2).rfind(u"Last Refresh: ", 0), 0u);
  ASSERT_TRUE(WaitFor([&] { return Probe().ListCount(MainControl(kBansList)) >= 3; }, kWaitMs));
  for (const auto& ban : server_.GuidBans()) EXPECT_GE(RowWith(kBansList, 0, Utf8ToText(ban.Target)), 0);
  ASSERT_TRUE(WaitForRows(kMissionsList, 3));
  EXPECT_GE(RowWith(kMissionsList, 0, u"siege.v2.mountain.pbo"), 0);
  EXPECT_TRUE(WaitForLogLine(u"[Received ban list.]"));
  EXPECT_TRUE(WaitForLogLine(u"[Received missions.]"));
}

Text Session::SelectPlayer(int number) {
  const Text name = PlayerName(number);
  for (const auto& player : server_.Players()) {
    if (player.Number == number) Select(kPlayersList, RowWith(kPlayersList, 6, Utf8ToText(player.Guid)));
  }
  return name;
}

TEST_F(Session, AnAdministratorsWholeSession) {
  StartProgram(kSettings);
  EXPECT_FALSE(WindowProbe::Enabled(MainControl(kPlayersList)));  // nothing to show before a connect
  ASSERT_NO_FATAL_FAILURE(AddFavoriteAndConnect());
  ASSERT_NO_FATAL_FAILURE(CheckConnectBurst());
  ASSERT_NO_FATAL_FAILURE(CheckLists());

  // A server message is logged with its time stamp and acknowledged.
  ASSERT_TRUE(server_.PushServerMessage("Player Nightingale connected"));
  const std::wregex stamped(LR"(\(\d{4}-\d{2}-\d{2} \| \d{2}:\d{2}:\d{2}\) : Player Nightingale connected)");
  EXPECT_TRUE(WaitFor(
      [&] {
        for (const Text& line : Probe().Lines(MainControl(kLogList))) {
          if (std::regex_match(std::wstring(line.begin(), line.end()), stamped)) return true;
        }
        return false;
      },
      kWaitMs));
  EXPECT_TRUE(WaitFor([&] { return !server_.Acknowledged().empty(); }, kWaitMs));

  // F5 twice: every player is in the database once, in the file and in the list.
  for (int refresh = 1; refresh <= 2; ++refresh) {
    Menu(13);
    ASSERT_TRUE(WaitFor([&] { return CountCommands("players") == 1 + refresh; }, kWaitMs));
  }
  ASSERT_TRUE(WaitForRows(kDatabaseList, 5));
  EXPECT_TRUE(WaitFor([&] { return DatabaseFileRows() == 5; }, kWaitMs));
  const Text server = u"127.0.0.1:" + DecimalText(server_.Port());
  EXPECT_EQ(Probe().ListCell(MainControl(kDatabaseList), 0, 3), server);

  // The copies.
  const int nightingale = RowWith(kPlayersList, 0, u"Nightingale");
  ASSERT_GE(nightingale, 0);
  Select(kPlayersList, nightingale);
  const Text guid = Probe().ListCell(MainControl(kPlayersList), nightingale, 6);
  EmptyTheClipboard();
  Menu(30);
  ASSERT_TRUE(WaitFor([&] { return !ClipboardUnicodeText().empty(); }, kWaitMs));
  EXPECT_EQ(ClipboardUnicodeText(), u"Nightingale\r\n?\r\n?\r\n?\r\n20\r\n127.0.0.10\r\n" + guid);
  Menu(32);
  EXPECT_TRUE(WaitFor([&] { return ClipboardUnicodeText() == guid; }, kWaitMs));
  Menu(33);
  EXPECT_TRUE(WaitFor([&] { return ClipboardUnicodeText() == u"127.0.0.10"; }, kWaitMs));
  Menu(39);
  EXPECT_TRUE(WaitFor(
      [&] {
        Text joined;
        for (const Text& line : Probe().Lines(MainControl(kLogList))) joined += (joined.empty() ? u"" : u"\r\n") + line;
        return ClipboardUnicodeText() == joined;
      },
      kWaitMs));

  // The database search, by name, then exact, then associations and back.
  HWND database = MainControl(kDatabaseList);
  SendMessageW(MainControl(kSearchCombo), CB_SETCURSEL, 1, 0);
  Type(MainControl(kSearchText), u"NIGHT");
  ASSERT_TRUE(WaitForRows(kDatabaseList, 1));
  EXPECT_EQ(Probe().ListCell(database, 0, 0), u"Nightingale");
  SendMessageW(MainControl(kExactMatch), BM_SETCHECK, BST_CHECKED, 0);
  WindowProbe::Click(MainControl(kExactMatch));
  EXPECT_TRUE(WaitForRows(kDatabaseList, 0));
  Type(MainControl(kSearchText), u"nightingale");
  ASSERT_TRUE(WaitForRows(kDatabaseList, 1));
  Type(MainControl(kSearchText), u"");
  ASSERT_TRUE(WaitForRows(kDatabaseList, 5));
  Select(kDatabaseList, RowWith(kDatabaseList, 1, guid));
  Menu(19);
  EXPECT_TRUE(WaitFor([&] { return ClipboardUnicodeText() == u"Nightingale"; }, kWaitMs));
  Menu(23);
  ASSERT_TRUE(WaitForRows(kDatabaseList, 1));
  EXPECT_EQ(Probe().ListCell(database, 0, 1), guid);
  Menu(24);
  EXPECT_TRUE(WaitForRows(kDatabaseList, 5));

  // Export: ".db" is added to the chosen name; import: the other file's players join the list.
  ASSERT_TRUE(ChooseFileAfterMenu(29, u"Export Database...", program_.File("backup")));
  EXPECT_EQ(AnswerMessageBox(u"Velo 2 DUro"), u"Database was exported successfully!");
  EXPECT_TRUE(IsExistingFile(program_.File("backup.db")));
  const Text other = program_.File("other.db");
  ASSERT_NO_FATAL_FAILURE(MakeOtherDatabase(other));
  ASSERT_TRUE(ChooseFileAfterMenu(28, u"Import Database...", other));
  EXPECT_EQ(AnswerMessageBox(u"Velo 2 DUro"), u"Database was imported successfully!");
  EXPECT_TRUE(WaitForRows(kDatabaseList, 6));
  EXPECT_GE(RowWith(kDatabaseList, 0, u"Imported Ivy"), 0);
  PutFileBytes(program_.File("not-a-database.db"), "These are not the bytes of a database file.");
  ASSERT_TRUE(ChooseFileAfterMenu(28, u"Import Database...", program_.File("not-a-database.db")));
  EXPECT_EQ(AnswerMessageBox(u"Velo 2 DUro"), u"Could not import database!");

  // Kick, with a reason longer than the dialog allows.
  const Text kicked = SelectPlayer(3);
  Menu(3);
  HWND kick = WaitForWindow(u"Kick Player - " + kicked);
  ASSERT_NE(kick, nullptr);
  EXPECT_FALSE(WindowProbe::Enabled(main_));
  HWND reason = WindowProbe::Control(kick, 60);
  Type(reason, u"0123456789012345678901234567890123456789");
  WindowProbe::Notify(reason, CBN_EDITCHANGE);
  EXPECT_TRUE(WaitFor([&] { return WindowProbe::TextOf(reason) == u"01234567890123456789012345678901"; }, kWaitMs));
  WindowProbe::Click(WindowProbe::Control(kick, 57));
  ASSERT_TRUE(WaitGone(kick));
  EXPECT_TRUE(WindowProbe::Enabled(main_));
  EXPECT_TRUE(WaitForCommand("kick 3 01234567890123456789012345678901"));
  EXPECT_TRUE(WaitForRows(kPlayersList, 4));

  // Ban permanently.
  const Text banned = SelectPlayer(0);
  Menu(4);
  HWND ban = WaitForWindow(u"Ban Player - " + banned);
  ASSERT_NE(ban, nullptr);
  EXPECT_EQ(GetWindow(ban, GW_OWNER), main_);
  EXPECT_FALSE(WindowProbe::Enabled(main_));
  EXPECT_FALSE(WindowProbe::Enabled(WindowProbe::Control(ban, 28)));
  EXPECT_EQ(WindowProbe::TextOf(WindowProbe::Control(ban, 28)), u"7");
  Type(WindowProbe::Control(ban, 25), u"Cheating/Hacking");
  WindowProbe::Click(WindowProbe::Control(ban, 31));
  ASSERT_TRUE(WaitGone(ban));
  EXPECT_TRUE(WaitForCommand("ban 0 0 Cheating/Hacking"));

  // Ban for three days; an emptied days field comes back as 7.
  const Text bannedForDays = SelectPlayer(1);
  Menu(4);
  ban = WaitForWindow(u"Ban Player - " + bannedForDays);
  ASSERT_NE(ban, nullptr);
  HWND days = WindowProbe::Control(ban, 28);
  SendMessageW(WindowProbe::Control(ban, 26), BM_SETCHECK, BST_UNCHECKED, 0);
  SendMessageW(WindowProbe::Control(ban, 27), BM_SETCHECK, BST_CHECKED, 0);
  WindowProbe::Click(WindowProbe::Control(ban, 27));
  EXPECT_TRUE(WaitFor([&] { return WindowProbe::Enabled(days); }, kWaitMs));
  Type(days, u"");
  EXPECT_TRUE(WaitFor([&] { return WindowProbe::TextOf(days) == u"7"; }, kWaitMs));
  Type(days, u"3");
  Type(WindowProbe::Control(ban, 25), u"Abusive language");
  WindowProbe::Click(WindowProbe::Control(ban, 31));
  ASSERT_TRUE(WaitGone(ban));
  EXPECT_TRUE(WaitForCommand("ban 1 4320 Abusive language"));

  // Add Ban, its reason cut to 22 characters.
  Menu(16);
  HWND addBan = WaitForWindow(u"Add Ban");
  ASSERT_NE(addBan, nullptr);
  Type(WindowProbe::Control(addBan, 71), u"192.0.2.99");
  HWND addReason = WindowProbe::Control(addBan, 62);
  Type(addReason, u"Spamming the chat with adverts");
  WindowProbe::Notify(addReason, CBN_EDITCHANGE);
  EXPECT_TRUE(WaitFor([&] { return WindowProbe::TextOf(addReason) == u"Spamming the chat with"; }, kWaitMs));
  WindowProbe::Click(WindowProbe::Control(addBan, 66));
  ASSERT_TRUE(WaitGone(addBan));
  EXPECT_TRUE(WaitForCommand("addban 192.0.2.99 0 Spamming the chat with"));
  EXPECT_TRUE(WaitForLogLine(u"[GUID/IP has been banned.]"));

  // Remove the second ban of the list.
  const int bansBefore = Probe().ListCount(MainControl(kBansList));
  Select(kBansList, 1);
  Menu(6);
  EXPECT_TRUE(WaitForCommand("removeBan 1"));
  EXPECT_TRUE(WaitForRows(kBansList, bansBefore - 1));

  // Messages to everybody and to one player.
  Type(MainControl(kMessageField), u"Server restarts in 5 minutes");
  Menu(36);
  EXPECT_TRUE(WaitForCommand("say -1 Server restarts in 5 minutes"));
  EXPECT_TRUE(WaitFor([&] { return WindowProbe::TextOf(MainControl(kMessageField)).empty(); }, kWaitMs));
  const Text messaged = SelectPlayer(2);
  Menu(37);
  ASSERT_TRUE(AnswerRequester(u"Message - " + messaged, u"please stop"));
  EXPECT_TRUE(WaitForCommand("say 2 please stop"));

  // Set MaxPing: a value is sent; 0 sends nothing.
  Menu(12);
  ASSERT_TRUE(AnswerRequester(u"Set MaxPing", u"300"));
  EXPECT_TRUE(WaitForCommand("maxping 300"));
  EXPECT_TRUE(WaitForLogLine(u"[MaxPing changed to 300.]"));
  Menu(12);
  ASSERT_TRUE(AnswerRequester(u"Set MaxPing", u"0"));

  // Server commands.
  Menu(14);
  EXPECT_TRUE(WaitForCommand("#lock"));
  EXPECT_TRUE(WaitForLogLine(u"[The server has been locked.]"));
  Menu(17);
  EXPECT_TRUE(WaitForCommand("loadbans"));
  Menu(38);
  EXPECT_TRUE(WaitForCommand("loadScripts"));
  Select(kMissionsList, RowWith(kMissionsList, 0, u"siege.v2.mountain.pbo"));
  Menu(34);
  EXPECT_TRUE(WaitForCommand("#mission siege.v2.mountain"));
  EXPECT_TRUE(WaitForLogLine(u"[Mission(siege.v2.mountain) has been loaded.]"));
  for (const auto& [item, command] : {std::pair{15, "#unlock"}, {9, "#reassign"}, {10, "#restart"}}) {
    Menu(item);
    EXPECT_TRUE(WaitForCommand(command));
  }
  for (const std::string& command : server_.Commands()) EXPECT_NE(command.rfind("maxping 0", 0), 0u);

  // The About window closes with OK; a dialog's close box acts as its Cancel.
  Menu(2);
  HWND about = WaitForWindow(u"About");
  ASSERT_NE(about, nullptr);
  EXPECT_FALSE(WindowProbe::Enabled(main_));
  WindowProbe::Click(WindowProbe::Control(about, 33));
  ASSERT_TRUE(WaitGone(about));
  EXPECT_TRUE(WindowProbe::Enabled(main_));
  const std::size_t commandsBefore = server_.Commands().size();
  Menu(16);
  addBan = WaitForWindow(u"Add Ban");
  ASSERT_NE(addBan, nullptr);
  Type(WindowProbe::Control(addBan, 71), u"192.0.2.100");
  PostMessageW(addBan, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitGone(addBan));
  EXPECT_TRUE(WindowProbe::Enabled(main_));

  // Quit: the window's settings are written beside the program.
  Menu(8);
  DWORD exitCode = 1;
  ASSERT_TRUE(program_.WaitForExit(15000, exitCode));
  EXPECT_EQ(exitCode, 0u);
  for (std::size_t i = commandsBefore; i < server_.Commands().size(); ++i) {
    EXPECT_NE(server_.Commands()[i].rfind("addban", 0), 0u);  // the closed Add Ban sent nothing
  }
  std::string settings;
  ASSERT_TRUE(ReadWholeFile(program_.SettingsPath(), settings));
  EXPECT_NE(settings.find("[Database]\r\nEnable = 1\r\n[GUI]\r\nWindowState = 0\r\n"), std::string::npos);
  EXPECT_NE(settings.find("PlayerListColumn6 = 95\r\n"), std::string::npos);
}

}  // namespace
}  // namespace e2e
