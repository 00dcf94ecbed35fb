// Quick Connect from the favourites: a wrong password, a silent server, a shut-down one; closing the main window.
#include <filesystem>

#include "runtime/portable/files.h"
#include "scenario.h"

namespace e2e {
namespace {

class Connection : public Scenario {
 protected:
  bool ResetShown() const {
    return TextOf(main_) == u"Velo 2 DUro" && Rows(kPlayersList) == 0 && Status(0).empty() &&
           !Enabled(Gadget(kPlayersList));
  }
};

TEST_F(Connection, WrongPasswordThenSilenceThenShutdown) {
  // Two favourites in the data folder before the start: the first with a wrong password.
  const std::string port = std::to_string(server_.Port());
  std::filesystem::create_directories(std::filesystem::path(DataFolder()));
  PutFileBytes(DataFolder() + u"favs.dat",
               "Wrong\r\n127.0.0.1\r\n" + port + "\r\nnot it\r\nRight\r\n127.0.0.1\r\n" + port + "\r\nsecret\r\n");
  StartProgram("[General]\r\nAutoRefreshEnable = 0\r\n");

  // The first favourite fills the form even as the very first choice.
  HWND dialog = OpenWindow(kItemQuickConnect, u"Quick Connect");
  ASSERT_NE(dialog, nullptr);
  const auto chooseFavorite = [&](int index) {
    SendMessageW(Control(dialog, 37), CB_SETCURSEL, index, 0);
    Notify(Control(dialog, 37), CBN_SELCHANGE);
  };
  EXPECT_EQ(SendMessageW(Control(dialog, 37), CB_GETCOUNT, 0, 0), 2);
  chooseFavorite(0);
  EXPECT_TRUE(Eventually([&] { return TextOf(Control(dialog, 37)) == u"127.0.0.1"; }));
  EXPECT_EQ(TextOf(Control(dialog, 38)), Utf8ToText(port));
  Click(Control(dialog, 41));
  EXPECT_EQ(AnswerMessageBox(u"Error"), u"Could not connect!");
  EXPECT_TRUE(IsWindow(dialog));
  EXPECT_FALSE(Enabled(Gadget(kPlayersList)));

  // The right one, connected with Return.
  chooseFavorite(1);
  Command(dialog, 35);
  ASSERT_TRUE(WaitGone(dialog));
  ASSERT_TRUE(Eventually([&] { return Connected(); }));
  ASSERT_TRUE(WaitForRows(kPlayersList, 5));

  // Silence: the next request times out after ten seconds and the window is reset.
  server_.SetSilent(true);
  Menu(kItemRefresh);
  EXPECT_TRUE(WaitFor([&] { return LogHas(u"[Server is not responding. Please reconnect.]"); }, 20000));
  EXPECT_TRUE(Eventually([&] { return ResetShown(); }));

  // Again, and "#shutdown": the server's last answer resets the window.
  server_.SetSilent(false);
  ASSERT_NO_FATAL_FAILURE(QuickConnect("secret"));
  Menu(11);
  EXPECT_TRUE(WaitForCommand("#shutdown"));
  EXPECT_TRUE(Eventually([&] { return ResetShown(); }));

  // Closing the main window ends the program; without a "settings.ini" beside it none is made.
  std::filesystem::remove(std::filesystem::path(File("settings.ini")));
  PostMessageW(main_, WM_CLOSE, 0, 0);
  EXPECT_EQ(ExitCode(), 0u);
  EXPECT_FALSE(IsExistingFile(File("settings.ini")));
}

// What the user sent while the server had stopped answering was meant for that server: an Add Ban confirmed after the
// time-out, or a message sent with Return, never reaches the server connected next. Neither is taken for sent: the
// dialog and the typed text stay, and the log says that no server is connected.
TEST_F(Connection, NothingSentWhileDisconnectedReachesTheNextServer) {
  rcon_test_server::RconTestServer other;
  ASSERT_TRUE(other.Start());
  StartProgram("[General]\r\nAutoRefreshEnable = 0\r\n");
  ASSERT_NO_FATAL_FAILURE(QuickConnect("secret"));
  const auto timeOuts = [&] { return std::ranges::count(Log(), Text(u"[Server is not responding. Please reconnect.]")); };
  // Silence, then the refresh's answer is awaited for ten seconds.
  const auto silenceAndRefresh = [&](rcon_test_server::RconTestServer& silent) {
    silent.SetSilent(true);
    Menu(kItemRefresh);
  };
  const auto waitForTimeOut = [&](int count) {
    return WaitFor([&] { return timeOuts() == count && ResetShown(); }, 20000);
  };
  // A private message probes the new server: it goes out at once from the window, never through the one-slot mailbox
  // that a queued command of the user would wait in (and that a probe through it would replace).
  const auto reconnectAndProbe = [&](rcon_test_server::RconTestServer& next) {
    next.SetSilent(false);
    ASSERT_NO_FATAL_FAILURE(QuickConnect("secret", next.Port()));
    const auto players = next.Players();
    Select(kPlayersList, RowWith(kPlayersList, 6, Utf8ToText(players.at(0).Guid)));
    Menu(kItemMessage);
    ASSERT_TRUE(AnswerRequester(u"Message - " + Utf8ToText(players.at(0).Name), u"probe"));
    ASSERT_TRUE(next.WaitForCommand("say " + std::to_string(players.at(0).Number) + " probe", kWaitMs));
    for (const std::string& command : next.Commands()) {
      EXPECT_FALSE(command.starts_with("say -1") || command.starts_with("addban")) << command;
    }
  };

  const auto notConnected = [&] { return std::ranges::count(Log(), Text(u"[Not connected to a server.]")); };

  // The Add Ban dialog stays open across the time-out; its button is pressed afterwards, and the dialog stays.
  silenceAndRefresh(server_);
  HWND addBan = OpenWindow(kItemAddBan, u"Add Ban");
  ASSERT_NE(addBan, nullptr);
  Type(Control(addBan, 71), u"192.0.2.99");
  ASSERT_TRUE(waitForTimeOut(1));
  Click(Control(addBan, 66));
  ASSERT_TRUE(Eventually([&] { return notConnected() == 1; }));
  EXPECT_TRUE(IsWindow(addBan)) << "the Add Ban was taken";
  Click(Control(addBan, 67));
  ASSERT_TRUE(WaitGone(addBan));
  ASSERT_NO_FATAL_FAILURE(reconnectAndProbe(other));
  EXPECT_FALSE(LogHas(u"[GUID/IP has been banned.]"));

  // A message typed while connected, sent with Return after the time-out, stays in the field across the next connect.
  // A private message answered after the time-out is not sent either, and no box calls the player gone.
  HWND field = Gadget(kMessageField);
  Type(field, u"hello");
  silenceAndRefresh(other);
  const auto players = other.Players();
  Select(kPlayersList, RowWith(kPlayersList, 6, Utf8ToText(players.at(1).Guid)));
  Menu(kItemMessage);
  ASSERT_TRUE(waitForTimeOut(2));
  ASSERT_TRUE(AnswerRequester(u"Message - " + Utf8ToText(players.at(1).Name), u"are you there"));
  ASSERT_TRUE(Eventually([&] { return notConnected() == 2; }));
  Menu(kItemReturn);
  ASSERT_TRUE(Eventually([&] { return notConnected() == 3; }));
  EXPECT_EQ(TextOf(field), u"hello") << "the message was taken";
  ASSERT_NO_FATAL_FAILURE(reconnectAndProbe(server_));
  EXPECT_EQ(TextOf(field), u"hello");
  for (const std::string& command : other.Commands()) EXPECT_EQ(command.find("are you there"), std::string::npos);
  EXPECT_EQ(Top([](HWND w) {
              wchar_t kind[16] = {};
              GetClassNameW(w, kind, 16);
              return lstrcmpW(kind, L"#32770") == 0;
            }),
            nullptr)
      << "a message box";
  Quit();
}

}  // namespace
}  // namespace e2e
