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
  TempFolder folder;
};

const char kAllGuiKeysWithDefaults[] =
    "[GUI]\r\nWindowState = 0\r\nWindowX = -1\r\nWindowY = -1\r\nWindowWidth = 700\r\n"
    "WindowHeight = 540\r\nSplitter = -1\r\nPlayerListColumn0 = 95\r\nPlayerListColumn1 = 95\r\n"
    "PlayerListColumn2 = 95\r\nPlayerListColumn3 = 95\r\nPlayerListColumn4 = 95\r\n"
    "PlayerListColumn5 = 95\r\nPlayerListColumn6 = 95\r\nBanListColumn0 = 220\r\n"
    "BanListColumn1 = 220\r\nBanListColumn2 = 220\r\nMissionListColumn = 650\r\n"
    "DataBaseListColumn0 = 130\r\nDataBaseListColumn1 = 130\r\nDataBaseListColumn2 = 130\r\n"
    "DataBaseListColumn3 = 130\r\nDataBaseListColumn4 = 130\r\n";

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

// The default values themselves are the bytes written below and by the build's default file.
TEST_F(SettingsFile, NoFileGivesDefaultsAndLeavesNoFileBehind) {
  ReadSettingsFile();
  EXPECT_EQ(AppSettings.AutoRefreshSeconds, 10);
  EXPECT_EQ(AppSettings.DatabaseEnabled, 0);
  WriteGuiSettings(AppSettings.GuiSettings);
  EXPECT_FALSE(IsExistingFile(AppSettings.SettingsFilePath));
}

TEST_F(SettingsFile, GeneralOnlyFileGainsMarkAndTheGuiGroupInOrder) {
  PutFileBytes(AppSettings.SettingsFilePath, "[General]\nAutoRefreshEnable=1\n");
  ReadSettingsFile();
  EXPECT_EQ(AppSettings.AutoRefreshEnable, 1);
  WriteGuiSettings(AppSettings.GuiSettings);
  EXPECT_EQ(FileBytes(AppSettings.SettingsFilePath),
            std::string("\xEF\xBB\xBF[General]\r\nAutoRefreshEnable = 1\r\n") + kAllGuiKeysWithDefaults);
}

TEST_F(SettingsFile, MinimisedStateInOtherLetterCaseOpensNormal) {
  PutFileBytes(AppSettings.SettingsFilePath, "[gui]\r\nwindowstate = 536870912\r\nwindowx=12\r\n");
  ReadSettingsFile();
  EXPECT_EQ(AppSettings.GuiSettings.WindowState, 0);
  EXPECT_EQ(AppSettings.GuiSettings.WindowX, 12);
  PutFileBytes(AppSettings.SettingsFilePath, "[GUI]\r\nWindowState = 16777216\r\n");
  ReadSettingsFile();
  EXPECT_EQ(AppSettings.GuiSettings.WindowState, kWindowStateMaximized);
}

TEST_F(SettingsFile, ReadsEveryGroupAndValuesThatAreNoNumbersReadZero) {
  PutFileBytes(AppSettings.SettingsFilePath,
               "[General]\nAutoRefreshEnable = 1\nAutoRefreshTime = 30\n[Database]\nEnable = yes\n"
               "[GUI]\nWindowWidth = 1024\nPlayerListColumn6 = 40\nDataBaseListColumn4 = 7\n"
               "PlayerListColumn00 = 1\n");
  ReadSettingsFile();
  EXPECT_EQ(AppSettings.AutoRefreshSeconds, 30);
  EXPECT_EQ(AppSettings.DatabaseEnabled, 0);
  EXPECT_EQ(AppSettings.GuiSettings.WindowWidth, 1024);
  EXPECT_EQ(AppSettings.GuiSettings.PlayerListColumn[0], 95) << "indices have no leading zeros";
  EXPECT_EQ(AppSettings.GuiSettings.PlayerListColumn[6], 40);
  EXPECT_EQ(AppSettings.GuiSettings.DataBaseListColumn[4], 7);
}

TEST_F(SettingsFile, WritesTheGuiValuesGivenAndKeepsOtherGroups) {
  PutFileBytes(AppSettings.SettingsFilePath,
               "\xEF\xBB\xBF[GUI]\r\nWindowState = 0\r\n[Database]\r\nEnable = 1\r\n");
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

TEST_F(SettingsFile, FirstStartCreatesTheDataFolderAndAnEmptyDatabaseButNoFavourites) {
  SetFilePaths(folder.Path().u16string());
  // The paths are Windows paths; on other systems the folder is named as one.
  AppSettings.DataFolder = folder.File("Velo 2 DUro");
  AppSettings.FavoritesFilePath = folder.File("Velo 2 DUro/favs.dat");
  AppSettings.DatabaseFilePath = folder.File("Velo 2 DUro/db.db");
  ReadFavoritesOrCreateDataFolder();
  EXPECT_TRUE(IsExistingFolder(AppSettings.DataFolder));
  CreateDatabaseFileIfMissing();
  EXPECT_TRUE(IsExistingFile(AppSettings.DatabaseFilePath));
  EXPECT_EQ(FileBytes(AppSettings.DatabaseFilePath), "");
  EXPECT_FALSE(IsExistingFile(AppSettings.FavoritesFilePath));
  EXPECT_TRUE(Favorites.FavoriteList.empty());
}

TEST_F(SettingsFile, AnExistingDatabaseIsLeftAloneAndFavouritesAreRead) {
  AppSettings.DataFolder = folder.Path().u16string();
  AppSettings.FavoritesFilePath = folder.File("favs.dat");
  AppSettings.DatabaseFilePath = folder.File("db.db");
  PutFileBytes(AppSettings.DatabaseFilePath, "SQLite");
  PutFileBytes(AppSettings.FavoritesFilePath, "Home\r\nh\r\n1\r\np\r\n");
  ReadFavoritesOrCreateDataFolder();
  CreateDatabaseFileIfMissing();
  EXPECT_EQ(FileBytes(AppSettings.DatabaseFilePath), "SQLite");
  ASSERT_EQ(Favorites.FavoriteList.size(), 1u);
  EXPECT_EQ(Favorites.FavoriteList[0].Host, u"h");
}
