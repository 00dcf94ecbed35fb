#pragma once
// SaveSettings: the main window's state, its last normal-state geometry, the splitter
// position and the column widths of the four lists go into the [GUI] group of an existing
// "settings.ini" at shut-down, while the main window still exists.

inline constexpr int kSplitterGadget = 12;
inline constexpr int kPlayersList = 9;
inline constexpr int kBansList = 10;
inline constexpr int kMissionsList = 80;
inline constexpr int kDatabaseList = 72;

void SaveSettings();
