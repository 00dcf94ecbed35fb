#pragma once
// What the protocol tests share: a fake clock and a client "connected" to a hand-driven
// loopback peer that plays the server.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "server_texts.h"
#include "recording_window.h"
#include "runtime/portable/ticks.h"
#include "support/loopback_peer.h"
#include "velorcon/rcon_state.h"

// The clock every time-out reads, stepped by the test.
void UseFakeTicks(TickCount start);
void AdvanceFakeTicks(TickCount milliseconds);
void UseRealTicks();

// A client with Connected set and its connection aimed at `peer`, which the test drives
// byte by byte. The first keep-alive is not due.
class PeerConnectedTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Sends `bytes` from the peer and runs one pump pass once they have arrived.
  std::int32_t Deliver(const std::vector<std::uint8_t>& bytes);
  // A pump pass with nothing waiting (the mailbox is performed).
  std::int32_t PumpIdle();
  // The next datagram the client sent, empty when none came within `timeoutMs`.
  std::vector<std::uint8_t> FromClient(int timeoutMs = 2000) { return peer.Receive(timeoutMs); }
  // The text of a command datagram from the client (bytes 9..).
  static std::string CommandText(const std::vector<std::uint8_t>& datagram);
  void AddPending(std::uint8_t sequence, ReplyHandler handler, std::int32_t argument, const Text& message);
  std::size_t PendingCount();

  RecordingWindow window;
  LoopbackPeer peer;
  Ipv4Endpoint client;
  UdpConnection* connection = nullptr;
};
