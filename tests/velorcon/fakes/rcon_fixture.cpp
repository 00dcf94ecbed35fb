#include "rcon_fixture.h"

#include <atomic>

#include "velorcon/connect.h"
#include "velorcon/network_thread.h"
#include "velorcon/packets.h"
#include "velorcon/pump.h"

namespace {
std::atomic<TickCount> g_fakeTick{0};
TickCount FakeTick() { return g_fakeTick.load(); }
}  // namespace

void UseFakeTicks(TickCount start) {
  g_fakeTick.store(start);
  SetTickSourceForTesting(FakeTick);
}

void AdvanceFakeTicks(TickCount milliseconds) { g_fakeTick.fetch_add(milliseconds); }

std::string Utf8(TextView text) { return TextToUtf8(text); }

void RecordingWindow::Record(const std::string& kind, const std::string& details) {
  std::lock_guard guard(lock_);
  events_.push_back(kind + ": " + details);
}

void RecordingWindow::RefreshPlayerList(const std::vector<PlayerRecord>& players) {
  {
    std::lock_guard guard(lock_);
    lastPlayers_ = players;
  }
  Record("players", std::to_string(players.size()));
}

void RecordingWindow::SetListSortSuspended(RconList list, bool suspended) {
  static const char* const kNames[] = {"players", "bans", "missions"};
  Record("sort suspended", std::string(kNames[static_cast<int>(list)]) + (suspended ? " 1" : " 0"));
}

Text RecordingWindow::PromptMaxPing() {
  Record("prompt", "Set MaxPing");
  if (DuringPrompt != nullptr) DuringPrompt();
  return PromptAnswer;
}

std::vector<std::string> RecordingWindow::Events() const {
  std::lock_guard guard(lock_);
  return events_;
}

std::vector<std::string> RecordingWindow::Of(const std::string& kind) const {
  std::vector<std::string> found;
  for (const std::string& e : Events()) {
    if (e.rfind(kind + ": ", 0) == 0) found.push_back(e.substr(kind.size() + 2));
  }
  return found;
}

std::vector<PlayerRecord> RecordingWindow::LastPlayers() const {
  std::lock_guard guard(lock_);
  return lastPlayers_;
}

void RecordingWindow::Clear() {
  std::lock_guard guard(lock_);
  events_.clear();
}

void RconTest::SetUp() {
  ResetRconState();
  SetRconWindow(&window);
  ASSERT_TRUE(server.Start());
}

void RconTest::TearDown() {
  StopNetworkThread();
  ResetRconState();
  SetRconWindow(nullptr);
  SetRconWaitHook(nullptr);
  SetTickSourceForTesting(nullptr);
  server.Stop();
}

bool RconTest::Connect(const std::string& password) {
  SetServerTarget(u"127.0.0.1", server.Port(), AsciiText(password));
  ConnectToServer(1);
  RconLockGuard guard;
  return Rcon.Connected;
}

void RconTest::ConnectByHand() {
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

std::int32_t RconTest::Deliver(const std::vector<std::uint8_t>& bytes) {
  EXPECT_TRUE(server.SendRaw(bytes));
  EXPECT_TRUE(WaitUntil([&] { return PollSocketReadable(connection->Socket) == 1; }));
  return PumpNetwork();
}

std::int32_t RconTest::PumpIdle() {
  EXPECT_NE(PollSocketReadable(connection->Socket), 1) << "a datagram is waiting";
  return PumpNetwork();
}

std::vector<std::uint8_t> RconTest::FromClient(int timeoutMs) {
  if (!server.WaitForReceived(seen_ + 1, timeoutMs)) return {};
  return server.Received()[seen_++].Bytes;
}

std::string RconTest::CommandText(const std::vector<std::uint8_t>& datagram) {
  return datagram.size() > 9 ? std::string(datagram.begin() + 9, datagram.end()) : std::string();
}

std::size_t RconTest::PendingCount() {
  RconLockGuard guard;
  return Rcon.PendingRequests.size();
}
