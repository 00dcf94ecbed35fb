#pragma once
// The real main window from the test's own "settings.ini", with a player database in a temporary folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/database_view.h"
#include "app/embedded_images_store.h"
#include "app/files/favorites.h"
#include "app/files/settings.h"
#include "app/gadget_ids.h"
#include "app/main_window.h"
#include "app/main_window_layout.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"
#include "database/player_database.h"
#include "runtime/win32/gui.h"
#include "runtime/win32/gui_thread_handoff.h"
#include "temp_folder.h"
#include "velorcon/mailbox.h"
#include "velorcon/rcon_state.h"
#include "velorcon/rcon_window.h"
#include "veloui/menus/menu_builder_state.h"
#include "veloui/menus/menus.h"
#include "veloui/menus/rebars.h"
#include "veloui/menus/toolbars.h"
#include "veloui/toolkit/toolkit.h"

// Geometry and one column width per list that differ from the defaults.
inline constexpr char kTestSettings[] =
    "[General]\r\nAutoRefreshEnable = 0\r\n[GUI]\r\nWindowX = 40\r\nWindowY = 30\r\nWindowWidth = 780\r\n"
    "WindowHeight = 560\r\nSplitter = 330\r\nPlayerListColumn6 = 206\r\nBanListColumn1 = 132\r\n"
    "MissionListColumn = 345\r\nDataBaseListColumn0 = 111\r\n";

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static bool started = false;
    if (!started) {
      started = true;
      InitToolkit();
      StartToolkitHooks();
      LoadEmbeddedImages();
    }
    ResetRconState();
    ResetFavorites();
    Build(kTestSettings, 1);
  }
  void TearDown() override {
    FreeWindows();
    StopPlayerDatabase();
    ClearPendingCommand();
    Pump();
    TakeEvents();
  }

  // Builds window 0 afresh from these settings, as start-up and the main loop's first pass do.
  void Build(const std::string& settings, int databaseEnabled) {
    FreeWindows();
    StopPlayerDatabase();
    ResetAppSettings();
    AppSettings.SettingsFilePath = folder_.File("settings.ini");
    AppSettings.FavoritesFilePath = folder_.File("favs.dat");
    PutFileBytes(AppSettings.SettingsFilePath, settings);
    ReadSettingsFile();
    AppSettings.DatabaseEnabled = databaseEnabled;
    InitMainWindowServices();
    CreateMainWindow();
    ASSERT_TRUE(IsWindowNumber(kMainWindow));
    ResetMainWindowLayout();
    LayOutMainWindow();
    if (databaseEnabled != 0) {
      // As the main loop starts it, until the worker's answer that it has read the file.
      PutFileBytes(folder_.File("db.db"), "");
      StartLoadingDatabase(folder_.File("db.db"));
      ASSERT_TRUE(PumpUntil([] { return PlayerDatabaseLoaded(); }));
      EXPECT_TRUE(MenuTitleGrayed(2, false));
    }
    Pump();
    TakeEvents();
  }
  static void FreeWindows() {
    for (int window : {kConnectWindow, kBanDialog, kKickDialog, kAddBanDialog, kQuickConnectDialog, kAboutWindow}) {
      FreeWindow(window);
    }
    FreeSkinnedMenu(-1);
    FreeRebar(-1);
    FreeSkinnedToolbar(-1);
    ResetMenuBuilderState();
    ResetRebarBuilderState();
    ResetToolbarBuilderState();
    FreeWindow(kMainWindow);
  }
  static void Pump() {  // dispatches what waits and serves other threads' hand-overs; never blocks
    MSG msg;
    for (int round = 0; round < 200 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++round) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    ServeSentMessages();
  }
  // Pumps until `ready` (the worker's answers arrive as posted messages); false after 20 s.
  template <typename Ready>
  static bool PumpUntil(Ready ready) {
    for (int round = 0; round < 2000 && !ready(); ++round) {
      Pump();
      Sleep(10);
    }
    return ready();
  }
  static std::vector<std::pair<int, int>> TakeEvents() {  // (code, gadget or menu item) pairs
    std::vector<std::pair<int, int>> events;
    for (int round = 0, code = 0; round < 200 && (code = WindowEvent()) != kEventNone; ++round) {
      events.emplace_back(code, code == kEventMenu ? EventMenu() : EventGadget());
    }
    return events;
  }
  // Whether every item but separators under the menu bar's title (0 Server .. 3 Info) is as greyed as given.
  static bool MenuTitleGrayed(int titleIndex, bool grayed) {
    for (const MenuRecord& menu : MenuList()) {
      if (menu.IsPopup || menu.Id != kMenuBar || menu.Handle == nullptr || menu.TitleIndex != titleIndex) continue;
      for (UINT position = 0; position < static_cast<UINT>(GetMenuItemCount(menu.Handle)); ++position) {
        const MenuItemRecord* item = ItemRecordAt(menu.Handle, position, true);
        const bool itemGrayed = (GetMenuState(menu.Handle, position, MF_BYPOSITION) & MF_GRAYED) != 0;
        if (item != nullptr && !item->ItemText.empty() && itemGrayed != grayed) return false;
      }
      return true;
    }
    return false;
  }
  static void Type(int gadget, const wchar_t* text) {
    SendMessageW(GadgetHandle(gadget), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  }
  static std::vector<Text> ListRows(int gadget) {  // each row's cells joined by "|"
    std::vector<Text> rows(CountGadgetItems(gadget));
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
      for (int column = 0; column < CountGadgetColumns(gadget); ++column) {
        rows[row] += (column > 0 ? u"|" : u"") + GadgetItemText(gadget, row, column);
      }
    }
    return rows;
  }

  TempFolder folder_;
};
