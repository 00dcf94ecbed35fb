#include "rcon_fixture.h"

#include <atomic>

#include "velorcon/packets.h"
#include "velorcon/pending.h"
#include "velorcon/pump.h"
#include "velorcon/rcon_window.h"

namespace {
std::atomic<TickCount> g_fakeTick{0};
TickCount FakeTick() { return g_fakeTick.load(); }
}  // namespace

void UseFakeTicks(TickCount start) {
  g_fakeTick.store(start);
  SetTickSourceForTesting(FakeTick);
}

void AdvanceFakeTicks(TickCount milliseconds) { g_fakeTick.fetch_add(milliseconds); }

void UseRealTicks() { SetTickSourceForTesting(nullptr); }

void PeerConnectedTest::SetUp() {
  ResetRconState();
  SetRconWindow(&window);
  ASSERT_NE(peer.Port(), 0);
  RconLockGuard guard;
  connection = OpenUdpConnection(u"127.0.0.1", peer.Port());
  ASSERT_NE(connection, nullptr);
  Rcon.ServerConnection = connection;
  ++Rcon.ConnectionSerial;
  Rcon.Connected = 1;
  Rcon.LastKeepAliveTick = CurrentTick();
  // The login makes the client's port known to the peer and leaves the sequence alone.
  SendLogin(connection, u"");
  ASSERT_FALSE(peer.Receive().empty());
  client = peer.LastSender();
}

void PeerConnectedTest::TearDown() {
  ResetRconState();
  SetRconWindow(nullptr);
  UseRealTicks();
}

std::int32_t PeerConnectedTest::Deliver(const std::vector<std::uint8_t>& bytes) {
  peer.SendTo(client, bytes);
  EXPECT_TRUE(WaitUntil([&] { return PollSocketReadable(connection->Socket) == 1; }));
  return PumpNetwork();
}

std::int32_t PeerConnectedTest::PumpIdle() {
  EXPECT_NE(PollSocketReadable(connection->Socket), 1) << "a datagram is waiting";
  return PumpNetwork();
}

std::string PeerConnectedTest::CommandText(const std::vector<std::uint8_t>& datagram) {
  return datagram.size() > 9 ? std::string(datagram.begin() + 9, datagram.end()) : std::string();
}

void PeerConnectedTest::AddPending(std::uint8_t sequence, ReplyHandler handler, std::int32_t argument,
                                   const Text& message) {
  RconLockGuard guard;
  AddPendingRequest(sequence, handler, argument, message);
}

std::size_t PeerConnectedTest::PendingCount() {
  RconLockGuard guard;
  return Rcon.PendingRequests.size();
}
