#include "app/window_interface.h"

#include "app/log_view.h"
#include "app/main_window.h"
#include "app/gadget_ids.h"
#include "app/logic/embedded_images.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"
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
    AppHandOff.Run([&] { ::AddLogLine(text); });
  }
  void RefreshPlayerList(const std::vector<PlayerRecord>& players) override { ::RefreshPlayerList(players); }
  void ClearBanRows() override {
    AppHandOff.Run([] { ClearGadgetItems(kBansList); });
  }
  void AppendBanRow(TextView target, TextView expiry, TextView reason) override {
    AppHandOff.Run([&] { ::AppendBanRow(target, expiry, reason); });
  }
  void ClearMissionRows() override {
    AppHandOff.Run([] { ClearGadgetItems(kMissionsList); });
  }
  void AppendMissionRow(TextView name) override {
    AppHandOff.Run([&] { ::AppendMissionRow(name); });
  }
  void SetListSortSuspended(RconList list, bool suspended) override {
    AppHandOff.Run([&] {
      if (suspended) {
        ::SetListSortSuspended(true);
        SetGadgetRedraw(GadgetOfList(list), false);
      } else {
        SetGadgetRedraw(GadgetOfList(list), true);
        ::SetListSortSuspended(false);
      }
    });
  }
  void ResetAfterDisconnect() override {
    AppHandOff.Run([] { ClearServerLists(); });
  }
  void SetServerControlsDisabled(bool disabled) override {
    AppHandOff.Run([&] { SetMainWindowServerControlsDisabled(disabled); });
  }
  void SetWindowTitle(TextView title) override {
    AppHandOff.Run([&] { ::SetWindowTitle(kMainWindow, title); });
  }
  void SetStatusText(int field, TextView text) override {
    AppHandOff.Run([&] { ::SetStatusText(kMainStatusBar, field, text); });
  }
  void ShowConnectError() override {
    AppHandOff.Run([] { ShowMessage(u"Error", u"Could not connect!"); });
  }
  void CloseConnectWindow(bool quickConnect) override {
    AppHandOff.Run([&] {
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
    AppHandOff.Run([&] {
      const int row = GadgetState(kMissionsList);
      selected = row >= 0;
      if (selected) text = GadgetItemText(kMissionsList, row, 0);
    });
    return selected;
  }
  int SelectedBanRow() override {
    int row = -1;
    AppHandOff.Run([&] { row = GadgetState(kBansList); });
    return row;
  }
  void RemoveBanRow(int row) override {
    AppHandOff.Run([&] { RemoveGadgetItem(kBansList, row); });
  }
};

MainWindowInterface g_interface;

}  // namespace

GuiThreadHandOff AppHandOff;

void InstallMainWindowInterface() {
  SetRconWaitHook(&ServeSentMessages);
  SetRconWindow(&g_interface);
}
