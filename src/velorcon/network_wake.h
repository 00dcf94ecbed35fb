#pragma once
// The network thread sleeps until a datagram comes or the next thing falls due. Whatever
// another thread changes that the thread would act on (a queued command, a new connection, a
// new pending request, the refresh settings, the request to stop) wakes it, so that it looks
// again at once.
#include <cstdint>

#include "runtime/portable/sockets.h"

// Ends the network thread's wait; does nothing while the thread does not run.
void WakeNetworkThread();

// The network thread's own: made before it starts, released after it ended.
void OpenNetworkWake();
void CloseNetworkWake();
// Waits until `datagrams` (kInvalidSocket: none) has a datagram waiting, the thread is woken,
// or `timeoutMs` passed.
void WaitForNetworkWork(PlatformSocket datagrams, std::int64_t timeoutMs);
