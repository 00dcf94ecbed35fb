#include "app/gui_thread_calls.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/main_window_ids.h"
#include "main_window_fixture.h"
#include "runtime/win32/gui.h"
#include "velorcon/rcon_state.h"
#include "velorcon/rcon_window.h"

namespace {

TEST_F(MainWindowTest, WorkFromAnotherThreadRunsOnTheGuiThread) {
  const DWORD gui = GetCurrentThreadId();
  DWORD ranOn = 0;
  std::atomic<bool> done{false};
  std::thread other([&] {
    RunOnGuiThread([&] { ranOn = GetCurrentThreadId(); });
    done = true;
  });
  for (int round = 0; round < 5000 && !done; ++round) {
    Pump();
    Sleep(1);
  }
  other.join();
  EXPECT_EQ(ranOn, gui);
  EXPECT_TRUE(OnGuiThread());
}

TEST_F(MainWindowTest, WithoutTheHandOverWindowWorkFromAnotherThreadIsDropped) {
  FreeGuiThreadCalls();
  bool ran = false;
  std::thread other([&] { RunOnGuiThread([&] { ran = true; }); });
  other.join();
  InitGuiThreadCalls();
  EXPECT_FALSE(ran);
}

// The pump holds the protocol's lock while it hands a log line over; the GUI thread waiting
// for that lock meanwhile must take the hand-over, or neither thread would go on.
TEST_F(MainWindowTest, TheGuiThreadWaitingForTheLockServesTheNetworkThread) {
  std::atomic<bool> locked{false};
  std::atomic<bool> done{false};
  std::thread network([&] {
    RconLockGuard guard;
    locked = true;
    Sleep(50);
    CurrentRconWindow().AddLogLine(u"handed over under the lock");
    done = true;
  });
  for (int round = 0; round < 5000 && !locked; ++round) Sleep(1);
  ASSERT_TRUE(locked);
  { RconLockGuard guard; }
  network.join();
  EXPECT_TRUE(done);
  ASSERT_EQ(CountGadgetItems(kLogList), 1);
  EXPECT_EQ(GadgetItemText(kLogList, 0), u"handed over under the lock");
}

}  // namespace
