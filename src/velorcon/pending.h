#pragma once
// The requests waiting for their reply, and the time-out that notices a server gone silent.
// Callers hold RconLock.
#include <cstdint>
#include <optional>

#include "runtime/portable/text.h"
#include "runtime/portable/ticks.h"
#include "velorcon/rcon_records.h"

// A server that leaves a request unanswered this long counts as gone.
constexpr TickCount kReplyTimeoutMs = 10000;

// Records a command that was sent with `sequence` just now; the message is cut to 256. Wakes
// the network thread, which then waits for this request's time-out too.
void AddPendingRequest(std::uint8_t sequence, ReplyHandler handler, std::int32_t argument,
                       TextView doneMessage);
// 0 when some pending request was sent more than 10 000 ms ago, else 1. Only reads the list.
int CheckPendingTimeouts();
// Milliseconds until CheckPendingTimeouts will return 0; 0 when it does now, none without a request.
std::optional<std::int64_t> MillisecondsUntilTimeout();
