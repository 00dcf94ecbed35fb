#pragma once
// One pass of the client's network work: take at most one datagram, join long replies, match
// a reply to its request and run the request's handler, acknowledge and log server messages,
// log the version and maxping answers once per connection; when nothing was waiting, perform
// the command left in the mailbox. Every pass that is not cut short ends with the keep-alive
// check (every 15 s, with its own pending request).
//
// Takes RconLock for the pass; call it without holding the lock, so that the MaxPing prompt
// (mailbox code 9) can run without it.
#include <cstdint>

#include "runtime/portable/ticks.h"

constexpr TickCount kKeepAliveIntervalMs = 15000;

// 0, or 1 when the pass ended after keeping a part of an unfinished long reply.
std::int32_t PumpNetwork();
// Milliseconds until a pass will send the keep-alive; 0 when it is due. Callers hold RconLock.
std::int64_t MillisecondsUntilKeepAlive();
// Where datagrams without the "BE" signature go: nowhere.
void IgnoreForeignDatagram();
