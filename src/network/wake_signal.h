#pragma once
// Lets one thread end another's wait for a datagram early: the waiter waits on its
// connection's socket and on this loopback socket together, and a wake is one byte sent to it.
#include <atomic>

#include "runtime/portable/sockets.h"

struct WakeSignal {
  PlatformSocket Socket = kInvalidSocket;
  Ipv4Endpoint Address;  // where the byte goes: the socket itself
  // Set from a wake until the waiter takes it back, so that a burst of wakes sends one byte.
  std::atomic<bool> Raised{false};
};

// A signal on a new socket bound to 127.0.0.1, or nullptr when none could be made.
WakeSignal* OpenWakeSignal();
// Closes the socket and releases the record. Accepts nullptr.
void CloseWakeSignal(WakeSignal* signal);
// Ends the wait that runs now, or else the next one.
void RaiseWakeSignal(WakeSignal& signal);
// Waits until `datagrams` (kInvalidSocket: none) has a datagram waiting, the signal was raised,
// or `timeoutMs` passed, then takes a raised signal back. False when the wait failed.
bool WaitForDatagramOrWake(PlatformSocket datagrams, WakeSignal& signal, int timeoutMs);
