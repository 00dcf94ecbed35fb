#pragma once
// What the end-to-end scenarios share: the scripted server on 127.0.0.1, the real
// velo2duro.exe copied into a fresh folder of the test's own (so that its "settings.ini" is
// the test's) and started with APPDATA in that folder, and the steps a user takes, each with
// a bounded wait.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "rcon_test_server.h"
#include "temp_folder.h"

namespace e2e {

inline constexpr int kWaitMs = 8000;
// Polls `ready` every 20 ms for at most `timeoutMs`; true once it answered true.
bool WaitFor(const std::function<bool()>& ready, int timeoutMs);
inline bool Eventually(const std::function<bool()>& ready) { return WaitFor(ready, kWaitMs); }
using WindowTest = std::function<bool(HWND)>;
// A descendant of `top` by control id.
HWND Control(HWND top, int id);
Text TextOf(HWND window);  // WM_GETTEXT
void SetText(HWND window, TextView text);
inline bool Enabled(HWND window) { return IsWindowEnabled(window) != FALSE; }
// A control's notification (BN_CLICKED, EN_CHANGE, ...) as the control itself raises it.
void Notify(HWND control, WORD code);
inline void Click(HWND button) { Notify(button, BN_CLICKED); }
// A menu item or a dialog's button (IDOK).
inline void Command(HWND window, int id) { PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
// What the clipboard holds as Unicode text ("" when nothing).
Text ClipboardText();

// Gadget ids and menu items of the program, as a user sees them.
inline constexpr int kPlayersList = 9, kBansList = 10, kLogList = 13, kDatabaseList = 72, kSearchCombo = 74,
                     kSearchText = 75, kExactMatch = 78, kMissionsList = 80, kMessageField = 82, kRequesterField = 100;
inline constexpr int kItemQuickConnect = 0, kItemAbout = 2, kItemKick = 3, kItemBan = 4, kItemQuit = 8,
                     kItemSetMaxPing = 12, kItemRefresh = 13, kItemAddBan = 16, kItemMessage = 37;

class Scenario : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(server_.Start()); }
  void TearDown() override;  // also ends a program still running

  // Starts the program with this "settings.ini" beside it and waits for its main window; a
  // donation window shown first is checked and closed once its button allows.
  void StartProgram(const std::string& settings);
  Text File(const std::string& name) const { return folder_.File(name); }
  // The data folder the program derives from APPDATA.
  Text DataFolder() const { return folder_.File("appdata") + u"\\Velo 2 DUro\\"; }
  // The program's exit code, STILL_ACTIVE when it did not end in time.
  DWORD ExitCode(int timeoutMs = 15000) const;
  void Quit(int timeoutMs = 15000) const { Menu(kItemQuit); EXPECT_EQ(ExitCode(timeoutMs), 0u); }

  // A visible top-level window of the program.
  HWND Top(const WindowTest& accepts) const;
  HWND WaitForWindow(TextView title) const;
  HWND OpenWindow(int item, TextView title) const { Menu(item); return WaitForWindow(title); }
  bool WaitGone(HWND window) const { return Eventually([&] { return !IsWindow(window); }); }
  void Menu(int item) const { Command(main_, item); }

  // The main window's gadgets.
  HWND Gadget(int id) const { return Control(main_, id); }
  int Rows(int list) const { return ListView_GetItemCount(Gadget(list)); }
  Text Cell(int list, int row, int column) const;
  std::vector<Text> Column(int list, int column) const;
  // The row whose cell in `column` is `text`; -1 when none.
  int RowWith(int list, int column, TextView text) const;
  // As a click selects a row, for the menus that act on the selection.
  void Select(int list, int row) const;
  int Selected(int list) const { return ListView_GetNextItem(Gadget(list), -1, LVNI_SELECTED); }
  ::testing::AssertionResult WaitForRows(int list, int rows) const;
  Text Status(int field) const;
  bool WaitForStatus(int field, TextView text) const { return Eventually([&] { return Status(field) == text; }); }
  std::vector<Text> Log() const;
  bool LogHas(TextView line) const { return std::ranges::count(Log(), Text(line)) > 0; }
  bool WaitForLogLine(TextView line) const { return Eventually([&] { return LogHas(line); }); }

  bool WaitForCommand(const std::string& text) const { return server_.WaitForCommand(text, kWaitMs); }
  int CountCommands(const std::string& text) const { return std::ranges::count(server_.Commands(), text); }
  // Types a text into a field and posts its change event, as typing raises it from the program's
  // own loop (the one a text set from outside raises may come while the program is changing it).
  static void Type(HWND field, TextView text);
  // The message box with this title: its text, after which it is answered with OK.
  Text AnswerMessageBox(TextView title) const;
  // The program's text requester: answered with `text` and OK.
  bool AnswerRequester(TextView title, TextView text) const;
  // Connects through Quick Connect, typed in, and waits for the players.
  void QuickConnect(const std::string& password);
  bool Connected() const { return TextOf(main_) == u"127.0.0.1 : " + DecimalText(server_.Port()) + u" | Velo 2 DUro"; }

  rcon_test_server::RconTestServer server_;
  TempFolder folder_;
  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};

}  // namespace e2e
