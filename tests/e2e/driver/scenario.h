#pragma once
// What the end-to-end scenarios share: the scripted server on 127.0.0.1, the program under
// test started against it, and the steps a user takes, each with a bounded wait.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program_under_test.h"
#include "rcon_test_server.h"

namespace e2e {

// Window numbers, gadget ids and menu items of the program, as a user sees them.
inline constexpr int kPlayersList = 9;
inline constexpr int kBansList = 10;
inline constexpr int kLogList = 13;
inline constexpr int kDatabaseList = 72;
inline constexpr int kSearchCombo = 74;
inline constexpr int kSearchText = 75;
inline constexpr int kExactMatch = 78;
inline constexpr int kMissionsList = 80;
inline constexpr int kMessageField = 82;
inline constexpr int kRequesterField = 100;

inline constexpr int kWaitMs = 8000;

std::string ToUtf8(const Text& text);

class Scenario : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the program with these settings and waits for its main window.
  void StartProgram(const std::string& settings);
  const WindowProbe& Probe() const { return program_.Probe(); }
  HWND MainControl(int id) const { return WindowProbe::Control(main_, id); }
  HWND StatusBar() const { return WindowProbe::ControlOfClass(main_, u"msctls_statusbar32"); }

  void Menu(int item) const { WindowProbe::PostMenuCommand(main_, item); }
  HWND WaitForWindow(TextView title) const { return Probe().WaitForTitle(title, kWaitMs); }
  bool WaitGone(HWND window) const;
  // Waits for a log line for which `matches` holds.
  bool WaitForLogLine(TextView line) const;
  bool LogHas(TextView line) const;
  bool WaitForCommand(const std::string& text) const { return server_.WaitForCommand(text, kWaitMs); }
  ::testing::AssertionResult WaitForRows(int list, int rows) const;
  // The row of the list whose cell in `column` is `text`; -1 when none.
  int RowWith(int list, int column, TextView text) const;
  // Selects a row as a click would, for the menus that act on the selection.
  void Select(int list, int row) const { Probe().SelectListRow(MainControl(list), row); }
  // Types a text into a field. The change notification is also posted, as typing raises it
  // from the program's own message loop: the one the field raises for a text set from outside
  // may arrive while the program is changing a control itself, when it is not an event.
  static void Type(HWND field, TextView text);
  // The message box with this title: its text, after which it is answered with OK.
  Text AnswerMessageBox(TextView title) const;
  // The program's text requester: answered with `text` and OK.
  bool AnswerRequester(TextView title, TextView text) const;
  // Connects through Quick Connect with the host, port and password typed in.
  void QuickConnect(const std::string& password);
  bool Connected() const;

  rcon_test_server::RconTestServer server_;
  ProgramUnderTest program_;
  HWND main_ = nullptr;
};

}  // namespace e2e
