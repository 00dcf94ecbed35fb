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

}  // namespace
}  // namespace e2e
