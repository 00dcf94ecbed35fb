#pragma once
// The real main window built from a "settings.ini" of the test's own, with the toolkit
// started once per process, a player database in a temporary folder and the protocol's
// window interface installed; and ways to read back what the window shows.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/portable/text.h"
#include "temp_folder.h"

// Column widths and geometry that differ from every default.
extern const char kTestSettings[];

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Builds window 0 afresh from these settings; the database switch as given.
  void Build(const std::string& settings, int databaseEnabled);
  // Dispatches what is waiting and serves hand-overs from other threads; never blocks.
  static void Pump();
  // The events waiting now, as (code, gadget or menu item) pairs.
  static std::vector<std::pair<int, int>> TakeEvents();

  TempFolder folder_;
};

struct MenuLine {
  Text ItemText;  // "" for a separator
  bool Grayed = false;
};

// The items of title `index` (0 Server .. 3 Info) of the menu bar.
std::vector<MenuLine> MenuBarItems(int titleIndex);

Text WindowTextOf(HWND window);
// The rows of a report list as cells joined by "|".
std::vector<Text> ListRows(int gadget);
