#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/gadget_ids.h"
#include "app/logic/embedded_images.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"
#include "main_window_fixture.h"
#include "runtime/win32/gui.h"
#include "velorcon/rcon_state.h"
#include "velorcon/rcon_window.h"

namespace {

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
