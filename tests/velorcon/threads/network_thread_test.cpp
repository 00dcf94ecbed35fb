// The network thread against the scripted server: connect, mailbox, refresh, GUI pumping, silence.
#include "velorcon/network_thread.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>

#include "rcon_fixture.h"
#include "velorcon/disconnect.h"
#include "velorcon/pending.h"

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

class NetworkThreadTest : public RconTest {
 protected:
  explicit NetworkThreadTest(rcon_test_server::ServerOptions options = {}) : RconTest(std::move(options)) {}
  // Connects, runs the thread and waits until every answer of the connect was shown (refills end resuming sorting).
  void ConnectAndSettle() {
    ASSERT_TRUE(Connect());
    StartNetworkThread();
    ASSERT_TRUE(WaitUntil([&] { return Refilled("bans") && Refilled("missions") && window.Count("players") >= 1; },
                          5000));
  }
  bool Refilled(const std::string& list) { return std::ranges::count(window.Of("sort suspended"), list + " 0") > 0; }
  int LogCount(const std::string& line) { return static_cast<int>(std::ranges::count(window.Log(), line)); }
  bool Logged(const std::string& line) { return WaitUntil([&] { return LogCount(line) == 1; }, 3000); }
};

TEST_F(NetworkThreadTest, AfterAConnectTheWindowShowsEverythingTheServerAnswered) {
  ConnectAndSettle();
  ASSERT_TRUE(Logged("MaxPing: 250"));
  EXPECT_EQ(LogCount("Version: 2.14.0"), 1);
  EXPECT_EQ(LogCount("[Received missions.]"), 1);
  EXPECT_THAT(window.Of("players"), ElementsAre("5"));
  EXPECT_EQ(window.Count("ban row"), 3);
  EXPECT_THAT(window.Of("mission row"),
              ElementsAre("coop_harbour.island.pbo", "training_range.desert.pbo", "siege.v2.mountain.pbo"));
  window.SelectedMission = u"siege.v2.mountain";
  QueueCommand(kCommandLoadMission);
  ASSERT_TRUE(server.WaitForCommand("#mission siege.v2", 3000)) << "only the extension goes";
  ASSERT_TRUE(Logged("[Mission(siege.v2) has been loaded.]"));
  QueueCommand(kCommandShutdown);
  ASSERT_TRUE(WaitUntil([&] { return window.Count("reset") == 1; }, 3000));
  EXPECT_EQ(LogCount("[The server is shutting down now. Please reconnect.]"), 1);
  RconLockGuard guard;
  EXPECT_FALSE(Rcon.Connected);
  EXPECT_EQ(Rcon.ServerConnection, nullptr);
}

// Nothing falls due on the stopped clock: only the queued command, then the server's message, can wake the thread.
TEST_F(NetworkThreadTest, TheSleepingThreadWakesForAQueuedCommandAndForADatagram) {
  UseFakeTicks(1000000);
  ConnectAndSettle();
  ASSERT_TRUE(WaitUntil([] { return PendingCount() == 0; }, 3000)) << "the keep-alive was answered too";
  SleepMs(20);
  QueueCommand(kCommandLock);
  ASSERT_TRUE(server.WaitForCommand("#lock", 3000));
  EXPECT_TRUE(Logged("[The server has been locked.]"));
  SleepMs(20);
  ASSERT_TRUE(server.PushServerMessage("Restart in 5 minutes"));
  EXPECT_TRUE(WaitUntil([&] {
    return std::ranges::any_of(window.Log(), [](const std::string& line) { return line.ends_with(") : Restart in 5 minutes"); });
  }, 3000));
}

class SlowServerTest : public NetworkThreadTest {
 protected:
  SlowServerTest() : NetworkThreadTest(rcon_test_server::ServerOptions{.ReplyDelayMs = 200}) {}
};

TEST_F(SlowServerTest, ARefreshRightAfterRemovingABanGetsItsOwnAnswer) {
  ConnectAndSettle();
  window.SelectedBan = 1;
  QueueCommand(kCommandRemoveBan);
  ASSERT_TRUE(server.WaitForCommand("removeBan 1", 3000));
  QueueCommand(kCommandRefreshPlayers);
  // The remove-ban's empty answer arrives first; it must not stand for the players.
  ASSERT_TRUE(WaitUntil([&] { return window.Count("players") == 2; }, 3000));
  EXPECT_THAT(window.Of("players"), ElementsAre("5", "5"));
  EXPECT_THAT(window.Of("remove ban row"), ElementsAre("1"));
  QueueCommand(kCommandFetchBans);
  EXPECT_TRUE(WaitUntil([&] { return window.Count("ban row") == 3 + 2; }, 3000));
}

TEST_F(NetworkThreadTest, AnAutomaticRefreshNeverPushesOutAQueuedKick) {
  UseFakeTicks(1000000);
  SetAutoRefresh(1, 1);
  ASSERT_TRUE(Connect());
  // A pass that reads one of the connect's waiting answers leaves the mailbox: the refresh falls due beside the kick.
  ASSERT_TRUE(WaitUntil([] {
    RconLockGuard guard;
    RearmPoll(Rcon.ServerConnection);
    return PollReadable(Rcon.ServerConnection) == 1;
  }));
  CommandParameters kick;
  kick.CommandTarget = 2;
  kick.CommandReason = u"afk";
  QueueCommand(kCommandKick, kick);
  // Passes of the network thread, run here, until the list was redrawn that often.
  const auto passesUntil = [&](int redraws) {
    for (int pass = 0; pass < 200 && window.Count("players") < redraws; ++pass) {
      NetworkThreadPass();
      SleepMs(1);
    }
    return window.Count("players");
  };
  AdvanceFakeTicks(1001);
  EXPECT_EQ(passesUntil(2), 2) << "the refresh followed";
  EXPECT_THAT(server.Commands(), Contains("kick 2 afk"));
  // The next is due only after more than the interval from this one.
  AdvanceFakeTicks(1000);
  EXPECT_EQ(passesUntil(3), 2);
  AdvanceFakeTicks(1);
  EXPECT_EQ(passesUntil(3), 3);
}

// However small or negative the setting, the refresh waits more than one pass of 10 ms.
TEST_F(NetworkThreadTest, AnAutomaticRefreshOfZeroOrLessSecondsWaitsMoreThanTenMilliseconds) {
  for (const int seconds : {0, -1, -2147483647 - 1}) {
    SCOPED_TRACE(seconds);
    UseFakeTicks(1000000);
    SetAutoRefresh(1, seconds);
    window.Clear();
    ASSERT_TRUE(Connect());
    const auto refreshes = [&] {
      for (int pass = 0; pass < 30; ++pass) {
        NetworkThreadPass();
        SleepMs(1);
      }
      return window.Count("players");
    };
    EXPECT_EQ(refreshes(), 1) << "the connect's own list, on a stopped clock";
    AdvanceFakeTicks(10);
    EXPECT_EQ(refreshes(), 1);
    AdvanceFakeTicks(1);
    EXPECT_EQ(refreshes(), 2);
    ResetAfterDisconnect(0);
  }
}

// A message sent with Return, or an Add Ban confirmed, after the server stopped answering was
// meant for that server: the next server never gets it, and its own commands go through.
TEST_F(NetworkThreadTest, NothingQueuedWhileDisconnectedReachesTheNextServer) {
  rcon_test_server::RconTestServer next;
  ASSERT_TRUE(next.Start());
  CommandParameters message;
  message.BroadcastText = u"hello";
  CommandParameters ban;
  ban.BanTarget = u"0123456789abcdef0123456789abcdef";
  ban.BanMinutes = 60;
  ban.CommandReason = u"cheat";
  const struct { CommandCode Code; CommandParameters Parameters; } queued[] = {{kCommandSayToAll, message},
                                                                               {kCommandAddBan, ban}};
  for (const auto& q : queued) {
    SCOPED_TRACE(q.Code);
    ConnectAndSettle();
    StopNetworkThread();
    ResetAfterDisconnect(0);  // what the time-out runs
    QueueCommand(q.Code, q.Parameters);
    window.Clear();
    SetServerTarget(u"127.0.0.1", next.Port(), u"secret");
    ConnectToServer(1);
    StartNetworkThread();
    ASSERT_TRUE(WaitUntil([&] { return Refilled("bans") && Refilled("missions"); }, 5000));
    QueueCommand(kCommandLock);
    ASSERT_TRUE(next.WaitForCommand("#lock", 3000));
    StopNetworkThread();
    ResetAfterDisconnect(0);
    for (const std::string& command : next.Commands()) {
      EXPECT_FALSE(command.starts_with("say") || command.starts_with("addban")) << command;
    }
    EXPECT_THAT(window.Log(), Not(Contains("[GUID/IP has been banned.]")));
  }
}

// Not connected, before any connect and after a reset alike: the wait for players returns at once, sends nothing and
// leaves no request behind whose time-out would later report a server that is not responding.
TEST_F(NetworkThreadTest, WaitingForPlayersWhileNotConnectedReturnsAtOnceAndLeavesNoRequest) {
  UseFakeTicks(1000000);
  for (const bool connectedBefore : {false, true}) {
    SCOPED_TRACE(connectedBefore);
    if (connectedBefore) {
      ConnectAndSettle();
      StopNetworkThread();
      ResetAfterDisconnect(0);
    }
    window.Clear();
    const std::size_t commands = server.Commands().size();
    RefreshPlayersAndWait();
    EXPECT_EQ(PendingCount(), 0u);
    AdvanceFakeTicks(kReplyTimeoutMs + 1);
    NetworkThreadPass();
    EXPECT_TRUE(window.Log().empty());
    EXPECT_EQ(window.Count("reset"), 0);
    EXPECT_EQ(server.Commands().size(), commands);
  }
}

// Like the real window: a log line from another thread waits (at most 5 s) until the GUI thread takes it.
class GuiThreadWindow : public RecordingWindow {
 public:
  void AddLogLine(TextView text) override {
    if (std::this_thread::get_id() != gui_) {
      handed_ = true;
      if (!WaitUntil([&] { return !handed_.load(); }, 5000)) TimedOut = true;
    }
    RecordingWindow::AddLogLine(text);
  }
  void Serve() { handed_ = false; }
  bool Handed() const { return handed_.load(); }
  std::atomic<bool> TimedOut{false};

 private:
  const std::thread::id gui_ = std::this_thread::get_id();
  std::atomic<bool> handed_{false};
};

GuiThreadWindow* g_guiWindow = nullptr;
void ServeGuiWindow() { g_guiWindow->Serve(); }

// The thread hands log lines over while holding the lock and refreshes nearly every pass; the GUI waits for players.
TEST_F(NetworkThreadTest, TheGuiThreadPumpsForFreshPlayersWhileTheThreadHandsItLogLines) {
  StartNetworkThread();
  StopNetworkThread();
  StopNetworkThread();  // not running: nothing happens
  GuiThreadWindow gui;
  g_guiWindow = &gui;
  SetRconWindow(&gui);
  SetRconWaitHook(ServeGuiWindow);
  SetAutoRefresh(1, 0);
  ASSERT_TRUE(Connect());
  StartNetworkThread();
  StartNetworkThread();  // already running: nothing happens
  ASSERT_TRUE(WaitUntil([&] { return gui.Handed(); })) << "the thread holds the lock and waits for us";
  for (int i = 0; i < 20; ++i) {
    RefreshPlayersAndWait();
    RconLockGuard guard;
    ASSERT_TRUE(Rcon.PlayersReceived);
    ASSERT_EQ(Rcon.PlayerRecords.size(), 5u);
  }
  ASSERT_TRUE(WaitUntil([&] { gui.Serve(); return gui.Count("log") >= 5; }, 5000));
  StopNetworkThread();
  SetRconWindow(&window);
  EXPECT_FALSE(gui.TimedOut);
  EXPECT_EQ(gui.Count("error"), 0);
  EXPECT_THAT(gui.Log(), Contains("[Received ban list.]"));
  QueueCommand(kCommandLock);
  SleepMs(50);
  EXPECT_EQ(PeekPendingCommand(), kCommandLock) << "nobody pumps after the stop";
}

// Silence is noticed after 10 s by the GUI's wait for players, the thread, or either when both run; the
// 10 s pass on the fake clock, moved on 50 ms about every millisecond by a helper thread.
TEST_F(NetworkThreadTest, ASilentServerIsNoticedAfterTenSeconds) {
  const struct { bool Thread; std::function<void()> Wait; } cases[] = {
      {false, [] { RefreshPlayersAndWait(); }},
      {true, [&] { ASSERT_TRUE(WaitUntil([&] { return window.Count("reset") == 1; }, 5000)); }},
      {true, [] { RefreshPlayersAndWait(); }},
  };
  UseFakeTicks(5000000);
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    server.SetSilent(false);
    window.Clear();
    ConnectAndSettle();
    StopNetworkThread();
    server.SetSilent(true);
    if (c.Thread) StartNetworkThread();
    QueueCommand(kCommandLock);  // for the thread to send and wait for
    std::atomic<bool> done{false};
    std::thread clock([&] {
      for (int i = 0; i < 5000 && !done.load(); ++i) {
        AdvanceFakeTicks(50);
        SleepMs(1);
      }
    });
    c.Wait();
    done = true;
    clock.join();
    StopNetworkThread();
    EXPECT_THAT(window.Log(), Contains(Utf8(kNotRespondingLine)));
    EXPECT_EQ(window.Count("reset"), 1);
    EXPECT_EQ(window.Count("error"), 0) << "a time-out is a log line, not a box";
    RconLockGuard guard;
    EXPECT_FALSE(Rcon.Connected);
    EXPECT_EQ(Rcon.ServerConnection, nullptr);
    EXPECT_TRUE(Rcon.PendingRequests.empty());
  }
}

}  // namespace
