#pragma once
// The scripted server on 127.0.0.1, the real program in a fresh folder with APPDATA there, a user's bounded steps.
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
bool WaitFor(const std::function<bool()>& ready, int timeoutMs);  // polls every 20 ms; true once `ready` was
inline bool Eventually(const std::function<bool()>& ready) { return WaitFor(ready, kWaitMs); }
using WindowTest = std::function<bool(HWND)>;
HWND Control(HWND top, int id);  // a descendant by control id
Text TextOf(HWND window);  // WM_GETTEXT
void SetText(HWND window, TextView text);
inline bool Enabled(HWND window) { return IsWindowEnabled(window) != FALSE; }
// A control's notification (BN_CLICKED, EN_CHANGE, ...) as the control itself raises it.
void Notify(HWND control, WORD code);
inline void Click(HWND button) { Notify(button, BN_CLICKED); }
inline void Command(HWND window, int id) { PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); }  // item or IDOK
Text ClipboardText();  // as Unicode text, "" when nothing

// Gadget ids and menu items of the program, as a user sees them.
inline constexpr int kPlayersList = 9, kBansList = 10, kLogList = 13, kDatabaseList = 72, kSearchCombo = 74,
                     kSearchText = 75, kExactMatch = 78, kMissionsList = 80, kMessageField = 82, kRequesterField = 100;
inline constexpr int kItemQuickConnect = 0, kItemAbout = 2, kItemKick = 3, kItemBan = 4, kItemQuit = 8,
                     kItemSetMaxPing = 12, kItemRefresh = 13, kItemLock = 14, kItemAddBan = 16, kItemDonate = 27,
                     kItemReturn = 36, kItemMessage = 37;

class Scenario : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(server_.Start()); }
  void TearDown() override;  // also ends a program still running

  // Starts the program with this "settings.ini" and waits for its main window, closing a donation window first.
  void StartProgram(const std::string& settings);
  static Text BuiltProgram();  // velo2duro.exe where the build wrote it
  Text File(const std::string& name) const { return folder_.File(name); }
  Text DataFolder() const { return folder_.File("appdata") + u"\\Velo 2 DUro\\"; }  // from APPDATA
  DWORD ExitCode(int timeoutMs = 15000) const;  // STILL_ACTIVE when it did not end in time
  void Quit(int timeoutMs = 15000) const { Menu(kItemQuit); EXPECT_EQ(ExitCode(timeoutMs), 0u); }

  HWND Top(const WindowTest& accepts) const;  // a visible top-level window of the program
  HWND WaitForWindow(TextView title) const;
  HWND OpenWindow(int item, TextView title) const { Menu(item); return WaitForWindow(title); }
  bool WaitGone(HWND window) const { return Eventually([&] { return !IsWindow(window); }); }
  void Menu(int item) const { Command(main_, item); }

  HWND Gadget(int id) const { return Control(main_, id); }  // of the main window
  int Rows(int list) const { return ListView_GetItemCount(Gadget(list)); }
  Text Cell(int list, int row, int column) const;
  std::vector<Text> Column(int list, int column) const;
  int RowWith(int list, int column, TextView text) const;  // -1 when none
  void Select(int list, int row) const;  // as a click does, for the menus that act on it
  int Selected(int list) const { return ListView_GetNextItem(Gadget(list), -1, LVNI_SELECTED); }
  ::testing::AssertionResult WaitForRows(int list, int rows) const;
  Text Status(int field) const;
  bool WaitForStatus(int field, TextView text) const { return Eventually([&] { return Status(field) == text; }); }
  std::vector<Text> Log() const;
  bool LogHas(TextView line) const { return std::ranges::count(Log(), Text(line)) > 0; }
  bool WaitForLogLine(TextView line) const { return Eventually([&] { return LogHas(line); }); }

  bool WaitForCommand(const std::string& text) const { return server_.WaitForCommand(text, kWaitMs); }
  int CountCommands(const std::string& text) const { return std::ranges::count(server_.Commands(), text); }
  // Types a text and posts the field's change event, which then comes from the program's own loop, as typing's does.
  static void Type(HWND field, TextView text);
  Text AnswerMessageBox(TextView title) const;  // the box's text; the box is answered with OK
  bool AnswerRequester(TextView title, TextView text) const;  // answers the text requester with OK
  bool ChooseFile(int item, TextView title, TextView file) const;  // answers the file dialog the item opens
  // Typed in; waits for the players. To the scripted server, or to another one on this port.
  void QuickConnect(const std::string& password, int port = 0);
  bool Connected(int port = 0) const {
    return TextOf(main_) == u"127.0.0.1 : " + DecimalText(port != 0 ? port : server_.Port()) + u" | Velo 2 DUro";
  }

  rcon_test_server::RconTestServer server_;
  TempFolder folder_;
  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};

}  // namespace e2e
