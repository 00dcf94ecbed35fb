// Connect and login against the scripted server, without a network thread.
#include "velorcon/connect.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>

#include "server_fixture.h"
#include "velorcon/disconnect.h"

namespace {

using rcon_test_server::Datagram;
using rcon_test_server::ReplyDatagram;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

using ConnectTest = ServerTest;

std::string Port(const rcon_test_server::RconTestServer& server) { return std::to_string(server.Port()); }

TEST_F(ConnectTest, TheConnectBurstGoesOutByteForByte) {
  ASSERT_TRUE(Connect());
  ASSERT_TRUE(server.WaitForReceived(8, 2000));
  const auto received = server.Received();
  EXPECT_EQ(received[0].Bytes, Datagram(0, "secret"));
  const char* const texts[] = {"version", "maxping", "players", "missions", "writeBans", "loadBans", "bans"};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(received[i + 1].Bytes, ReplyDatagram(static_cast<std::uint8_t>(i), texts[i])) << texts[i];
  }
  EXPECT_EQ(server.RejectedDatagrams(), 0);
}

TEST_F(ConnectTest, TheWindowIsToldInOrderAndConnectedIsSetLast) {
  ASSERT_TRUE(Connect());
  const std::string endpoint = "127.0.0.1 : " + Port(server);
  EXPECT_THAT(window.Events(),
              ElementsAre("log: Connected to 127.0.0.1:" + Port(server), "title: " + endpoint + " | Velo 2 DUro",
                          "status 0: Host: " + endpoint, "controls disabled: 0",
                          "close connect window: quick connected=0"));
  RconLockGuard guard;
  EXPECT_EQ(Rcon.CommandSequence, 7);
  EXPECT_EQ(Rcon.VersionSequence, 0);
  EXPECT_EQ(Rcon.MaxPingSequence, 1);
  EXPECT_EQ(Rcon.PendingRequests.size(), 5u) << "players, missions and the three ban commands";
}

TEST_F(ConnectTest, AWrongPasswordCannotConnectAndLogsNothing) {
  EXPECT_FALSE(Connect("wrong"));
  EXPECT_THAT(window.Events(), ElementsAre("error: Error|Could not connect!"));
  ASSERT_TRUE(server.WaitForReceived(1, 2000));
  EXPECT_EQ(server.Received().size(), 1u) << "nothing after the refused login";
  RconLockGuard guard;
  EXPECT_NE(Rcon.ServerConnection, nullptr) << "kept open until the next connect";
}

TEST_F(ConnectTest, AnUnresolvableHostCannotConnect) {
  SetServerTarget(u"no-such-host.invalid", server.Port(), u"secret");
  ConnectToServer(1);
  EXPECT_THAT(window.Events(), ElementsAre("error: Error|Could not connect!"));
  EXPECT_THAT(server.Received(), IsEmpty());
  RconLockGuard guard;
  EXPECT_EQ(Rcon.ServerConnection, nullptr);
}

TEST_F(ConnectTest, APortOutside1To65535IsRefusedInsteadOfWrappingToAnother) {
  const int port = server.Port();
  for (const int outside : {port + 65536, port - 65536, 0, 65536, -1}) {
    window.Clear();
    SetServerTarget(u"127.0.0.1", outside, u"secret");
    ConnectToServer(1);
    EXPECT_THAT(window.Events(), ElementsAre("error: Error|Could not connect!")) << outside;
  }
  EXPECT_THAT(server.Received(), IsEmpty());
}

std::atomic<int> g_hookCalls{0};
void CountHookCall() { ++g_hookCalls; }

TEST_F(ConnectTest, ASilentServerCannotConnectAndTheGuiIsServedWhileWaiting) {
  server.SetSilent(true);
  g_hookCalls = 0;
  SetRconWaitHook(CountHookCall);
  EXPECT_FALSE(Connect());
  SetRconWaitHook(nullptr);
  EXPECT_THAT(window.Events(), ElementsAre("error: Error|Could not connect!"));
  EXPECT_GT(g_hookCalls.load(), 0);
}

TEST_F(ConnectTest, AConnectWhileConnectedResetsFirst) {
  ASSERT_TRUE(Connect());
  window.Clear();
  ASSERT_TRUE(Connect());
  const auto events = window.Events();
  ASSERT_GE(events.size(), 7u);
  EXPECT_THAT(std::vector<std::string>(events.begin(), events.begin() + 6),
              ElementsAre("reset: ", "controls disabled: 1", "title: Velo 2 DUro", "status 0: ", "status 1: ",
                          "status 2: "));
  EXPECT_EQ(events[6], "log: Connected to 127.0.0.1:" + Port(server));
  ASSERT_TRUE(server.WaitForReceived(16, 2000));
  EXPECT_EQ(server.Received()[8].Bytes, Datagram(0, "secret")) << "the second login";
  EXPECT_EQ(server.Received()[9].Bytes, ReplyDatagram(0, "version")) << "the sequence starts again";
}

}  // namespace
