#pragma once
// Bounded waits for tests.
#include <chrono>
#include <thread>

inline void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Polls `ready` every millisecond for at most `timeoutMs`; true once it answered true.
template <typename Predicate>
bool WaitUntil(Predicate ready, int timeoutMs = 2000) {
  for (int waited = 0; waited < timeoutMs; ++waited) {
    if (ready()) return true;
    SleepMs(1);
  }
  return ready();
}
