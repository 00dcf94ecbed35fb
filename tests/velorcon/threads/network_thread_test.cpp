// The network thread against the scripted server: what the user sees after a connect, the
// mailbox performed on the thread, automatic refresh, and the GUI thread pumping alongside.
#include "velorcon/network_thread.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <functional>
#include <thread>

#include "server_fixture.h"
#include "velorcon/connect.h"
#include "velorcon/mailbox.h"
#include "velorcon/rcon_state.h"

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;

int CountOf(const std::vector<std::string>& texts, const std::string& text) {
  return static_cast<int>(std::count(texts.begin(), texts.end(), text));
}

class NetworkThreadTest : public ServerTest {
 protected:
  explicit NetworkThreadTest(rcon_test_server::ServerOptions options = {}) : ServerTest(std::move(options)) {}
  // Connects, runs the thread and waits until every answer of the connect was shown.
  void ConnectAndSettle() {
    ASSERT_TRUE(Connect());
    StartNetworkThread();
    // The done message is logged before the handler runs; the refill ends with sorting resumed.
    ASSERT_TRUE(WaitUntil([&] { return Refilled("bans") && Refilled("missions") && window.Count("players") >= 1; },
                          5000));
  }
  bool Refilled(const std::string& list) {
    const auto events = window.EventsOf("sort suspended");
    return std::find(events.begin(), events.end(), list + " 0") != events.end();
  }
  bool HasLog(const std::string& line) {
    const auto log = window.Log();
    return std::find(log.begin(), log.end(), line) != log.end();
  }
};

TEST_F(NetworkThreadTest, AfterAConnectTheWindowShowsEverythingTheServerAnswered) {
  ConnectAndSettle();
  ASSERT_TRUE(WaitUntil([&] { return HasLog("MaxPing: 250"); }, 2000));
  const auto log = window.Log();
  EXPECT_EQ(CountOf(log, "Version: 2.14.0"), 1);
  EXPECT_EQ(CountOf(log, "MaxPing: 250"), 1);
  EXPECT_EQ(CountOf(log, "[Received missions.]"), 1);
  EXPECT_EQ(window.LastPlayers().size(), 5u);
  EXPECT_EQ(window.Count("ban row"), 3);
  EXPECT_THAT(window.EventsOf("mission row"),
              ElementsAre("coop_harbour.island.pbo", "training_range.desert.pbo", "siege.v2.mountain.pbo"));
}

TEST_F(NetworkThreadTest, TheShutdownReplyIsLoggedAndResets) {
  ConnectAndSettle();
  QueueCommand(kCommandShutdown);
  ASSERT_TRUE(WaitUntil([&] { return window.Count("reset") == 1; }, 3000));
  EXPECT_TRUE(HasLog("[The server is shutting down now. Please reconnect.]"));
  RconLockGuard guard;
  EXPECT_EQ(Rcon.Connected, 0);
  EXPECT_EQ(Rcon.ServerConnection, nullptr);
}

TEST_F(NetworkThreadTest, AMissionNameWithTwoDotsLosesOnlyItsExtension) {
  ConnectAndSettle();
  window.SetSelectedMission(u"siege.v2.mountain");
  QueueCommand(kCommandLoadMission);
  ASSERT_TRUE(server.WaitForCommand("#mission siege.v2", 3000));
  ASSERT_TRUE(WaitUntil([&] { return HasLog("[Mission(siege.v2) has been loaded.]"); }, 3000));
}

class SlowServerTest : public NetworkThreadTest {
 protected:
  SlowServerTest() : NetworkThreadTest(rcon_test_server::ServerOptions{.ReplyDelayMs = 200}) {}
};

TEST_F(SlowServerTest, ARefreshRightAfterRemovingABanGetsItsOwnAnswer) {
  ConnectAndSettle();
  window.SetSelectedBanRow(1);
  QueueCommand(kCommandRemoveBan);
  ASSERT_TRUE(server.WaitForCommand("removeBan 1", 3000));
  QueueCommand(kCommandRefreshPlayers);
  // The remove-ban's empty answer arrives first; it must not stand for the players.
  ASSERT_TRUE(WaitUntil([&] { return window.Count("players") == 2; }, 3000));
  EXPECT_EQ(window.LastPlayers().size(), 5u);
  EXPECT_THAT(window.EventsOf("remove ban row"), ElementsAre("1"));
  QueueCommand(kCommandFetchBans);
  EXPECT_TRUE(WaitUntil([&] { return window.Count("ban row") == 3 + 2; }, 3000));
}

TEST_F(NetworkThreadTest, AnAutomaticRefreshNeverPushesOutAQueuedKick) {
  UseFakeTicks(1000000);
  SetAutoRefresh(1, 1);
  ASSERT_TRUE(Connect());
  // The connect's answers wait in the socket, so the next pump pass reads one of them and
  // leaves the mailbox alone: the refresh falls due while the kick still waits.
  ASSERT_TRUE(WaitUntil([] {
    RconLockGuard guard;
    RearmPoll(Rcon.ServerConnection);
    return PollReadable(Rcon.ServerConnection) == 1;
  }));
  CommandParameters kick;
  kick.CommandTarget = 2;
  kick.CommandReason = u"afk";
  QueueCommand(kCommandKick, kick);
  AdvanceFakeTicks(1001);
  for (int pass = 0; pass < 200 && window.Count("players") < 2; ++pass) {
    NetworkThreadPass();
    SleepMs(1);
  }
  EXPECT_THAT(server.Commands(), Contains("kick 2 afk"));
  EXPECT_EQ(window.Count("players"), 2) << "the refresh followed";
}

TEST_F(NetworkThreadTest, AutomaticRefreshFollowsTheIntervalFromTheConnect) {
  UseFakeTicks(1000000);
  SetAutoRefresh(1, 2);
  ConnectAndSettle();
  EXPECT_EQ(CountOf(server.Commands(), "players"), 1);
  AdvanceFakeTicks(2000);
  SleepMs(100);
  EXPECT_EQ(CountOf(server.Commands(), "players"), 1) << "not before more than 2 s";
  AdvanceFakeTicks(1);
  ASSERT_TRUE(WaitUntil([&] { return CountOf(server.Commands(), "players") == 2; }, 3000));
  AdvanceFakeTicks(1000);
  SleepMs(100);
  EXPECT_EQ(CountOf(server.Commands(), "players"), 2);
  AdvanceFakeTicks(1001);
  ASSERT_TRUE(WaitUntil([&] { return CountOf(server.Commands(), "players") == 3; }, 3000));
  ASSERT_TRUE(WaitUntil([&] { return window.Count("players") == 3; }, 3000)) << "each refresh redraws the list";
}

TEST_F(NetworkThreadTest, TheGuiThreadPumpsForFreshPlayersWhileTheThreadRuns) {
  SetAutoRefresh(1, 0);  // a refresh on nearly every pass of the thread, racing with ours
  ConnectAndSettle();
  for (int i = 0; i < 20; ++i) {
    RefreshPlayersAndWait();
    RconLockGuard guard;
    ASSERT_EQ(Rcon.PlayersReceived, 1);
    ASSERT_EQ(Rcon.PlayerRecords.size(), 5u);
  }
  StopNetworkThread();
  EXPECT_EQ(window.Count("error"), 0);
}

TEST_F(NetworkThreadTest, TheThreadStopsJoinsAndStartsAgain) {
  StartNetworkThread();
  StartNetworkThread();  // already running: nothing happens
  StopNetworkThread();
  StopNetworkThread();
  ConnectAndSettle();
  StopNetworkThread();
  QueueCommand(kCommandLock);
  SleepMs(50);
  EXPECT_EQ(PeekPendingCommand(), kCommandLock) << "nobody pumps after the stop";
}

// A window that, like the real one, hands every update from another thread to the GUI thread
// and waits for it there. The GUI thread runs them from the wait hook.
class GuiThreadWindow : public RecordingWindow {
 public:
  explicit GuiThreadWindow(std::thread::id gui) : gui_(gui) {}
  void AddLogLine(TextView text) override {
    if (std::this_thread::get_id() == gui_) return RecordingWindow::AddLogLine(text);
    std::unique_lock lock(mutex_);
    bool done = false;
    const Text line(text);
    tasks_.push_back([this, line, &done] {
      RecordingWindow::AddLogLine(line);
      done = true;
    });
    if (!served_.wait_for(lock, std::chrono::seconds(5), [&] { return done; })) timedOut_ = true;
  }
  // Runs on the GUI thread from the wait hook.
  void Serve() {
    std::unique_lock lock(mutex_);
    while (!tasks_.empty()) {
      tasks_.front()();
      tasks_.pop_front();
    }
    served_.notify_all();
  }
  bool TimedOut() {
    std::lock_guard lock(mutex_);
    return timedOut_;
  }

 private:
  std::thread::id gui_;
  std::mutex mutex_;
  std::condition_variable served_;
  std::deque<std::function<void()>> tasks_;
  bool timedOut_ = false;
};

GuiThreadWindow* g_guiWindow = nullptr;
void ServeGuiWindow() { g_guiWindow->Serve(); }

TEST_F(NetworkThreadTest, WindowUpdatesHandedToTheWaitingGuiThreadDoNotDeadlock) {
  GuiThreadWindow gui(std::this_thread::get_id());
  g_guiWindow = &gui;
  SetRconWindow(&gui);
  SetRconWaitHook(ServeGuiWindow);
  ASSERT_TRUE(Connect());
  StartNetworkThread();
  // The thread logs the connect answers while holding the lock; we need the lock meanwhile.
  for (int i = 0; i < 5; ++i) RefreshPlayersAndWait();
  ASSERT_TRUE(WaitUntil(
      [&] {
        gui.Serve();
        return gui.Count("log") >= 5;
      },
      5000));
  StopNetworkThread();
  SetRconWaitHook(nullptr);
  SetRconWindow(&window);
  EXPECT_FALSE(gui.TimedOut());
  EXPECT_THAT(gui.Log(), Contains("[Received ban list.]"));
}

}  // namespace
