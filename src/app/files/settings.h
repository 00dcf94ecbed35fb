#pragma once
// The program's own files and what "settings.ini" holds: where the files are, the settings
// read once at start-up, and the [GUI] group written back once at shut-down.
#include <array>
#include <cstdint>

#include "runtime/portable/text.h"

struct GuiSettingsRecord {
  std::int32_t WindowState = 0;  // 0 normal, 0x1000000 maximised, 0x20000000 minimised
  std::int32_t WindowX = -1;
  std::int32_t WindowY = -1;
  std::int32_t WindowWidth = 700;
  std::int32_t WindowHeight = 540;
  std::int32_t Splitter = -1;  // -1: the splitter's height less 70
  std::array<std::int32_t, 7> PlayerListColumn{95, 95, 95, 95, 95, 95, 95};
  std::array<std::int32_t, 3> BanListColumn{220, 220, 220};
  std::int32_t MissionListColumn = 650;
  std::array<std::int32_t, 5> DataBaseListColumn{130, 130, 130, 130, 130};
};

inline constexpr std::int32_t kWindowStateMaximized = 0x1000000;
inline constexpr std::int32_t kWindowStateMinimized = 0x20000000;

struct SettingsGlobals {
  Text DataFolder;         // "%APPDATA%\Velo 2 DUro\", ending in a backslash
  Text FavoritesFilePath;  // DataFolder + "favs.dat"
  Text DatabaseFilePath;   // DataFolder + "db.db"
  Text SettingsFilePath = u"settings.ini";  // beside the program: the current folder
  std::int32_t AutoRefreshEnable = 0;
  std::int32_t AutoRefreshSeconds = 10;
  std::int32_t DatabaseEnabled = 0;
  GuiSettingsRecord GuiSettings;
};

extern SettingsGlobals AppSettings;
void ResetAppSettings();

// Builds the four paths from the value of APPDATA ("" when it is missing).
void SetFilePaths(const Text& appData);
// Reads the favourites when the data folder exists, or creates the folder when it does not.
void ReadFavoritesOrCreateDataFolder();
// Reads "settings.ini" (every value its default when the file is missing); a remembered
// minimised state becomes normal, so that the main window never opens minimised.
void ReadSettingsFile();
// The player database engine opens only existing files.
void CreateDatabaseFileIfMissing();
// Writes the [GUI] group with these values into an existing "settings.ini"; nothing when the
// file does not exist. Groups General and Database are left as the user wrote them.
void WriteGuiSettings(const GuiSettingsRecord& values);
