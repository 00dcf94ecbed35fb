// The client against a server that misbehaves on purpose: long answers in scrambled part
// order, every answer sent twice, a datagram longer than the client's buffer.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "server_fixture.h"
#include "velorcon/mailbox.h"
#include "velorcon/network_thread.h"

namespace {

constexpr int kPlayers = 30;
constexpr std::size_t kPartBytes = 400;

rcon_test_server::ServerOptions SmallParts() {
  rcon_test_server::ServerOptions options;
  options.Players = kPlayers;
  options.PartPayloadBytes = kPartBytes;
  return options;
}

class ScriptedServerTest : public ServerTest {
 protected:
  ScriptedServerTest() : ServerTest(SmallParts()) {}

  static int PlayerListParts() {
    const std::size_t size = rcon_test_server::PlayersText(rcon_test_server::MakePlayers(kPlayers)).size();
    return static_cast<int>((size + kPartBytes - 1) / kPartBytes);
  }
  void ConnectAndWaitForPlayers() {
    ASSERT_TRUE(Connect());
    StartNetworkThread();
    ASSERT_TRUE(WaitUntil([&] { return window.Count("players") >= 1; }, 5000));
  }
  int LogCount(const std::string& line) {
    const auto log = window.Log();
    return static_cast<int>(std::count(log.begin(), log.end(), line));
  }
};

TEST_F(ScriptedServerTest, ALongPlayerListInReverseOrderArrivesWhole) {
  std::vector<int> order;
  for (int i = PlayerListParts() - 1; i >= 0; --i) order.push_back(i);
  ASSERT_GE(order.size(), 5u);
  server.SetPartOrder(order);
  ConnectAndWaitForPlayers();
  const auto players = window.LastPlayers();
  ASSERT_EQ(players.size(), static_cast<std::size_t>(kPlayers));
  EXPECT_EQ(Utf8(players.back().GUID), server.Players().back().Guid);
}

TEST_F(ScriptedServerTest, EveryAnswerTwiceIsStillLoggedOnce) {
  server.SetRepeat(2);
  ConnectAndWaitForPlayers();
  QueueCommand(kCommandLock);
  ASSERT_TRUE(WaitUntil([&] { return LogCount("[The server has been locked.]") == 1; }, 3000));
  QueueCommand(kCommandUnlock);
  // Answers come in order: once the unlock is logged, both lock answers were taken in.
  ASSERT_TRUE(WaitUntil([&] { return LogCount("[The server has been unlocked.]") == 1; }, 3000));
  SleepMs(50);
  EXPECT_EQ(LogCount("[The server has been locked.]"), 1);
  EXPECT_EQ(LogCount("[The server has been unlocked.]"), 1);
  EXPECT_EQ(LogCount("Version: 2.14.0"), 1);
  EXPECT_EQ(LogCount("MaxPing: 250"), 1);
}

TEST_F(ScriptedServerTest, ADatagramLongerThanTheBufferIsSurvived) {
  ConnectAndWaitForPlayers();
  ASSERT_TRUE(server.SendRaw(rcon_test_server::MessageDatagram(9, std::string(3000, 'L'))));
  QueueCommand(kCommandLock);
  ASSERT_TRUE(WaitUntil([&] { return LogCount("[The server has been locked.]") == 1; }, 3000));
  for (const std::string& line : window.Log()) EXPECT_LE(line.size(), 2100u);
}

}  // namespace
