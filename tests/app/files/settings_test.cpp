#include "app/files/settings.h"

#include <gtest/gtest.h>

#include "app/files/favorites.h"
#include "runtime/portable/files.h"
#include "temp_folder.h"

namespace {

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAppSettings();
    ResetFavorites();
    AppSettings.SettingsFilePath = folder.File("settings.ini");
  }
  void Read(const std::string& bytes) {
    PutFileBytes(AppSettings.SettingsFilePath, bytes);
    ReadSettingsFile();
  }
  TempFolder folder;
};
using DefaultSettings = SettingsFile;

}  // namespace

TEST(FilePaths, DataFolderSitsUnderAppDataAndEndsInABackslash) {
  ResetAppSettings();
  SetFilePaths(u"C:\\Users\\a\\AppData\\Roaming");
  EXPECT_EQ(AppSettings.DataFolder, u"C:\\Users\\a\\AppData\\Roaming\\Velo 2 DUro\\");
  EXPECT_EQ(AppSettings.FavoritesFilePath, u"C:\\Users\\a\\AppData\\Roaming\\Velo 2 DUro\\favs.dat");
  EXPECT_EQ(AppSettings.DatabaseFilePath, u"C:\\Users\\a\\AppData\\Roaming\\Velo 2 DUro\\db.db");
  EXPECT_EQ(AppSettings.SettingsFilePath, u"settings.ini");
  SetFilePaths(u"");
  EXPECT_EQ(AppSettings.DataFolder, u"\\Velo 2 DUro\\");
}

// The build's default "settings.ini", made afresh for the test as the program's build makes it.
TEST_F(DefaultSettings, TurnTheDatabaseOnLeaveRefreshOffAndHoldEveryGuiKeyAtItsDefault) {
  const std::string written = FileBytes(Utf8ToText(VELO_DEFAULT_SETTINGS));
  ASSERT_FALSE(written.empty());
  Read(written);
  EXPECT_EQ(AppSettings.DatabaseEnabled, 1);
  EXPECT_EQ(AppSettings.AutoRefreshEnable, 0);
  EXPECT_EQ(AppSettings.AutoRefreshSeconds, 10);
  // Saving the defaults over it changes no byte: every key is there, in its place.
  WriteGuiSettings(GuiSettingsRecord());
  EXPECT_EQ(FileBytes(AppSettings.SettingsFilePath), written);
  // A file of the general group alone gains the mark and the same GUI group, in order.
  Read("[General]\nAutoRefreshEnable=1\n");
  EXPECT_EQ(AppSettings.AutoRefreshEnable, 1);
  WriteGuiSettings(AppSettings.GuiSettings);
  EXPECT_EQ(FileBytes(AppSettings.SettingsFilePath),
            "\xEF\xBB\xBF[General]\r\nAutoRefreshEnable = 1\r\n" + written.substr(written.find("[GUI]")));
}

TEST_F(SettingsFile, NoFileStaysNoFileAndEveryGroupIsReadInAnyLetterCaseAndValuesThatAreNoNumbersReadZero) {
  ReadSettingsFile();
  EXPECT_EQ(AppSettings.AutoRefreshSeconds, 10);
  WriteGuiSettings(AppSettings.GuiSettings);
  EXPECT_FALSE(IsExistingFile(AppSettings.SettingsFilePath));
  Read("[gui]\r\nwindowstate = 536870912\r\nwindowx=12\r\n");
  EXPECT_EQ(AppSettings.GuiSettings.WindowState, 0) << "a minimised window opens normal";
  EXPECT_EQ(AppSettings.GuiSettings.WindowX, 12);
  Read("[General]\nAutoRefreshEnable = 1\nAutoRefreshTime = 30\n[Database]\nEnable = yes\n"
       "[GUI]\nWindowState = 16777216\nWindowWidth = 1024\nPlayerListColumn6 = 40\nDataBaseListColumn4 = 7\n"
       "PlayerListColumn00 = 1\n");
  EXPECT_EQ(AppSettings.GuiSettings.WindowState, kWindowStateMaximized);
  EXPECT_EQ(AppSettings.AutoRefreshSeconds, 30);
  EXPECT_EQ(AppSettings.DatabaseEnabled, 0);
  EXPECT_EQ(AppSettings.GuiSettings.WindowWidth, 1024);
  EXPECT_EQ(AppSettings.GuiSettings.PlayerListColumn[0], 95) << "indices have no leading zeros";
  EXPECT_EQ(AppSettings.GuiSettings.PlayerListColumn[6], 40);
  EXPECT_EQ(AppSettings.GuiSettings.DataBaseListColumn[4], 7);
}

TEST_F(SettingsFile, WritesTheGuiValuesGivenAndKeepsOtherGroups) {
  PutFileBytes(AppSettings.SettingsFilePath, "\xEF\xBB\xBF[GUI]\r\nWindowState = 0\r\n[Database]\r\nEnable = 1\r\n");
  GuiSettingsRecord values;
  values.WindowState = kWindowStateMinimized;
  values.WindowX = 10;
  values.Splitter = 321;
  values.BanListColumn[2] = 5;
  WriteGuiSettings(values);
  ReadSettingsFile();
  EXPECT_EQ(AppSettings.GuiSettings.WindowState, 0) << "a minimised window comes back normal";
  EXPECT_EQ(AppSettings.GuiSettings.WindowX, 10);
  EXPECT_EQ(AppSettings.GuiSettings.Splitter, 321);
  EXPECT_EQ(AppSettings.GuiSettings.BanListColumn[2], 5);
  EXPECT_EQ(AppSettings.DatabaseEnabled, 1);
  const std::string bytes = FileBytes(AppSettings.SettingsFilePath);
  EXPECT_EQ(bytes.find("[Database]\r\nEnable = 1\r\n"), bytes.size() - 24);
}

TEST_F(SettingsFile, FirstStartCreatesTheDataFolderAndAnEmptyDatabaseLaterStartsLeaveItAndReadFavourites) {
  // The paths are Windows paths; on other systems the folder is named as one.
  AppSettings.DataFolder = folder.File("Velo 2 DUro");
  AppSettings.FavoritesFilePath = folder.File("Velo 2 DUro/favs.dat");
  AppSettings.DatabaseFilePath = folder.File("Velo 2 DUro/db.db");
  ReadFavoritesOrCreateDataFolder();
  EXPECT_TRUE(IsExistingFolder(AppSettings.DataFolder));
  CreateDatabaseFileIfMissing();
  EXPECT_EQ(FileBytes(AppSettings.DatabaseFilePath), "");
  EXPECT_TRUE(IsExistingFile(AppSettings.DatabaseFilePath));
  EXPECT_FALSE(IsExistingFile(AppSettings.FavoritesFilePath));
  EXPECT_TRUE(Favorites.FavoriteList.empty());
  PutFileBytes(AppSettings.DatabaseFilePath, "SQLite");
  PutFileBytes(AppSettings.FavoritesFilePath, "Home\r\nh\r\n1\r\np\r\n");
  ReadFavoritesOrCreateDataFolder();
  CreateDatabaseFileIfMissing();
  EXPECT_EQ(FileBytes(AppSettings.DatabaseFilePath), "SQLite");
  ASSERT_EQ(Favorites.FavoriteList.size(), 1u);
  EXPECT_EQ(Favorites.FavoriteList[0].Host, u"h");
}
