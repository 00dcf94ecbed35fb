// The "settings.ini" that the build puts beside a fresh program.
#include <gtest/gtest.h>

#include "app/files/settings.h"
#include "temp_folder.h"

TEST(DefaultSettings, TurnTheDatabaseOnLeaveRefreshOffAndHoldEveryGuiKeyAtItsDefault) {
  ResetAppSettings();
  TempFolder folder;
  AppSettings.SettingsFilePath = folder.File("settings.ini");
  const std::string written = FileBytes(Utf8ToText(VELO_DEFAULT_SETTINGS));
  ASSERT_FALSE(written.empty());
  PutFileBytes(AppSettings.SettingsFilePath, written);
  ReadSettingsFile();
  EXPECT_EQ(AppSettings.DatabaseEnabled, 1);
  EXPECT_EQ(AppSettings.AutoRefreshEnable, 0);
  EXPECT_EQ(AppSettings.AutoRefreshSeconds, 10);
  // Saving the defaults over it changes no byte: every key is there, in its place.
  WriteGuiSettings(GuiSettingsRecord());
  EXPECT_EQ(FileBytes(AppSettings.SettingsFilePath), written);
}
