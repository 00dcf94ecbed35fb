#pragma once
// SaveSettings: the main window's state, its last normal-state geometry, the splitter
// position and the column widths of the four lists go into the [GUI] group of an existing
// "settings.ini" at shut-down, while the main window still exists.

void SaveSettings();
