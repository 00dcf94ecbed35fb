#pragma once
// The only way the remote-console code reaches the windows. The main window implements it;
// tests implement it with a recording fake. Until one is installed every call does nothing
// (the prompt answers "", nothing is selected).
//
// Calls come from whichever thread runs the protocol: the network thread for reply handlers,
// time-outs and mailbox commands; the GUI thread for connect and RefreshPlayersAndWait.
// Except where noted they are made with RconLock held, so an implementation may read Rcon,
// but must not wait for another thread that needs the lock. Handing work to the GUI thread
// synchronously is safe: every GUI-thread wait serves sent messages through the
// RconWaitHook. Data passed by reference lives only for the call.
#include <vector>

#include "runtime/portable/text.h"
#include "velorcon/rcon_records.h"

// The lists that are refilled with sorting suspended.
enum class RconList { Players, Bans, Missions };

class RconWindow {
 public:
  virtual ~RconWindow() = default;

  // A line for the log; empty lines are the window's to ignore.
  virtual void AddLogLine(TextView text) = 0;
  // The players list is rebuilt from these records (and each player recorded).
  virtual void RefreshPlayerList(const std::vector<PlayerRecord>& players) = 0;
  virtual void ClearBanRows() = 0;
  virtual void AppendBanRow(TextView target, TextView expiry, TextView reason) = 0;
  virtual void ClearMissionRows() = 0;
  virtual void AppendMissionRow(TextView name) = 0;
  // Sorting suspended and redrawing off while a list is refilled; resumed afterwards.
  virtual void SetListSortSuspended(RconList list, bool suspended) = 0;
  // The window side of a disconnect: the players, bans and missions lists emptied.
  virtual void ResetAfterDisconnect() = 0;
  // REFRESH button, the three lists, the message field and the server menu items.
  virtual void SetServerControlsDisabled(bool disabled) = 0;
  virtual void SetWindowTitle(TextView title) = 0;
  // Status bar field 0, 1 or 2.
  virtual void SetStatusText(int field, TextView text) = 0;
  // The "Could not connect!" box titled "Error". Called without RconLock.
  virtual void ShowConnectError() = 0;
  // Closes the Quick Connect dialog or the connect window and re-enables the main window.
  virtual void CloseConnectWindow(bool quickConnect) = 0;
  // The "Set MaxPing" input box; its answer, "" when cancelled. Called without RconLock.
  virtual Text PromptMaxPing() = 0;
  // Closes the "Set MaxPing" box, when one is open, as cancelled. Any thread, without RconLock.
  virtual void CancelPrompt() = 0;
  // The first-column text of the selected row of the missions list; false when none.
  virtual bool SelectedMissionText(Text& text) = 0;
  // The index of the selected row of the bans list, -1 when none.
  virtual int SelectedBanRow() = 0;
  virtual void RemoveBanRow(int row) = 0;
};

// Installs the window (nullptr: the silent default). Install before the network thread runs.
void SetRconWindow(RconWindow* window);
RconWindow& CurrentRconWindow();
