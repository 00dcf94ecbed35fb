#include "recording_window.h"

#include "velorcon/rcon_state.h"

std::string Utf8(TextView text) { return TextToUtf8(text); }

void RecordingWindow::Record(const std::string& kind, const std::string& details) {
  std::lock_guard guard(lock_);
  events_.push_back(kind + ": " + details);
}

void RecordingWindow::AddLogLine(TextView text) { Record("log", Utf8(text)); }

void RecordingWindow::RefreshPlayerList(const std::vector<PlayerRecord>& players) {
  {
    std::lock_guard guard(lock_);
    lastPlayers_ = players;
  }
  Record("players", std::to_string(players.size()));
}

void RecordingWindow::ClearBanRows() { Record("clear bans", ""); }

void RecordingWindow::AppendBanRow(TextView target, TextView expiry, TextView reason) {
  Record("ban row", Utf8(target) + "|" + Utf8(expiry) + "|" + Utf8(reason));
}

void RecordingWindow::ClearMissionRows() { Record("clear missions", ""); }

void RecordingWindow::AppendMissionRow(TextView name) { Record("mission row", Utf8(name)); }

void RecordingWindow::SetListSortSuspended(RconList list, bool suspended) {
  static const char* const kNames[] = {"players", "bans", "missions"};
  Record("sort suspended", std::string(kNames[static_cast<int>(list)]) + (suspended ? " 1" : " 0"));
}

void RecordingWindow::ResetAfterDisconnect() { Record("reset", ""); }

void RecordingWindow::SetServerControlsDisabled(bool disabled) { Record("controls disabled", disabled ? "1" : "0"); }

void RecordingWindow::SetWindowTitle(TextView title) { Record("title", Utf8(title)); }

void RecordingWindow::SetStatusText(int field, TextView text) {
  Record("status " + std::to_string(field), Utf8(text));
}

void RecordingWindow::ShowConnectError() { Record("error", "Error|Could not connect!"); }

void RecordingWindow::CloseConnectWindow(bool quickConnect) {
  // Connected must still be 0 here: it is set last.
  Record("close connect window", std::string(quickConnect ? "quick" : "favourites") +
                                     " connected=" + std::to_string(Rcon.Connected));
}

Text RecordingWindow::PromptMaxPing() {
  Record("prompt", "Set MaxPing|Please enter a value:");
  void (*action)() = nullptr;
  Text answer;
  {
    std::lock_guard guard(lock_);
    action = duringPrompt_;
    answer = promptAnswer_;
  }
  if (action != nullptr) action();
  return answer;
}

bool RecordingWindow::SelectedMissionText(Text& text) {
  std::lock_guard guard(lock_);
  text = selectedMission_;
  return missionSelected_;
}

int RecordingWindow::SelectedBanRow() {
  std::lock_guard guard(lock_);
  return selectedBanRow_;
}

void RecordingWindow::RemoveBanRow(int row) { Record("remove ban row", std::to_string(row)); }

std::vector<std::string> RecordingWindow::Events() const {
  std::lock_guard guard(lock_);
  return events_;
}

std::vector<std::string> RecordingWindow::Log() const { return EventsOf("log"); }

std::vector<std::string> RecordingWindow::EventsOf(const std::string& kind) const {
  std::lock_guard guard(lock_);
  std::vector<std::string> found;
  const std::string prefix = kind + ": ";
  for (const std::string& e : events_) {
    if (e.rfind(prefix, 0) == 0) found.push_back(e.substr(prefix.size()));
  }
  return found;
}

std::vector<PlayerRecord> RecordingWindow::LastPlayers() const {
  std::lock_guard guard(lock_);
  return lastPlayers_;
}

int RecordingWindow::Count(const std::string& kind) const { return static_cast<int>(EventsOf(kind).size()); }

void RecordingWindow::Clear() {
  std::lock_guard guard(lock_);
  events_.clear();
}

void RecordingWindow::SetPromptAnswer(Text answer) {
  std::lock_guard guard(lock_);
  promptAnswer_ = std::move(answer);
}

void RecordingWindow::SetDuringPrompt(void (*action)()) {
  std::lock_guard guard(lock_);
  duringPrompt_ = action;
}

void RecordingWindow::SetSelectedMission(Text text) {
  std::lock_guard guard(lock_);
  selectedMission_ = std::move(text);
  missionSelected_ = true;
}

void RecordingWindow::SetSelectedBanRow(int row) {
  std::lock_guard guard(lock_);
  selectedBanRow_ = row;
}
