#include "app/files/settings.h"

#include <string>
#include <utility>
#include <vector>

#include "app/files/favorites.h"
#include "runtime/portable/files.h"
#include "runtime/portable/preferences.h"

SettingsGlobals AppSettings;

void ResetAppSettings() { AppSettings = SettingsGlobals(); }

namespace {

// The 22 keys of the [GUI] group in the order they are read and written.
std::vector<std::pair<Text, std::int32_t*>> GuiKeys(GuiSettingsRecord& record) {
  std::vector<std::pair<Text, std::int32_t*>> keys = {
      {u"WindowState", &record.WindowState},   {u"WindowX", &record.WindowX},
      {u"WindowY", &record.WindowY},           {u"WindowWidth", &record.WindowWidth},
      {u"WindowHeight", &record.WindowHeight}, {u"Splitter", &record.Splitter}};
  for (std::size_t i = 0; i < record.PlayerListColumn.size(); ++i) {
    keys.emplace_back(u"PlayerListColumn" + DecimalText(static_cast<int>(i)), &record.PlayerListColumn[i]);
  }
  for (std::size_t i = 0; i < record.BanListColumn.size(); ++i) {
    keys.emplace_back(u"BanListColumn" + DecimalText(static_cast<int>(i)), &record.BanListColumn[i]);
  }
  keys.emplace_back(u"MissionListColumn", &record.MissionListColumn);
  for (std::size_t i = 0; i < record.DataBaseListColumn.size(); ++i) {
    keys.emplace_back(u"DataBaseListColumn" + DecimalText(static_cast<int>(i)), &record.DataBaseListColumn[i]);
  }
  return keys;
}

}  // namespace

void SetFilePaths(const Text& appData) {
  AppSettings.DataFolder = appData + u"\\Velo 2 DUro\\";
  AppSettings.FavoritesFilePath = AppSettings.DataFolder + u"favs.dat";
  AppSettings.DatabaseFilePath = AppSettings.DataFolder + u"db.db";
  AppSettings.SettingsFilePath = u"settings.ini";
}

void ReadFavoritesOrCreateDataFolder() {
  if (IsExistingFolder(AppSettings.DataFolder)) {
    LoadFavoritesFile(AppSettings.FavoritesFilePath);
  } else {
    CreateFolder(AppSettings.DataFolder);
  }
}

void ReadSettingsFile() {
  OpenPreferences(AppSettings.SettingsFilePath);
  PreferenceGroup(u"General");
  AppSettings.AutoRefreshEnable = ReadPreferenceInteger(u"AutoRefreshEnable", 0);
  AppSettings.AutoRefreshSeconds = ReadPreferenceInteger(u"AutoRefreshTime", 10);
  PreferenceGroup(u"Database");
  AppSettings.DatabaseEnabled = ReadPreferenceInteger(u"Enable", 0);
  PreferenceGroup(u"GUI");
  GuiSettingsRecord& gui = AppSettings.GuiSettings;
  gui = GuiSettingsRecord();
  for (const auto& [key, value] : GuiKeys(gui)) *value = ReadPreferenceInteger(key, *value);
  ClosePreferences();
  if (gui.WindowState == kWindowStateMinimized) gui.WindowState = 0;
}

void CreateDatabaseFileIfMissing() {
  if (!IsExistingFile(AppSettings.DatabaseFilePath)) CreateEmptyFile(AppSettings.DatabaseFilePath);
}

void WriteGuiSettings(const GuiSettingsRecord& values) {
  if (!OpenPreferences(AppSettings.SettingsFilePath)) {
    ClosePreferences();
    return;
  }
  PreferenceGroup(u"GUI");
  GuiSettingsRecord copy = values;
  for (const auto& [key, value] : GuiKeys(copy)) WritePreferenceInteger(key, *value);
  ClosePreferences();
}
