#include "velorcon/rcon_window.h"

#include <atomic>

namespace {

class NoWindow final : public RconWindow {
 public:
  void AddLogLine(TextView) override {}
  void RefreshPlayerList(const std::vector<PlayerRecord>&) override {}
  void ClearBanRows() override {}
  void AppendBanRow(TextView, TextView, TextView) override {}
  void ClearMissionRows() override {}
  void AppendMissionRow(TextView) override {}
  void SetListSortSuspended(RconList, bool) override {}
  void ResetAfterDisconnect() override {}
  void SetServerControlsDisabled(bool) override {}
  void SetWindowTitle(TextView) override {}
  void SetStatusText(int, TextView) override {}
  void ShowConnectError() override {}
  void CloseConnectWindow(bool) override {}
  Text PromptMaxPing() override { return {}; }
  void CancelPrompt() override {}
  bool SelectedMissionText(Text&) override { return false; }
  int SelectedBanRow() override { return -1; }
  void RemoveBanRow(int) override {}
};

NoWindow g_noWindow;
std::atomic<RconWindow*> g_window{&g_noWindow};

}  // namespace

void SetRconWindow(RconWindow* window) { g_window.store(window != nullptr ? window : &g_noWindow); }

RconWindow& CurrentRconWindow() { return *g_window.load(); }
