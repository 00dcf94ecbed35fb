#include "main_window_fixture.h"


#include "app/database_view.h"
#include "app/files/settings.h"
#include "app/main_window.h"
#include "app/logic/embedded_images.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"
#include "app/main_window_layout.h"
#include "database/player_database.h"
#include "runtime/win32/gui.h"
#include "runtime/win32/gui_thread_handoff.h"
#include "runtime/win32/platform/wide_text.h"
#include "velorcon/rcon_state.h"
#include "veloui/foundation/toolkit.h"
#include "veloui/menus/menu_builder_state.h"
#include "veloui/menus/menus.h"
#include "veloui/menus/rebars.h"
#include "veloui/menus/toolbars.h"

const char kTestSettings[] =
    "[General]\r\nAutoRefreshEnable = 0\r\n"
    "[GUI]\r\nWindowState = 0\r\nWindowX = 40\r\nWindowY = 30\r\nWindowWidth = 780\r\nWindowHeight = 560\r\n"
    "Splitter = 330\r\n"
    "PlayerListColumn0 = 121\r\nPlayerListColumn1 = 41\r\nPlayerListColumn2 = 42\r\nPlayerListColumn3 = 43\r\n"
    "PlayerListColumn4 = 44\r\nPlayerListColumn5 = 105\r\nPlayerListColumn6 = 206\r\n"
    "BanListColumn0 = 231\r\nBanListColumn1 = 132\r\nBanListColumn2 = 233\r\n"
    "MissionListColumn = 345\r\n"
    "DataBaseListColumn0 = 111\r\nDataBaseListColumn1 = 212\r\nDataBaseListColumn2 = 113\r\n"
    "DataBaseListColumn3 = 114\r\nDataBaseListColumn4 = 115\r\n";

namespace {

// A 16 x 16 bitmap of one colour for the images the window shows.
HBITMAP SolidImage(COLORREF colour) {
  const DWORD pixel = 0xFF000000u | (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
  const std::vector<DWORD> pixels(16 * 16, pixel);
  return CreateBitmap(16, 16, 1, 32, pixels.data());
}

void StartOnce() {
  static bool started = false;
  if (started) return;
  started = true;
  InitToolkit();
  StartToolkitHooks();
  StoreBitmap(kQuickConnectImage, SolidImage(RGB(0, 160, 0)));
  StoreBitmap(kConnectImage, SolidImage(RGB(0, 0, 200)));
  StoreBitmap(kAboutImage, SolidImage(RGB(200, 0, 0)));
  StoreBitmap(kPlayerRowImage, SolidImage(RGB(200, 160, 0)));
}

void FreeMainWindow() {
  FreeSkinnedMenu(-1);
  FreeRebar(-1);
  FreeSkinnedToolbar(-1);
  ResetMenuBuilderState();
  ResetRebarBuilderState();
  ResetToolbarBuilderState();
  FreeWindow(kMainWindow);
}

// The items of the menu bar's title `titleIndex` as the menu holds them.
std::vector<MenuLine> ItemsOf(int titleIndex) {
  std::vector<MenuLine> lines;
  for (const MenuRecord& record : MenuList()) {
    if (record.IsPopup || record.Id != kMenuBar || record.Handle == nullptr || record.TitleIndex != titleIndex) {
      continue;
    }
    const int count = GetMenuItemCount(record.Handle);
    for (int position = 0; position < count; ++position) {
      MenuLine line;
      if (const MenuItemRecord* item = ItemRecordAt(record.Handle, static_cast<UINT>(position), true)) {
        line.ItemText = item->ItemText;
      }
      line.Grayed = (GetMenuState(record.Handle, static_cast<UINT>(position), MF_BYPOSITION) & MF_GRAYED) != 0;
      lines.push_back(line);
    }
    break;
  }
  return lines;
}

}  // namespace

void MainWindowTest::SetUp() {
  StartOnce();
  ResetRconState();
  Build(kTestSettings, 1);
}

void MainWindowTest::TearDown() {
  Pump();
  FreeMainWindow();
  ResetPlayerDatabase();
  ResetRconState();
  Pump();
  TakeEvents();
}

void MainWindowTest::Build(const std::string& settings, int databaseEnabled) {
  FreeMainWindow();
  ResetPlayerDatabase();
  ResetAppSettings();
  AppSettings.SettingsFilePath = folder_.File("settings.ini");
  PutFileBytes(AppSettings.SettingsFilePath, settings);
  ReadSettingsFile();
  AppSettings.DatabaseEnabled = databaseEnabled;
  InitMainWindowServices();
  if (databaseEnabled != 0) {
    const Text database = folder_.File("db.db");
    PutFileBytes(database, "");
    ASSERT_NE(OpenPlayerDatabase(database), 0);
    LoadPlayerDatabase();
  }
  CreateMainWindow();
  ASSERT_TRUE(IsWindowNumber(kMainWindow));
  // What the main loop does before its first wait.
  ResetMainWindowLayout();
  LayOutMainWindow();
  if (databaseEnabled != 0) FillDatabaseList();
  Pump();
  TakeEvents();
}

void MainWindowTest::Pump() {
  MSG msg;
  for (int round = 0; round < 200 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++round) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  ServeSentMessages();
}

std::vector<std::pair<int, int>> MainWindowTest::TakeEvents() {
  std::vector<std::pair<int, int>> events;
  for (int round = 0; round < 200; ++round) {
    const int code = WindowEvent();
    if (code == kEventNone) break;
    events.emplace_back(code, code == kEventMenu ? EventMenu() : EventGadget());
  }
  return events;
}

std::vector<MenuLine> MenuBarItems(int titleIndex) { return ItemsOf(titleIndex); }

Text WindowTextOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return FromWide(text);
}

std::vector<Text> ListRows(int gadget) {
  std::vector<Text> rows;
  const int count = CountGadgetItems(gadget);
  const int columns = CountGadgetColumns(gadget);
  for (int row = 0; row < count; ++row) {
    Text line;
    for (int column = 0; column < columns; ++column) {
      if (column > 0) line += u"|";
      line += GadgetItemText(gadget, row, column);
    }
    rows.push_back(line);
  }
  return rows;
}
