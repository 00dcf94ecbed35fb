#include "velorcon/pending.h"

#include <algorithm>

#include "velorcon/network_wake.h"
#include "velorcon/rcon_state.h"

void AddPendingRequest(std::uint8_t sequence, ReplyHandler handler, std::int32_t argument,
                       TextView doneMessage) {
  PendingRequest entry;
  entry.Sequence = sequence;
  entry.Handler = handler;
  entry.Argument = argument;
  entry.DoneMessage = Text(doneMessage.substr(0, kDoneMessageLength));
  entry.SentTick = CurrentTick();
  Rcon.PendingRequests.push_back(std::move(entry));
  WakeNetworkThread();  // its time-out may come before anything the thread waits for
}

std::optional<std::int64_t> MillisecondsUntilTimeout() {
  std::optional<std::int64_t> first;
  for (const PendingRequest& entry : Rcon.PendingRequests) {
    const std::int64_t left = MillisecondsUntilMoreThan(entry.SentTick, kReplyTimeoutMs);
    first = first ? std::min(*first, left) : left;
  }
  return first;
}

int CheckPendingTimeouts() {
  const TickCount now = CurrentTick();
  for (const PendingRequest& entry : Rcon.PendingRequests) {
    if (ElapsedTicks(entry.SentTick, now) > kReplyTimeoutMs) return 0;
  }
  return 1;
}
