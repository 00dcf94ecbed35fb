#include "app/window_interface.h"

#include "app/gui_thread_calls.h"
#include "app/log_view.h"
#include "app/main_window.h"
#include "app/main_window_ids.h"
#include "app/connect_window.h"
#include "app/dialogs.h"
#include "app/player_list_view.h"
#include "listsort/listsort.h"
#include "runtime/win32/gui.h"
#include "velorcon/rcon_state.h"
#include "velorcon/rcon_window.h"

namespace {

int GadgetOfList(RconList list) {
  switch (list) {
    case RconList::Players: return kPlayersList;
    case RconList::Bans: return kBansList;
    case RconList::Missions: return kMissionsList;
  }
  return kPlayersList;
}

class MainWindowInterface final : public RconWindow {
 public:
  void AddLogLine(TextView text) override {
    RunOnGuiThread([&] { ::AddLogLine(text); });
  }
  void RefreshPlayerList(const std::vector<PlayerRecord>& players) override { ::RefreshPlayerList(players); }
  void ClearBanRows() override {
    RunOnGuiThread([] { ClearGadgetItems(kBansList); });
  }
  void AppendBanRow(TextView target, TextView expiry, TextView reason) override {
    RunOnGuiThread([&] { ::AppendBanRow(target, expiry, reason); });
  }
  void ClearMissionRows() override {
    RunOnGuiThread([] { ClearGadgetItems(kMissionsList); });
  }
  void AppendMissionRow(TextView name) override {
    RunOnGuiThread([&] { ::AppendMissionRow(name); });
  }
  void SetListSortSuspended(RconList list, bool suspended) override {
    RunOnGuiThread([&] {
      if (suspended) {
        ::SetListSortSuspended(1);
        SetGadgetRedraw(GadgetOfList(list), false);
      } else {
        SetGadgetRedraw(GadgetOfList(list), true);
        ::SetListSortSuspended(0);
      }
    });
  }
  void ResetAfterDisconnect() override {
    RunOnGuiThread([] { ClearServerLists(); });
  }
  void SetServerControlsDisabled(bool disabled) override {
    RunOnGuiThread([&] { SetMainWindowServerControlsDisabled(disabled); });
  }
  void SetWindowTitle(TextView title) override {
    RunOnGuiThread([&] { ::SetWindowTitle(kMainWindow, title); });
  }
  void SetStatusText(int field, TextView text) override {
    RunOnGuiThread([&] { ::SetStatusText(kMainStatusBar, field, text); });
  }
  void ShowConnectError() override {
    RunOnGuiThread([] { ShowMessage(u"Error", u"Could not connect!"); });
  }
  void CloseConnectWindow(bool quickConnect) override {
    RunOnGuiThread([&] {
      if (quickConnect) {
        CloseQuickConnectDialog();
      } else {
        ::CloseConnectWindow();
      }
    });
  }
  Text PromptMaxPing() override { return AskForText(u"Set MaxPing", u"Please enter a value:", u""); }
  // Asked by the GUI thread at shut-down; the box runs on the network thread.
  void CancelPrompt() override { CancelOtherThreadsTextRequests(); }
  bool SelectedMissionText(Text& text) override {
    bool selected = false;
    RunOnGuiThread([&] {
      const int row = GadgetState(kMissionsList);
      selected = row >= 0;
      if (selected) text = GadgetItemText(kMissionsList, row, 0);
    });
    return selected;
  }
  int SelectedBanRow() override {
    int row = -1;
    RunOnGuiThread([&] { row = GadgetState(kBansList); });
    return row;
  }
  void RemoveBanRow(int row) override {
    RunOnGuiThread([&] { RemoveGadgetItem(kBansList, row); });
  }
};

MainWindowInterface g_interface;

}  // namespace

void InstallMainWindowInterface() {
  SetRconWaitHook(&ServeSentMessages);
  SetRconWindow(&g_interface);
}
