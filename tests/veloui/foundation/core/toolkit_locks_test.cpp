#include "veloui/foundation/core/toolkit_locks.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "runtime/portable/ticks.h"
#include "veloui/foundation/core/debug_log.h"

namespace {
std::mutex LinesGuard;
std::vector<Text> Lines;
void Capture(const Text& line) {
  std::lock_guard guard(LinesGuard);
  Lines.push_back(line);
}

TEST(ToolkitLocks, HolderMayTakeItsLockAgain) {
  CreateToolkitMutexSet();
  EXPECT_EQ(TakeToolkitLock(ToolkitLock::Menu), 1);
  EXPECT_EQ(TakeToolkitLock(ToolkitLock::Menu), 1);
  ReleaseToolkitLock(ToolkitLock::Menu);
  ReleaseToolkitLock(ToolkitLock::Menu);
}

TEST(ToolkitLocks, SecondThreadWaitsUntilTheHolderReleases) {
  CreateToolkitMutexSet();
  std::atomic<bool> taken{false};
  std::atomic<int> counter{0};
  TakeToolkitLock(ToolkitLock::Subclass);
  std::thread other([&] {
    TakeToolkitLock(ToolkitLock::Subclass);
    taken = true;
    counter = counter + 1;
    ReleaseToolkitLock(ToolkitLock::Subclass);
  });
  // A different lock stays free meanwhile.
  std::thread free_lock([&] {
    ToolkitLockGuard guard(ToolkitLock::Menu);
    counter = counter + 10;
  });
  free_lock.join();
  EXPECT_EQ(counter.load(), 10);
  EXPECT_FALSE(taken.load());
  ReleaseToolkitLock(ToolkitLock::Subclass);
  other.join();
  EXPECT_TRUE(taken.load());
  EXPECT_EQ(counter.load(), 11);
}

// Every reading of the clock moves it on by 100 ms, so a waiter passes the threshold after a
// few tries without any real waiting.
std::atomic<TickCount> FakeNow{0};
TickCount FakeTick() { return FakeNow.fetch_add(100); }

TEST(ToolkitLocks, StaleLockIsReportedOnceAndTheWaitGoesOn) {
  CreateToolkitMutexSet();
  {
    std::lock_guard guard(LinesGuard);
    Lines.clear();
  }
  SetDebugLogSinkForTesting(Capture);
  SetTickSourceForTesting(FakeTick);
  FakeNow = 0;
  std::atomic<bool> holding{false};
  std::atomic<bool> release{false};
  std::thread holder([&] {
    TakeToolkitLock(ToolkitLock::PanelEx);
    holding = true;
    for (int i = 0; i < 10000 && !release; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ReleaseToolkitLock(ToolkitLock::PanelEx);
  });
  for (int i = 0; i < 10000 && !holding; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ASSERT_TRUE(holding.load());
  std::atomic<bool> got{false};
  std::thread waiter([&] {
    TakeToolkitLock(ToolkitLock::PanelEx);
    got = true;
    ReleaseToolkitLock(ToolkitLock::PanelEx);
  });
  bool reported = false;
  for (int i = 0; i < 10000 && !reported; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::lock_guard guard(LinesGuard);
    reported = !Lines.empty();
  }
  EXPECT_TRUE(reported);
  EXPECT_FALSE(got.load());  // never taken from its holder
  release = true;
  holder.join();
  waiter.join();
  EXPECT_TRUE(got.load());
  SetTickSourceForTesting(nullptr);
  SetDebugLogSinkForTesting(nullptr);
  std::lock_guard guard(LinesGuard);
  EXPECT_EQ(Lines.size(), 1u);
}
}  // namespace
