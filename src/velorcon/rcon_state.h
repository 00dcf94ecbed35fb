#pragma once
// The remote-console client's shared state. The GUI thread and the network thread both use
// it; every access goes through RconLockGuard, which also serialises every pump pass and
// every send. The command mailbox has its own lock (mailbox.h).
#include <cstdint>
#include <list>
#include <mutex>
#include <vector>

#include "network/udp_connection.h"
#include "runtime/portable/text.h"
#include "runtime/portable/ticks.h"
#include "velorcon/rcon_records.h"

constexpr std::size_t kPacketBufferSize = 2048;
constexpr std::size_t kChecksumScratchSize = 1024;

struct RconState {
  UdpConnection* ServerConnection = nullptr;
  // Counts every connection opened, so that work begun for one connection (the MaxPing
  // prompt) can tell whether it is still the same one when it finishes.
  std::uint32_t ConnectionSerial = 0;
  // Every outgoing packet is built here and every datagram is received here.
  std::vector<std::uint8_t> PacketBuffer = std::vector<std::uint8_t>(kPacketBufferSize, 0);
  // Bytes 6 onward of the packet being built, over which its CRC is computed.
  std::vector<std::uint8_t> ChecksumScratch = std::vector<std::uint8_t>(kChecksumScratchSize, 0);
  // The sequence number the next command packet carries; 0 after every connect.
  std::uint8_t CommandSequence = 0;

  // What the user connects to, and the life of the connection.
  Text ServerHost;
  std::int32_t ServerPort = 0;
  Text ServerPassword;
  bool Connected = false;
  bool AutoRefreshEnable = false;
  std::int32_t AutoRefreshSeconds = 30;
  TickCount LastRefreshTick = 0;

  // The pump.
  std::int32_t ReceivedLength = 0;  // bytes of the last receive, -1 after an error
  std::size_t ReplyLength = 0;      // valid bytes in PacketBuffer: received or joined
  std::list<PendingRequest> PendingRequests;
  std::list<MultipartReply> MultipartReplies;
  // -1 until a connect asks, so that no reply matches them before.
  std::int32_t VersionSequence = -1;
  bool VersionShown = false;
  std::int32_t MaxPingSequence = -1;
  bool MaxPingShown = false;
  Text LastServerMessage;
  TickCount LastKeepAliveTick = 0;

  // The players of the last player-list reply.
  std::vector<PlayerRecord> PlayerRecords;
  bool PlayersReceived = false;
};

extern RconState Rcon;

// Recursive because reply handlers run inside a pump pass and may send or reset.
std::recursive_mutex& RconLock();

// Called while the registered thread (the GUI thread) waits: for the lock, for a login
// reply, for fresh player numbers, for the network thread to end. The application lets it
// serve the messages sent to that thread, so that a network thread that hands a window
// update to the GUI thread while holding the lock cannot deadlock with it.
using RconWaitHook = void (*)();
// Registers `hook` for the calling thread; nullptr removes it.
void SetRconWaitHook(RconWaitHook hook);
// Calls the hook when the calling thread registered it; otherwise does nothing.
void ServeWhileWaiting();

// Takes RconLock; on the hook's thread by polling, serving messages between the tries.
class RconLockGuard {
 public:
  RconLockGuard();
  ~RconLockGuard();
  RconLockGuard(const RconLockGuard&) = delete;
  RconLockGuard& operator=(const RconLockGuard&) = delete;
};

// Puts the state back as at start-up (closing any connection, emptying the mailbox); for
// tests and shut-down.
void ResetRconState();
