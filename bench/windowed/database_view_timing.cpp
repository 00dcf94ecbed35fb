// Times the Database tab against a player database of a million rows, in the real window:
// loading the file (by the database's worker, as the program does), filling the
// list, each keystroke of a search, scrolling to the end and back, and the process's memory
// afterwards. Prints the figures; asserts nothing.
//   database_view_timing [rows]   (default 1000000)
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/database_view.h"
#include "app/window_interface.h"
#include "app/files/settings.h"
#include "app/main_window.h"
#include "app/gadget_ids.h"
#include "app/logic/embedded_images.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"
#include "app/main_window_layout.h"
#include "runtime/win32/gui.h"
#include "veloui/toolkit/toolkit.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A file as years of refreshes leave it: every GUID under three names or addresses, five
// servers, dates spread over a year.
bool MakePlayersFile(const std::string& path, long rows) {
  DeleteFileA(path.c_str());
  sqlite3* db = nullptr;
  if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) return false;
  const std::string sql =
      "CREATE TABLE PLAYERS (NAME VARCHAR(32), GUID CHAR(32), IP CHAR(15), SERVER VARCHAR(50), DATE CHAR(16));"
      "WITH RECURSIVE n(x) AS (SELECT 0 UNION ALL SELECT x + 1 FROM n WHERE x < " +
      std::to_string(rows - 1) +
      ") INSERT INTO PLAYERS SELECT 'Player' || x, printf('%032x', x / 3), (x % 250 + 1) || '.' || "
      "(x / 250 % 250) || '.' || (x / 62500 % 250) || '.7', 'server' || (x % 5) || '.example:2302', "
      "printf('%02d.%02d.2023 %02d:%02d', x % 28 + 1, x % 12 + 1, x % 24, x % 60) FROM n;";
  const bool made = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_close(db);
  return made;
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Until the list has painted what it now shows.
void Paint() {
  const HWND list = GadgetHandle(kDatabaseList);
  InvalidateRect(list, nullptr, TRUE);
  UpdateWindow(list);
}

void Report(const char* what, double milliseconds, int rows) {
  std::printf("%-44s %9.1f ms  %8d rows shown\n", what, milliseconds, rows);
}

double MegabytesOf(SIZE_T bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

void ReportMemory(const char* when) {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  std::printf("memory %-37s private %7.1f MB, working set %7.1f MB, peak working set %7.1f MB\n", when,
              MegabytesOf(counters.PrivateUsage), MegabytesOf(counters.WorkingSetSize),
              MegabytesOf(counters.PeakWorkingSetSize));
}

void TimeKeystrokes(int comboIndex, const char16_t* typed, bool exact) {
  SetGadgetState(kSearchFieldCombo, comboIndex);
  SetGadgetState(kExactMatchBox, exact ? 1 : 0);
  Text text;
  for (const char16_t* c = typed; *c != 0; ++c) {
    text += *c;
    const auto start = Clock::now();
    SetGadgetText(kSearchText, text);
    SearchDatabaseList(GadgetState(kSearchFieldCombo) - 1);
    Paint();
    const std::string label = std::string("keystroke, field ") + std::to_string(comboIndex - 1) +
                              (exact ? " exact \"" : " \"") + TextToUtf8(text) + "\"";
    Report(label.c_str(), MillisecondsSince(start), CountGadgetItems(kDatabaseList));
  }
}

}  // namespace

int main(int argc, char** argv) {
  const long rows = argc > 1 ? std::atol(argv[1]) : 1000000;
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  const std::string file = std::string(folder) + "velo-database-view-timing.db";
  auto start = Clock::now();
  if (!MakePlayersFile(file, rows)) {
    std::printf("could not make %s\n", file.c_str());
    return 1;
  }
  std::printf("rows: %ld (file made in %.0f ms, not part of the figures)\n", rows, MillisecondsSince(start));
  ReportMemory("at start");

  InitToolkit();
  StartToolkitHooks();
  InitMainWindowServices();
  AppSettings.DatabaseEnabled = 1;
  CreateMainWindow();
  ResizeSplitterToMainWindow();
  RelayoutPanelContents();
  SetGadgetState(kTabPanel, 3);
  Pump();

  // As the program starts it: read by the database's worker while the window goes on answering.
  start = Clock::now();
  StartLoadingDatabase(AnsiToText(file));
  double longestPass = 0;
  for (int pass = 0; pass < 600000 && CountGadgetItems(kDatabaseList) < rows; ++pass) {
    const auto passStart = Clock::now();
    Pump();
    longestPass = std::max(longestPass, MillisecondsSince(passStart));
    Sleep(1);
  }
  Report("load by the database's worker, window answering", MillisecondsSince(start), CountGadgetItems(kDatabaseList));
  std::printf("longest message pass of the window meanwhile: %.1f ms\n", longestPass);
  ReportMemory("after loading");

  start = Clock::now();
  FillDatabaseList();
  Paint();
  Report("fill the list and paint it", MillisecondsSince(start), CountGadgetItems(kDatabaseList));

  const HWND list = GadgetHandle(kDatabaseList);
  start = Clock::now();
  ListView_EnsureVisible(list, CountGadgetItems(kDatabaseList) - 1, FALSE);
  Paint();
  ListView_EnsureVisible(list, 0, FALSE);
  Paint();
  Report("scroll to the last row and back, painted", MillisecondsSince(start), CountGadgetItems(kDatabaseList));
  start = Clock::now();
  for (int page = 0; page < 50; ++page) {
    SendMessageW(list, WM_VSCROLL, SB_PAGEDOWN, 0);
    Paint();
  }
  Report("50 pages down, each painted", MillisecondsSince(start), CountGadgetItems(kDatabaseList));

  TimeKeystrokes(1, u"Player99", false);
  TimeKeystrokes(1, u"player12345", true);
  TimeKeystrokes(2, u"0000000000000000000000000000a", false);
  TimeKeystrokes(3, u"17.", false);
  TimeKeystrokes(4, u"SERVER3", false);

  SetGadgetState(kDatabaseList, 0);
  start = Clock::now();
  ShowAssociations();
  Paint();
  Report("show associations", MillisecondsSince(start), CountGadgetItems(kDatabaseList));
  start = Clock::now();
  SetGadgetText(kSearchText, u"");
  SearchDatabaseList(0);
  Paint();
  Report("search text emptied: the whole list again", MillisecondsSince(start), CountGadgetItems(kDatabaseList));
  ReportMemory("at the end");

  StopPlayerDatabase();
  DeleteFileA(file.c_str());
  return 0;
}
