// Connecting through Quick Connect from the favourites: a wrong password, a server that falls
// silent, a server that is shut down.
#include <windows.h>

#include <filesystem>

#include "runtime/portable/files.h"
#include "scenario.h"

namespace e2e {
namespace {

constexpr char kSettings[] = "[General]\r\nAutoRefreshEnable = 0\r\n";
constexpr char16_t kNotResponding[] = u"[Server is not responding. Please reconnect.]";

class Connection : public Scenario {
 protected:
  // Two favourites in the data folder before the start: the first with a wrong password.
  void WriteFavorites() {
    const std::string port = std::to_string(server_.Port());
    std::filesystem::create_directories(std::filesystem::path(program_.DataFolder()));
    PutFileBytes(program_.DataFolder() + u"favs.dat",
                 "Wrong\r\n127.0.0.1\r\n" + port + "\r\nnot it\r\nRight\r\n127.0.0.1\r\n" + port + "\r\nsecret\r\n");
  }
  // Chooses favourite `index` in the Quick Connect host combo.
  static void ChooseFavorite(HWND dialog, int index) {
    HWND combo = WindowProbe::Control(dialog, 37);
    SendMessageW(combo, CB_SETCURSEL, index, 0);
    WindowProbe::Notify(combo, CBN_SELCHANGE);
  }
  bool ResetShown() const {
    return WindowProbe::TextOf(main_) == u"Velo 2 DUro" && Probe().ListCount(MainControl(kPlayersList)) == 0 &&
           Probe().StatusField(StatusBar(), 0).empty() && !WindowProbe::Enabled(MainControl(kPlayersList));
  }
};

TEST_F(Connection, WrongPasswordThenSilenceThenShutdown) {
  WriteFavorites();
  StartProgram(kSettings);

  // The first favourite fills the form even as the very first choice.
  Menu(0);
  HWND dialog = WaitForWindow(u"Quick Connect");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(SendMessageW(WindowProbe::Control(dialog, 37), CB_GETCOUNT, 0, 0), 2);
  ChooseFavorite(dialog, 0);
  EXPECT_TRUE(WaitFor([&] { return WindowProbe::TextOf(WindowProbe::Control(dialog, 37)) == u"127.0.0.1"; }, kWaitMs));
  EXPECT_EQ(WindowProbe::TextOf(WindowProbe::Control(dialog, 38)), DecimalText(server_.Port()));
  WindowProbe::Click(WindowProbe::Control(dialog, 41));
  EXPECT_EQ(AnswerMessageBox(u"Error"), u"Could not connect!");
  EXPECT_TRUE(IsWindow(dialog));
  EXPECT_FALSE(WindowProbe::Enabled(MainControl(kPlayersList)));

  // The right one, connected with Return.
  ChooseFavorite(dialog, 1);
  WindowProbe::PostMenuCommand(dialog, 35);
  ASSERT_TRUE(WaitGone(dialog));
  ASSERT_TRUE(WaitFor([&] { return Connected(); }, kWaitMs));
  ASSERT_TRUE(WaitForRows(kPlayersList, 5));

  // Silence: the next request times out after ten seconds and the window is reset.
  server_.SetSilent(true);
  Menu(13);
  EXPECT_TRUE(WaitFor([&] { return LogHas(kNotResponding); }, 20000));
  EXPECT_TRUE(WaitFor([&] { return ResetShown(); }, kWaitMs));

  // Again, and "#shutdown": the server's last answer resets the window.
  server_.SetSilent(false);
  QuickConnect("secret");
  ASSERT_TRUE(WaitFor([&] { return Connected(); }, kWaitMs));
  Menu(11);
  EXPECT_TRUE(WaitForCommand("#shutdown"));
  EXPECT_TRUE(WaitFor([&] { return ResetShown(); }, kWaitMs));

  // Closing the main window ends the program; without a "settings.ini" beside it none is made.
  std::filesystem::remove(std::filesystem::path(program_.SettingsPath()));
  PostMessageW(main_, WM_CLOSE, 0, 0);
  DWORD exitCode = 1;
  ASSERT_TRUE(program_.WaitForExit(15000, exitCode));
  EXPECT_EQ(exitCode, 0u);
  EXPECT_FALSE(IsExistingFile(program_.SettingsPath()));
}

}  // namespace
}  // namespace e2e
