// Connect and login against the scripted server, without a network thread.
#include "velorcon/connect.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>

#include "rcon_fixture.h"

namespace {

using rcon_test_server::Datagram;
using rcon_test_server::ReplyDatagram;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

using ConnectTest = RconTest;

// The burst byte for byte, the window told in order, Connected set last; a second connect resets first.
TEST_F(ConnectTest, TheConnectBurstAndWhatTheWindowIsToldTwice) {
  const char* const texts[] = {"version", "maxping", "players", "missions", "writeBans", "loadBans", "bans"};
  const std::string endpoint = "127.0.0.1 : " + std::to_string(server.Port());
  const std::vector<std::string> reset = {"reset: ",   "controls disabled: 1", "title: Velo 2 DUro",
                                          "status 0: ", "status 1: ",           "status 2: "};
  for (std::size_t connect = 0; connect < 2; ++connect) {
    window.Clear();
    ASSERT_TRUE(Connect());
    ASSERT_TRUE(server.WaitForReceived(8 * (connect + 1), 2000));
    const auto received = server.Received();
    EXPECT_EQ(received[8 * connect].Bytes, Datagram(0, "secret"));
    for (std::size_t i = 0; i < 7; ++i) {
      EXPECT_EQ(received[8 * connect + i + 1].Bytes, ReplyDatagram(static_cast<std::uint8_t>(i), texts[i])) << texts[i];
    }
    std::vector<std::string> told = connect == 0 ? std::vector<std::string>{} : reset;
    told.insert(told.end(), {"log: Connected to 127.0.0.1:" + std::to_string(server.Port()),
                             "title: " + endpoint + " | Velo 2 DUro", "status 0: Host: " + endpoint,
                             "controls disabled: 0", "close: quick connected=0"});
    EXPECT_EQ(window.Events(), told);
    EXPECT_EQ(Rcon.VersionSequence, 0);
    EXPECT_EQ(Rcon.MaxPingSequence, 1);
    EXPECT_EQ(Rcon.PendingRequests.size(), 5u) << "players, missions and the three ban commands";
  }
}

// Served while the GUI thread waits for the login; the 3 s pass on the fake clock.
std::atomic<int> g_hookCalls{0};
void ServeAndMoveTheClock() { ++g_hookCalls; AdvanceFakeTicks(100); }

// Each shows only "Could not connect!".
TEST_F(ConnectTest, AWrongPasswordAnUnresolvableHostOrASilentServerCannotConnect) {
  EXPECT_FALSE(Connect("wrong"));
  EXPECT_THAT(window.Events(), ElementsAre("error: Could not connect!"));
  EXPECT_NE(Rcon.ServerConnection, nullptr) << "kept open until the next connect";
  ResetRconState();
  window.Clear();
  SetServerTarget(u"no-such-host.invalid", server.Port(), u"secret");
  ConnectToServer(1);
  EXPECT_THAT(window.Events(), ElementsAre("error: Could not connect!"));
  EXPECT_EQ(Rcon.ServerConnection, nullptr);
  window.Clear();
  server.SetSilent(true);
  UseFakeTicks(1000);
  SetRconWaitHook(ServeAndMoveTheClock);
  EXPECT_FALSE(Connect());
  EXPECT_GT(g_hookCalls.load(), 0) << "the GUI is served while waiting for the login";
  EXPECT_THAT(window.Events(), ElementsAre("error: Could not connect!"));
  ASSERT_TRUE(server.WaitForReceived(2, 2000));
  EXPECT_EQ(server.Received().size(), 2u) << "the two logins only";
}

TEST_F(ConnectTest, APortOutside1To65535IsRefusedInsteadOfWrappingToAnother) {
  const int port = server.Port();
  for (const int outside : {port + 65536, port - 65536, 0, 65536, -1}) {
    window.Clear();
    SetServerTarget(u"127.0.0.1", outside, u"secret");
    ConnectToServer(1);
    EXPECT_THAT(window.Events(), ElementsAre("error: Could not connect!")) << outside;
  }
  EXPECT_THAT(server.Received(), IsEmpty());
}

}  // namespace
