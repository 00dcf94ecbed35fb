#include "network/udp_connection.h"

#include <gtest/gtest.h>

#include "rcon_test_server.h"
#include "support/wait.h"

namespace {

// A silent test server plays the server; a second one, greeted directly by the client's socket, a stranger.
class UdpConnectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (auto* s : {&server, &stranger}) {
      ASSERT_TRUE(s->Start());
      s->SetSilent(true);
    }
    connection = OpenUdpConnection(u"127.0.0.1", server.Port());
    ASSERT_NE(connection, nullptr);
    // The server learns the client's port from one signed datagram.
    EXPECT_EQ(SendDatagram(connection, hello.data(), hello.size()), static_cast<int>(hello.size()));
    ASSERT_TRUE(server.WaitForReceived(1, 2000));
  }
  void TearDown() override { CloseUdpConnection(connection); }

  int PollUntilReadable() {
    return WaitUntil([&] { RearmPoll(connection); return PollReadable(connection) == 1; }) ? 1 : 0;
  }

  const std::vector<std::uint8_t> hello = rcon_test_server::Datagram(0, "");
  rcon_test_server::RconTestServer server, stranger;
  UdpConnection* connection = nullptr;
};

TEST(UdpConnectionOpen, AnUnresolvableHostGivesNoConnectionANamedOneItsAddress) {
  StartNetworkLibrary();
  EXPECT_EQ(OpenUdpConnection(u"", 2302), nullptr);
  UdpConnection* connection = OpenUdpConnection(u"localhost", 2302);
  ASSERT_NE(connection, nullptr);
  EXPECT_EQ(connection->ServerAddress, (Ipv4Endpoint{LoopbackAddress(), 2302}));
  EXPECT_EQ(connection->PollSet.Count, 1);
  CloseUdpConnection(connection);
}

TEST_F(UdpConnectionTest, AnEmptyPollEmptiesTheSetUntilRearmed) {
  EXPECT_EQ(PollReadable(connection), 0);
  EXPECT_EQ(connection->PollSet.Count, 0);
  ASSERT_TRUE(server.SendRaw({'B', 'E'}));
  SleepMs(50);
  EXPECT_EQ(PollReadable(connection), 0) << "the datagram is there, but the emptied set cannot see it";
  EXPECT_EQ(PollUntilReadable(), 1);
  EXPECT_EQ(connection->PollSet.Count, 1) << "a successful poll keeps the socket in the set";
}

// Nobody else on the network can inject replies.
TEST_F(UdpConnectionTest, ADatagramFromAStrangerIsForeignAndZeroed) {
  SendToSocket(connection->Socket, hello.data(), hello.size(), {LoopbackAddress(), stranger.Port()});
  ASSERT_TRUE(stranger.WaitForReceived(1, 2000));
  ASSERT_TRUE(stranger.SendRaw({'B', 'E', 1, 2, 'i', 'n', 'j'}));
  std::uint8_t buffer[64] = {};
  ASSERT_EQ(PollUntilReadable(), 1);
  EXPECT_EQ(ReceiveDatagram(connection, buffer, sizeof buffer), -1);
  for (std::uint8_t b : buffer) ASSERT_EQ(b, 0);
  ASSERT_TRUE(server.SendRaw({'B', 'E'}));
  ASSERT_EQ(PollUntilReadable(), 1);
  EXPECT_EQ(ReceiveDatagram(connection, buffer, sizeof buffer), 2) << "the server itself still gets through";
}

}  // namespace
