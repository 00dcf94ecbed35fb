// A server that stops answering: noticed after 10 s, by the network thread or by the GUI's
// wait for fresh players. One fake-clock run and two real-time runs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
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
    ASSERT_TRUE(Connect());
    StartNetworkThread();
    ASSERT_TRUE(WaitUntil([&] { return window.Count("sort suspended") == 4; }, 5000));
    StopNetworkThread();
    server.SetSilent(true);
  }
  void ExpectReset() {
    EXPECT_THAT(window.Log(), Contains(Utf8(kNotRespondingLine)));
    EXPECT_EQ(window.Count("reset"), 1);
    RconLockGuard guard;
    EXPECT_EQ(Rcon.Connected, 0);
    EXPECT_EQ(Rcon.ServerConnection, nullptr);
    EXPECT_TRUE(Rcon.PendingRequests.empty());
  }
};

TEST_F(TimeoutTest, RefreshPlayersAndWaitGivesUpOnASilentServerByTheClock) {
  UseFakeTicks(5000000);
  ConnectThenSilence();
  std::atomic<bool> done{false};
  std::thread clock([&] {
    for (int i = 0; i < 5000 && !done.load(); ++i) {
      AdvanceFakeTicks(50);
      SleepMs(1);
    }
  });
  RefreshPlayersAndWait();
  done = true;
  clock.join();
  EXPECT_TRUE(server.WaitForCommand("players", 1000));
  ExpectReset();
}

TEST_F(TimeoutTest, TheNetworkThreadResetsAfterTenSilentSecondsInRealTime) {
  ConnectThenSilence();
  StartNetworkThread();
  QueueCommand(kCommandLock);
  ASSERT_TRUE(server.WaitForCommand("#lock", 2000));
  ASSERT_TRUE(WaitUntil([&] { return window.Count("reset") == 1; }, 20000));
  ExpectReset();
  EXPECT_EQ(window.Count("error"), 0) << "a time-out is a log line, not a box";
}

TEST_F(TimeoutTest, AResetByTheNetworkThreadEndsTheGuiWait) {
  UseFakeTicks(7000000);
  ConnectThenSilence();
  StartNetworkThread();
  std::atomic<bool> done{false};
  std::thread clock([&] {
    for (int i = 0; i < 5000 && !done.load(); ++i) {
      AdvanceFakeTicks(50);
      SleepMs(1);
    }
  });
  RefreshPlayersAndWait();  // whichever thread notices first, the wait ends
  done = true;
  clock.join();
  StopNetworkThread();
  ExpectReset();
}

}  // namespace
