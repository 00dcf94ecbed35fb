// Starting the program on a fresh data folder and quitting it.
#include <gtest/gtest.h>

#include "program_under_test.h"
#include "runtime/portable/files.h"

namespace {

constexpr int kStartTimeoutMs = 30000;
constexpr int kItemQuit = 8;

}  // namespace

TEST(StartAndQuit, AFreshStartMakesTheDataFolderAndQuittingSavesTheWindowAsItLastWasInNormalState) {
  ProgramUnderTest program;
  program.WriteSettings("[General]\r\nAutoRefreshEnable = 0\r\n[GUI]\r\nWindowX = 100\r\nWindowY = 80\r\n");
  ASSERT_TRUE(program.Start());
  HWND main = program.WaitForMainWindow(kStartTimeoutMs);
  ASSERT_NE(main, nullptr);
  if (program.DonationWindowShown()) {
    EXPECT_TRUE(program.DonationCloseDisabledAtFirst());
    EXPECT_EQ(program.DonationFirstCloseText().rfind(u"Close (", 0), 0u);
    EXPECT_EQ(program.DonationLastCloseText(), u"Close");
  }
  EXPECT_EQ(WindowProbe::TextOf(main), u"Velo 2 DUro");
  RECT placed{};
  GetWindowRect(main, &placed);
  EXPECT_EQ(placed.left, 100);
  EXPECT_EQ(placed.top, 80);
  EXPECT_TRUE(IsExistingFolder(program.DataFolder()));
  EXPECT_TRUE(IsExistingFile(program.DataFolder() + u"db.db"));
  EXPECT_FALSE(IsExistingFile(program.DataFolder() + u"favs.dat"));

  // Maximised before quitting: the state is saved, the geometry stays the normal one.
  PostMessageW(main, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  ASSERT_TRUE(WaitFor([&] { return IsZoomed(main) != FALSE; }, 5000));
  WindowProbe::PostMenuCommand(main, kItemQuit);
  DWORD exitCode = 1;
  ASSERT_TRUE(program.WaitForExit(15000, exitCode));
  EXPECT_EQ(exitCode, 0u);
  std::string settings;
  ASSERT_TRUE(ReadWholeFile(program.SettingsPath(), settings));
  EXPECT_NE(settings.find("[General]\r\nAutoRefreshEnable = 0\r\n"), std::string::npos);
  // The window comes back where it was: the keys keep their places, the others follow.
  EXPECT_NE(settings.find("[GUI]\r\nWindowX = 100\r\nWindowY = 80\r\nWindowState = 16777216\r\n"
                          "WindowWidth = 700\r\nWindowHeight = 540\r\n"),
            std::string::npos)
      << settings;
  EXPECT_NE(settings.find("DataBaseListColumn4 = 130\r\n"), std::string::npos);
}
