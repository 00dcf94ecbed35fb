#pragma once
// What the protocol tests share: a fake clock, a window that records every call, and the
// scripted server on loopback, either answering a real connect or silent while the test
// hands the client datagrams byte by byte.
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "rcon_test_server.h"
#include "runtime/portable/ticks.h"
#include "support/wait.h"
#include "velorcon/rcon_state.h"
#include "velorcon/rcon_window.h"

// The clock every time-out reads, stepped by the test (the fixture puts the real one back).
void UseFakeTicks(TickCount start);
void AdvanceFakeTicks(TickCount milliseconds);

std::string Utf8(TextView text);

// Records every call as "kind: details" in UTF-8, in order. The answers are set before the
// command that asks for them is queued (the mailbox orders the two across threads).
class RecordingWindow : public RconWindow {
 public:
  void AddLogLine(TextView text) override { Record("log", Utf8(text)); }
  void RefreshPlayerList(const std::vector<PlayerRecord>& players) override;
  void ClearBanRows() override { Record("clear bans", ""); }
  void AppendBanRow(TextView target, TextView expiry, TextView reason) override {
    Record("ban row", Utf8(target) + "|" + Utf8(expiry) + "|" + Utf8(reason));
  }
  void ClearMissionRows() override { Record("clear missions", ""); }
  void AppendMissionRow(TextView name) override { Record("mission row", Utf8(name)); }
  void SetListSortSuspended(RconList list, bool suspended) override;
  void ResetAfterDisconnect() override { Record("reset", ""); }
  void SetServerControlsDisabled(bool disabled) override { Record("controls disabled", disabled ? "1" : "0"); }
  void SetWindowTitle(TextView title) override { Record("title", Utf8(title)); }
  void SetStatusText(int field, TextView text) override { Record("status " + std::to_string(field), Utf8(text)); }
  void ShowConnectError() override { Record("error", "Could not connect!"); }
  // Connected must still be false here: it is set last.
  void CloseConnectWindow(bool quick) override {
    Record("close", std::string(quick ? "quick" : "favourites") + " connected=" + std::to_string(Rcon.Connected));
  }
  Text PromptMaxPing() override;
  void CancelPrompt() override {}
  bool SelectedMissionText(Text& text) override {
    text = SelectedMission;
    return !text.empty();
  }
  int SelectedBanRow() override { return SelectedBan; }
  void RemoveBanRow(int row) override { Record("remove ban row", std::to_string(row)); }

  std::vector<std::string> Events() const;
  std::vector<std::string> Of(const std::string& kind) const;  // the details of one kind
  std::vector<std::string> Log() const { return Of("log"); }
  int Count(const std::string& kind) const { return static_cast<int>(Of(kind).size()); }
  std::vector<PlayerRecord> LastPlayers() const;
  void Clear();

  Text PromptAnswer;
  void (*DuringPrompt)() = nullptr;  // runs inside the prompt, e.g. to reset meanwhile
  Text SelectedMission;
  int SelectedBan = -1;

 private:
  void Record(const std::string& kind, const std::string& details);

  mutable std::mutex lock_;
  std::vector<std::string> events_;
  std::vector<PlayerRecord> lastPlayers_;
};

// The scripted server and a recording window; TearDown stops the network thread.
class RconTest : public ::testing::Test {
 protected:
  explicit RconTest(rcon_test_server::ServerOptions options = {}) : server(std::move(options)) {}
  void SetUp() override;
  void TearDown() override;
  // ConnectToServer(1) with the given password; true when it connected.
  bool Connect(const std::string& password = "secret");
  // Connected set by hand, the server silent: only the test sends it anything. The client's
  // login tells it where the client is; the first keep-alive is not due.
  void ConnectByHand();
  // Sends `bytes` from the server and runs one pump pass once they have arrived.
  std::int32_t Deliver(const std::vector<std::uint8_t>& bytes);
  // A pump pass with nothing waiting (the mailbox is performed).
  std::int32_t PumpIdle();
  // The client's next datagram not looked at yet; empty when none came within `timeoutMs`.
  std::vector<std::uint8_t> FromClient(int timeoutMs = 2000);
  // The text of a command datagram (bytes 9..).
  static std::string CommandText(const std::vector<std::uint8_t>& datagram);
  std::size_t PendingCount();

  rcon_test_server::RconTestServer server;
  RecordingWindow window;
  UdpConnection* connection = nullptr;

 private:
  std::size_t seen_ = 0;
};
