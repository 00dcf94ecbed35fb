#pragma once
// The protocol tests' fake clock, recording window and scripted loopback server (answering, or silent).
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "rcon_test_server.h"
#include "support/wait.h"
#include "velorcon/connect.h"
#include "velorcon/mailbox.h"
#include "velorcon/network_thread.h"
#include "velorcon/network_wake.h"
#include "velorcon/packets.h"
#include "velorcon/pump.h"
#include "velorcon/rcon_state.h"
#include "velorcon/rcon_window.h"

// The clock every time-out reads, stepped by the test (TearDown puts the real one back). A step
// wakes the network thread, as the real clock's reaching a time it waits for does.
inline std::atomic<TickCount> g_fakeTick{0};
inline void UseFakeTicks(TickCount start) {
  g_fakeTick.store(start);
  SetTickSourceForTesting([] { return g_fakeTick.load(); });
}
inline void AdvanceFakeTicks(TickCount milliseconds) {
  g_fakeTick.fetch_add(milliseconds);
  WakeNetworkThread();
}

inline std::string Utf8(TextView text) { return TextToUtf8(text); }

// Puts a command reply with this payload into the packet buffer, as the pump leaves it.
inline void PutReply(const std::string& payload) {
  const auto bytes = rcon_test_server::ReplyDatagram(1, payload);
  Rcon.PacketBuffer.assign(std::max(kPacketBufferSize, bytes.size() + 1), 0);
  std::copy(bytes.begin(), bytes.end(), Rcon.PacketBuffer.begin());
  Rcon.ReceivedLength = static_cast<std::int32_t>(bytes.size());
  Rcon.ReplyLength = bytes.size();
}

// Every call as "kind: details" in UTF-8, in order (a player list as its size); answers are set before queueing.
class RecordingWindow : public RconWindow {
 public:
  void AddLogLine(TextView text) override { Record("log", Utf8(text)); }
  void RefreshPlayerList(const std::vector<PlayerRecord>& players) override {
    Record("players", std::to_string(players.size()));
  }
  void ClearBanRows() override { Record("clear bans", ""); }
  void AppendBanRow(TextView target, TextView expiry, TextView reason) override {
    Record("ban row", Utf8(target) + "|" + Utf8(expiry) + "|" + Utf8(reason));
  }
  void ClearMissionRows() override { Record("clear missions", ""); }
  void AppendMissionRow(TextView name) override { Record("mission row", Utf8(name)); }
  void SetListSortSuspended(RconList list, bool suspended) override {
    const char* const names[] = {"players", "bans", "missions"};
    Record("sort suspended", names[static_cast<int>(list)] + std::string(suspended ? " 1" : " 0"));
  }
  void ResetAfterDisconnect() override { Record("reset", ""); }
  void SetServerControlsDisabled(bool disabled) override { Record("controls disabled", disabled ? "1" : "0"); }
  void SetWindowTitle(TextView title) override { Record("title", Utf8(title)); }
  void SetStatusText(int field, TextView text) override { Record("status " + std::to_string(field), Utf8(text)); }
  void ShowConnectError() override { Record("error", "Could not connect!"); }
  // Connected must still be false here: it is set last.
  void CloseConnectWindow(bool quick) override {
    Record("close", std::string(quick ? "quick" : "favourites") + " connected=" + std::to_string(Rcon.Connected));
  }
  Text PromptMaxPing() override {
    Record("prompt", "Set MaxPing");
    if (DuringPrompt != nullptr) DuringPrompt();
    return PromptAnswer;
  }
  void CancelPrompt() override {}
  bool SelectedMissionText(Text& text) override { return !(text = SelectedMission).empty(); }
  int SelectedBanRow() override { return SelectedBan; }
  void RemoveBanRow(int row) override { Record("remove ban row", std::to_string(row)); }

  std::vector<std::string> Events() const { std::lock_guard guard(lock_); return events_; }
  std::vector<std::string> Of(const std::string& kind) const {  // the details of one kind
    std::vector<std::string> found;
    for (const std::string& e : Events()) {
      if (e.rfind(kind + ": ", 0) == 0) found.push_back(e.substr(kind.size() + 2));
    }
    return found;
  }
  std::vector<std::string> Log() const { return Of("log"); }
  int Count(const std::string& kind) const { return static_cast<int>(Of(kind).size()); }
  void Clear() { std::lock_guard guard(lock_); events_.clear(); }

  Text PromptAnswer;
  void (*DuringPrompt)() = nullptr;  // runs inside the prompt, e.g. to reset meanwhile
  Text SelectedMission;
  int SelectedBan = -1;

 private:
  void Record(const std::string& kind, const std::string& details) {
    std::lock_guard guard(lock_);
    events_.push_back(kind + ": " + details);
  }

  mutable std::mutex lock_;
  std::vector<std::string> events_;
};

// The scripted server and a recording window; TearDown stops the network thread.
class RconTest : public ::testing::Test {
 protected:
  explicit RconTest(rcon_test_server::ServerOptions options = {}) : server(std::move(options)) {}
  void SetUp() override {
    ResetRconState();
    SetRconWindow(&window);
    ASSERT_TRUE(server.Start());
  }
  void TearDown() override {
    StopNetworkThread();
    ResetRconState();
    SetRconWindow(nullptr);
    SetRconWaitHook(nullptr);
    SetTickSourceForTesting(nullptr);
    server.Stop();
  }
  bool Connect(const std::string& password = "secret") {  // ConnectToServer(1); true when connected
    SetServerTarget(u"127.0.0.1", server.Port(), AsciiText(password));
    ConnectToServer(1);
    RconLockGuard guard;
    return Rcon.Connected;
  }
  // The client's next datagram not looked at yet; empty when none came within `timeoutMs`.
  std::vector<std::uint8_t> FromClient(int timeoutMs = 2000) {
    if (!server.WaitForReceived(seen_ + 1, timeoutMs)) return {};
    return server.Received()[seen_++].Bytes;
  }
  static std::size_t PendingCount() { RconLockGuard guard; return Rcon.PendingRequests.size(); }

  rcon_test_server::RconTestServer server;
  RecordingWindow window;

 private:
  std::size_t seen_ = 0;
};

// Connected by hand to the silent server, which learns the client's port from a login; no keep-alive is due.
// No other thread touches Rcon here, so the tests use it without the lock.
class HandDrivenTest : public RconTest {
 protected:
  void SetUp() override {
    RconTest::SetUp();
    server.SetSilent(true);
    RconLockGuard guard;
    connection = OpenUdpConnection(u"127.0.0.1", server.Port());
    ASSERT_NE(connection, nullptr);
    Rcon.ServerConnection = connection;
    ++Rcon.ConnectionSerial;
    Rcon.Connected = true;
    Rcon.LastKeepAliveTick = CurrentTick();
    SendLogin(connection, u"");
    ASSERT_FALSE(FromClient().empty());
  }
  std::int32_t Deliver(const std::vector<std::uint8_t>& bytes) {  // from the server, then one pump pass
    EXPECT_TRUE(server.SendRaw(bytes));
    EXPECT_TRUE(WaitUntil([&] { return PollSocketReadable(connection->Socket) == 1; }));
    return PumpNetwork();
  }
  std::int32_t PumpIdle() {  // a pump pass with nothing waiting: the mailbox is performed
    EXPECT_NE(PollSocketReadable(connection->Socket), 1) << "a datagram is waiting";
    return PumpNetwork();
  }
  std::vector<std::uint8_t> Perform(CommandCode code, CommandParameters parameters = {}) {  // what the client sent
    QueueCommand(code, std::move(parameters));
    PumpIdle();
    EXPECT_EQ(PeekPendingCommand(), kCommandNone) << "the pass empties the slot";
    return FromClient();
  }

  UdpConnection* connection = nullptr;
};
