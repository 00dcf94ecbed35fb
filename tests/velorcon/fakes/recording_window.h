#pragma once
// A window for the protocol tests: records every call as one line of text, in order, and
// answers the prompt and the selection questions as the test sets them. Thread-safe.
#include <mutex>
#include <string>
#include <vector>

#include "velorcon/rcon_window.h"

class RecordingWindow : public RconWindow {
 public:
  void AddLogLine(TextView text) override;
  void RefreshPlayerList(const std::vector<PlayerRecord>& players) override;
  void ClearBanRows() override;
  void AppendBanRow(TextView target, TextView expiry, TextView reason) override;
  void ClearMissionRows() override;
  void AppendMissionRow(TextView name) override;
  void SetListSortSuspended(RconList list, bool suspended) override;
  void ResetAfterDisconnect() override;
  void SetServerControlsDisabled(bool disabled) override;
  void SetWindowTitle(TextView title) override;
  void SetStatusText(int field, TextView text) override;
  void ShowConnectError() override;
  void CloseConnectWindow(bool quickConnect) override;
  Text PromptMaxPing() override;
  void CancelPrompt() override {}
  bool SelectedMissionText(Text& text) override;
  int SelectedBanRow() override;
  void RemoveBanRow(int row) override;

  // Every call so far, as "kind: details" lines in UTF-8.
  std::vector<std::string> Events() const;
  // The texts of the log lines only.
  std::vector<std::string> Log() const;
  // The events of one kind ("log", "ban row", ...), details only.
  std::vector<std::string> EventsOf(const std::string& kind) const;
  std::vector<PlayerRecord> LastPlayers() const;
  int Count(const std::string& kind) const;
  void Clear();

  // Answers.
  void SetPromptAnswer(Text answer);
  // Runs inside PromptMaxPing, after it was asked (for example to reset meanwhile).
  void SetDuringPrompt(void (*action)());
  void SetSelectedMission(Text text);
  void SetSelectedBanRow(int row);

 private:
  void Record(const std::string& kind, const std::string& details);

  mutable std::mutex lock_;
  std::vector<std::string> events_;
  std::vector<PlayerRecord> lastPlayers_;
  Text promptAnswer_;
  void (*duringPrompt_)() = nullptr;
  Text selectedMission_;
  bool missionSelected_ = false;
  int selectedBanRow_ = -1;
};

// Text -> UTF-8 for readable assertions.
std::string Utf8(TextView text);
