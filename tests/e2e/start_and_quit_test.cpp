// Starting the program on a fresh data folder and quitting it.
#include <gtest/gtest.h>

#include "program_under_test.h"
#include "runtime/portable/files.h"

namespace {

constexpr int kStartTimeoutMs = 30000;
constexpr int kItemQuit = 8;

}  // namespace

TEST(StartAndQuit, AFreshStartMakesTheDataFolderAndQuittingSavesTheWindowSettings) {
  ProgramUnderTest program;
  program.WriteSettings("[General]\r\nAutoRefreshEnable = 0\r\n");
  ASSERT_TRUE(program.Start());
  HWND main = program.WaitForMainWindow(kStartTimeoutMs);
  ASSERT_NE(main, nullptr);
  std::printf("[ figures ] start to main window: %lu ms\n", static_cast<unsigned long>(program.StartUpMs()));
  if (program.DonationWindowShown()) {
    EXPECT_TRUE(program.DonationCloseDisabledAtFirst());
    EXPECT_EQ(program.DonationFirstCloseText().rfind(u"Close (", 0), 0u);
    EXPECT_EQ(program.DonationLastCloseText(), u"Close");
  }
  EXPECT_EQ(WindowProbe::TextOf(main), u"Velo 2 DUro");
  EXPECT_TRUE(IsExistingFolder(program.DataFolder()));
  EXPECT_TRUE(IsExistingFile(program.DataFolder() + u"db.db"));
  EXPECT_FALSE(IsExistingFile(program.DataFolder() + u"favs.dat"));

  WindowProbe::PostMenuCommand(main, kItemQuit);
  DWORD exitCode = 1;
  ASSERT_TRUE(program.WaitForExit(15000, exitCode));
  EXPECT_EQ(exitCode, 0u);
  std::string settings;
  ASSERT_TRUE(ReadWholeFile(program.SettingsPath(), settings));
  EXPECT_NE(settings.find("[General]\r\nAutoRefreshEnable = 0\r\n"), std::string::npos);
  EXPECT_NE(settings.find("[GUI]\r\nWindowState = 0\r\n"), std::string::npos);
  EXPECT_NE(settings.find("WindowWidth = 700\r\n"), std::string::npos);
  EXPECT_NE(settings.find("DataBaseListColumn4 = 130\r\n"), std::string::npos);
}
