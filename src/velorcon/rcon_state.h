#pragma once
// The remote-console client's shared state. Both the GUI thread and the network thread
// use it; every access goes through RconLock (see RconLockGuard), which also serialises
// every pump pass and every send.
#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

#include "network/udp_connection.h"

constexpr std::size_t kPacketBufferSize = 2048;
constexpr std::size_t kChecksumScratchSize = 1024;

struct RconState {
  UdpConnection* ServerConnection = nullptr;
  // Every outgoing packet is built here and every datagram is received here.
  std::vector<std::uint8_t> PacketBuffer = std::vector<std::uint8_t>(kPacketBufferSize, 0);
  // Bytes 6 onward of the packet being built, over which its CRC is computed.
  std::vector<std::uint8_t> ChecksumScratch = std::vector<std::uint8_t>(kChecksumScratchSize, 0);
  // The sequence number the next command packet carries; 0 after every connect.
  std::uint8_t CommandSequence = 0;
};

extern RconState Rcon;

// Recursive because reply handlers run inside a pump pass and may send.
std::recursive_mutex& RconLock();
using RconLockGuard = std::lock_guard<std::recursive_mutex>;

// Puts the state back as at start-up (closing any connection); for tests and shut-down.
void ResetRconState();
