#include "network/udp_connection.h"

#include <gtest/gtest.h>

#include "support/loopback_peer.h"

namespace {

class UdpConnectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(server.Port(), 0);
    connection = OpenUdpConnection(u"127.0.0.1", server.Port());
    ASSERT_NE(connection, nullptr);
  }
  void TearDown() override { CloseUdpConnection(connection); }

  // Sends one datagram so that the server learns the client's port.
  Ipv4Endpoint Introduce() {
    const std::uint8_t hello[] = {'h', 'i'};
    EXPECT_EQ(SendDatagram(connection, hello, sizeof hello), 2);
    EXPECT_EQ(server.Receive(), Bytes("hi"));
    return server.LastSender();
  }

  int PollUntilReadable() {
    int result = 0;
    WaitUntil([&] {
      RearmPoll(connection);
      result = PollReadable(connection);
      return result == 1;
    });
    return result;
  }

  LoopbackPeer server;
  UdpConnection* connection = nullptr;
};

TEST(UdpConnectionOpen, UnresolvableHostGivesNoConnection) {
  StartNetworkLibrary();
  EXPECT_EQ(OpenUdpConnection(u"", 2302), nullptr);
}

TEST(UdpConnectionOpen, NamedHostResolvesToItsAddress) {
  StartNetworkLibrary();
  UdpConnection* connection = OpenUdpConnection(u"localhost", 2302);
  ASSERT_NE(connection, nullptr);
  EXPECT_EQ(connection->ServerAddress.address, LoopbackAddress());
  EXPECT_EQ(connection->ServerAddress.port, 2302);
  EXPECT_EQ(connection->PollSet.Count, 1);
  CloseUdpConnection(connection);
}

TEST_F(UdpConnectionTest, EmptyPollEmptiesTheSetUntilRearmed) {
  EXPECT_EQ(PollReadable(connection), 0);
  EXPECT_EQ(connection->PollSet.Count, 0);

  const Ipv4Endpoint client = Introduce();
  server.SendTo(client, Bytes("BE"));
  SleepMs(50);
  // The datagram is there, but the emptied set cannot see it.
  EXPECT_EQ(PollReadable(connection), 0);
  EXPECT_EQ(PollUntilReadable(), 1);
  // A successful poll keeps the socket in the set.
  EXPECT_EQ(connection->PollSet.Count, 1);
}

TEST_F(UdpConnectionTest, TwoDatagramsAreTakenOneAtATime) {
  const Ipv4Endpoint client = Introduce();
  server.SendTo(client, Bytes("first"));
  server.SendTo(client, Bytes("second!"));

  std::uint8_t buffer[2048] = {};
  ASSERT_EQ(PollUntilReadable(), 1);
  ASSERT_EQ(ReceiveDatagram(connection, buffer, sizeof buffer), 5);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 5), "first");
  ASSERT_EQ(PollUntilReadable(), 1);
  ASSERT_EQ(ReceiveDatagram(connection, buffer, sizeof buffer), 7);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 7), "second!");
  RearmPoll(connection);
  EXPECT_EQ(PollReadable(connection), 0);
}

TEST_F(UdpConnectionTest, DatagramFromAnotherPortIsForeignAndZeroed) {
  const Ipv4Endpoint client = Introduce();
  LoopbackPeer stranger;
  stranger.SendTo(client, Bytes("BE\x01\x02injected"));

  std::uint8_t buffer[64] = {};
  ASSERT_EQ(PollUntilReadable(), 1);
  EXPECT_EQ(ReceiveDatagram(connection, buffer, sizeof buffer), -1);
  for (std::uint8_t b : buffer) ASSERT_EQ(b, 0);

  // The server itself still gets through.
  server.SendTo(client, Bytes("BE"));
  ASSERT_EQ(PollUntilReadable(), 1);
  EXPECT_EQ(ReceiveDatagram(connection, buffer, sizeof buffer), 2);
}

}  // namespace
