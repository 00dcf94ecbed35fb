#pragma once
// The records of the remote-console client: requests waiting for their reply, long replies
// being joined, and the players of the last player-list reply.
#include <bitset>
#include <cstdint>
#include <vector>

#include "runtime/portable/text.h"
#include "runtime/portable/ticks.h"

// Runs with the reply in Rcon.PacketBuffer; -1 ends the pump pass at once.
using ReplyHandler = std::int32_t (*)(std::int32_t argument);

// Done messages longer than this are cut.
constexpr std::size_t kDoneMessageLength = 256;

struct PendingRequest {
  std::uint8_t Sequence = 0;
  ReplyHandler Handler = nullptr;
  std::int32_t Argument = 0;
  Text DoneMessage;  // logged in square brackets when the reply comes; empty = nothing
  TickCount SentTick = 0;
};

constexpr int kMaxReplyParts = 127;

// One long reply being joined. Parts are kept by their index, so they may arrive in any
// order; the reply is complete once every index has arrived once.
struct MultipartReply {
  std::uint8_t Sequence = 0;
  int PartCount = 0;
  std::vector<std::vector<std::uint8_t>> Parts;  // payload of each part, by index
  std::bitset<kMaxReplyParts + 1> Received;
  int ReceivedCount = 0;
  std::size_t Length = 0;  // payload bytes stored so far
  TickCount FirstTick = 0;
};

struct PlayerRecord {
  Text Name;
  Text IP;
  std::int32_t Port = 0;
  std::int32_t Ping = 0;
  Text GUID;  // at most 32 characters
  std::int32_t Number = 0;
};
