#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "runtime/portable/ticks.h"
#include "veloui/foundation/core/debug_log.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/core/toolkit_registry.h"

namespace {
std::mutex LinesGuard;
std::vector<Text> Lines;
void Capture(const Text& line) {
  std::lock_guard guard(LinesGuard);
  Lines.push_back(line);
}

TEST(ToolkitLocks, TheHolderTakesItAgainAndASecondThreadWaitsUntilItIsReleased) {
  CreateToolkitMutexSet();
  EXPECT_EQ(TakeToolkitLock(ToolkitLock::Subclass), 1);
  EXPECT_EQ(TakeToolkitLock(ToolkitLock::Subclass), 1);
  ReleaseToolkitLock(ToolkitLock::Subclass);
  std::atomic<int> counter{0};
  std::thread other([&] {
    TakeToolkitLock(ToolkitLock::Subclass);
    counter = counter + 1;
    ReleaseToolkitLock(ToolkitLock::Subclass);
  });
  // A different lock stays free meanwhile.
  std::thread free_lock([&] {
    ToolkitLockGuard guard(ToolkitLock::Menu);
    counter = counter + 10;
  });
  free_lock.join();
  EXPECT_EQ(counter.load(), 10);  // the other thread still waits
  ReleaseToolkitLock(ToolkitLock::Subclass);
  other.join();
  EXPECT_EQ(counter.load(), 11);
}

// Every reading of the clock moves it on by 100 ms, so a waiter passes the threshold after a
// few tries without any real waiting.
std::atomic<TickCount> FakeNow{0};
TickCount FakeTick() { return FakeNow.fetch_add(100); }

TEST(ToolkitLocks, StaleLockIsReportedOnceAndTheWaitGoesOn) {
  CreateToolkitMutexSet();
  Lines.clear();  // before any thread writes
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

TEST(ToolkitRegistry, AutoCommandIdsCountDownAndWrapAndObjectNumbersAreDistinctAndNeverSmall) {
  ResetAutoCommandID();
  EXPECT_EQ(NextAutoCommandID(), 65534);
  std::uint16_t id = 1;
  for (int call = 2; call <= 65535; ++call) id = NextAutoCommandID();
  EXPECT_EQ(id, 0);
  EXPECT_EQ(NextAutoCommandID(), 65535);
  ResetAutoCommandID();
  std::set<std::intptr_t> seen;
  for (int i = 0; i < 100; ++i) {
    const auto number = AllocateObjectNumber();
    EXPECT_GT(number, 0xFFFF);
    EXPECT_TRUE(seen.insert(number).second);
    EXPECT_EQ(*reinterpret_cast<const std::uint8_t*>(number), 0);
  }
}
}  // namespace
