// The program's own files: "settings.ini", the data folder and "favs.dat".
#include <gtest/gtest.h>

#include "app/files/favorites.h"
#include "app/files/settings.h"
#include "runtime/portable/files.h"
#include "temp_folder.h"

using namespace std::string_literals;

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
  Text path = folder.File("favs.dat");
};
using DefaultSettings = SettingsFile;
using FavoritesFile = SettingsFile;

}  // namespace

TEST(FilePaths, DataFolderSitsUnderAppDataAndEndsInABackslash) {
  ResetAppSettings();
  SetFilePaths(u"C:\\Users\\a\\AppData\\Roaming");
  EXPECT_EQ(AppSettings.DataFolder, u"C:\\Users\\a\\AppData\\Roaming\\Velo 2 DUro\\");
  EXPECT_EQ(AppSettings.FavoritesFilePath, u"C:\\Users\\a\\AppData\\Roaming\\Velo 2 DUro\\favs.dat");
  EXPECT_EQ(AppSettings.DatabaseFilePath, u"C:\\Users\\a\\AppData\\Roaming\\Velo 2 DUro\\db.db");
  SetFilePaths(u"");
  EXPECT_EQ(AppSettings.DataFolder, u"\\Velo 2 DUro\\");
}

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

// Each file as read, written back in the program's own form.
TEST_F(FavoritesFile, AnyLineEndAndAnIncompleteLastRecord) {
  const struct { std::string file, read; } kFiles[] = {
      {"A\nh1\r$10\rp1\r\nB\0h2\n%11"s, "A\r\nh1\r\n16\r\np1\r\nB\r\nh2\r\n3\r\n\r\n"},
      {"Home\r\nhost\r\n2302\r\npw\r\n\r\n", "Home\r\nhost\r\n2302\r\npw\r\n\r\n\r\n0\r\n\r\n"},  // one more, empty
      {"A\r\nh\r\nnone\r\n", "A\r\nh\r\n0\r\n\r\n"},
      // 2^32 + 2302 stays out of range instead of wrapping to 2302, so the connect refuses it.
      {"A\r\nh\r\n4294969598\r\n", "A\r\nh\r\n2147483647\r\n\r\n"},
      {"", ""},
  };
  for (const auto& f : kFiles) EXPECT_EQ(FavoritesFileBytes(ParseFavorites(f.file)), f.read) << f.file;
}

TEST_F(FavoritesFile, AppendingEndsAnOpenLastLineFirst) {
  PutFileBytes(path, "A\r\nh\r\n1\r\npass");
  ASSERT_TRUE(LoadFavoritesFile(path));
  ASSERT_TRUE(AppendFavorite(path, FavoriteRecord{u"M\u00fcnchen \u20ac", u"10.0.0.1", 2302, u"geheim"}));
  ASSERT_TRUE(AppendFavorite(path, FavoriteRecord{u"Home", u"example.org", -7, u"p w"}));
  EXPECT_EQ(FileBytes(path),
            "A\r\nh\r\n1\r\npass\r\nM\xC3\xBCnchen \xE2\x82\xAC\r\n10.0.0.1\r\n2302\r\ngeheim\r\n"
            "Home\r\nexample.org\r\n-7\r\np w\r\n");
  ASSERT_EQ(Favorites.FavoriteList.size(), 3u);
  ASSERT_TRUE(LoadFavoritesFile(path));
  ASSERT_EQ(Favorites.FavoriteList.size(), 3u);
  EXPECT_EQ(Favorites.FavoriteList[0].Password, u"pass");
  EXPECT_EQ(Favorites.FavoriteList[1].Description, u"M\u00fcnchen \u20ac");
  EXPECT_EQ(Favorites.FavoriteList[2].Port, -7);
}

TEST_F(FavoritesFile, AFileThatCannotBeReadOrWrittenLeavesNoFavourites) {
  Favorites.FavoriteList.push_back(FavoriteRecord{u"old", u"h", 1, u"p"});
  EXPECT_FALSE(LoadFavoritesFile(path));
  EXPECT_TRUE(Favorites.FavoriteList.empty());
  EXPECT_FALSE(AppendFavorite(folder.File("no such folder/favs.dat"), FavoriteRecord{u"A", u"h", 1, u"p"}));
  EXPECT_TRUE(Favorites.FavoriteList.empty());
}

TEST_F(FavoritesFile, UpdateChangesEveryMatchRemoveOnlyTheFirstAndARewriteMatchesTheList) {
  Favorites.FavoriteList = {{u"A", u"a", 1, u"x"}, {u"B", u"b", 2, u"y"}, {u"A", u"c", 3, u"z"}};
  UpdateFavorites(u"A", u"new", 9, u"pw");
  UpdateFavorites(u"a", u"lower", 1, u"");  // descriptions compare with letter case
  EXPECT_EQ(Favorites.FavoriteList[0].Host, u"new");
  EXPECT_TRUE(RemoveFavorite(u"A"));
  EXPECT_FALSE(RemoveFavorite(u"C"));
  EXPECT_EQ(FindFavorite(u"A"), &Favorites.FavoriteList[1]);
  EXPECT_EQ(FindFavorite(u"Z"), nullptr);
  PutFileBytes(path, "stale contents");
  ASSERT_TRUE(WriteFavoritesFile(path));
  EXPECT_EQ(FileBytes(path), "B\r\nb\r\n2\r\ny\r\nA\r\nnew\r\n9\r\npw\r\n");
  Favorites.FavoriteList.clear();
  ASSERT_TRUE(WriteFavoritesFile(path));
  EXPECT_EQ(FileBytes(path), "");
}
