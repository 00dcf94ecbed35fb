// A server that stops answering: noticed after 10 s, by the network thread or by the GUI's
// wait for fresh players. The 10 s pass on the fake clock, which a helper thread moves on.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "server_fixture.h"
#include "velorcon/connect.h"
#include "velorcon/disconnect.h"
#include "velorcon/mailbox.h"
#include "velorcon/network_thread.h"

namespace {

using ::testing::Contains;

class TimeoutTest : public ServerTest {
 protected:
  void ConnectThenSilence() {
    UseFakeTicks(5000000);
    ASSERT_TRUE(Connect());
    StartNetworkThread();
    ASSERT_TRUE(WaitUntil([&] { return window.Count("sort suspended") == 4; }, 5000));
    StopNetworkThread();
    server.SetSilent(true);
  }
  // Runs `wait` while the fake clock moves on 50 ms every real millisecond or so.
  static void WithRunningClock(const std::function<void()>& wait) {
    std::atomic<bool> done{false};
    std::thread clock([&] {
      for (int i = 0; i < 5000 && !done.load(); ++i) {
        AdvanceFakeTicks(50);
        SleepMs(1);
      }
    });
    wait();
    done = true;
    clock.join();
  }
  void ExpectReset() {
    EXPECT_THAT(window.Log(), Contains(Utf8(kNotRespondingLine)));
    EXPECT_EQ(window.Count("reset"), 1);
    EXPECT_EQ(window.Count("error"), 0) << "a time-out is a log line, not a box";
    RconLockGuard guard;
    EXPECT_EQ(Rcon.Connected, 0);
    EXPECT_EQ(Rcon.ServerConnection, nullptr);
    EXPECT_TRUE(Rcon.PendingRequests.empty());
  }
};

TEST_F(TimeoutTest, RefreshPlayersAndWaitGivesUpOnASilentServer) {
  ConnectThenSilence();
  WithRunningClock([] { RefreshPlayersAndWait(); });
  EXPECT_TRUE(server.WaitForCommand("players", 1000));
  ExpectReset();
}

TEST_F(TimeoutTest, TheNetworkThreadResetsAfterTenSilentSeconds) {
  ConnectThenSilence();
  StartNetworkThread();
  QueueCommand(kCommandLock);
  ASSERT_TRUE(server.WaitForCommand("#lock", 2000));
  WithRunningClock([&] { ASSERT_TRUE(WaitUntil([&] { return window.Count("reset") == 1; }, 5000)); });
  ExpectReset();
}

TEST_F(TimeoutTest, AResetByTheNetworkThreadEndsTheGuiWait) {
  ConnectThenSilence();
  StartNetworkThread();
  WithRunningClock([] { RefreshPlayersAndWait(); });  // whichever thread notices first, the wait ends
  StopNetworkThread();
  ExpectReset();
}

}  // namespace
