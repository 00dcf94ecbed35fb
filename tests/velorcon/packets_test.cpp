#include "velorcon/packets.h"

#include <gtest/gtest.h>

#include "support/loopback_peer.h"
#include "velorcon/rcon_state.h"

namespace {

using ByteVector = std::vector<std::uint8_t>;

// A bit-at-a-time CRC-32, independent of the table-driven one under test.
std::uint32_t ReferenceCrc32(const ByteVector& bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::uint8_t b : bytes) {
    crc ^= b;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

// What a packet must be: "BE", the CRC of bytes 6.. little-endian, then bytes 6..
ByteVector Expected(const ByteVector& fromByte6) {
  const std::uint32_t crc = ReferenceCrc32(fromByte6);
  ByteVector packet = {'B', 'E', static_cast<std::uint8_t>(crc), static_cast<std::uint8_t>(crc >> 8),
                       static_cast<std::uint8_t>(crc >> 16), static_cast<std::uint8_t>(crc >> 24)};
  packet.insert(packet.end(), fromByte6.begin(), fromByte6.end());
  return packet;
}

ByteVector CommandBytes(std::uint8_t sequence, const std::string& payload) {
  ByteVector bytes = {0xFF, 0x01, sequence};
  bytes.insert(bytes.end(), payload.begin(), payload.end());
  return bytes;
}

class PacketTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetRconState();
    connection = OpenUdpConnection(u"127.0.0.1", server.Port());
    ASSERT_NE(connection, nullptr);
    Rcon.ServerConnection = connection;
  }
  void TearDown() override { ResetRconState(); }

  LoopbackPeer server;
  UdpConnection* connection = nullptr;
};

TEST(PacketChecksum, IsTheStandardCrc32) {
  const std::string check = "123456789";
  EXPECT_EQ(PacketChecksum(reinterpret_cast<const std::uint8_t*>(check.data()), check.size()),
            0xCBF43926u);
}

TEST_F(PacketTest, EmptyCommandIsNineBytesAndAdvancesTheSequence) {
  Rcon.CommandSequence = 7;
  EXPECT_EQ(SendCommand(connection, u""), 7);
  EXPECT_EQ(server.Receive(), Expected({0xFF, 0x01, 7}));
  EXPECT_EQ(Rcon.CommandSequence, 8);
}

TEST_F(PacketTest, CommandPayloadIsUtf8WithoutTerminator) {
  SendCommand(connection, u"say -1 Gr\u00fc\u00dfe");
  EXPECT_EQ(server.Receive(), Expected(CommandBytes(0, "say -1 Gr\xC3\xBC\xC3\x9F" "e")));
}

TEST_F(PacketTest, LoginCarriesTheAnsiPasswordFromByteEight) {
  SendLogin(connection, u"");
  EXPECT_EQ(server.Receive(), Expected({0xFF, 0x00}));
  SendLogin(connection, u"s\u00e9cret");
  EXPECT_EQ(server.Receive(), Expected({0xFF, 0x00, 's', 0xE9, 'c', 'r', 'e', 't'}));
  EXPECT_EQ(Rcon.CommandSequence, 0) << "login does not touch the sequence";
}

TEST_F(PacketTest, AcknowledgementEchoesTheServerSequence) {
  Rcon.CommandSequence = 3;
  AcknowledgeServerMessage(0xFE);
  EXPECT_EQ(server.Receive(), Expected({0xFF, 0x02, 0xFE}));
  EXPECT_EQ(Rcon.CommandSequence, 3);
}

TEST_F(PacketTest, KickAndBanAreAnsiSignedAndAdvance) {
  SendKick(connection, 3, u"abc");
  const ByteVector kick = server.Receive();
  EXPECT_EQ(kick.size(), 19u);
  EXPECT_EQ(kick, Expected(CommandBytes(0, "kick 3 abc")));

  SendBan(connection, 12, u"0", u"caf\u00e9 \u4e2d");
  EXPECT_EQ(server.Receive(), Expected(CommandBytes(1, "ban 12 0 caf\xE9 ?")));
  EXPECT_EQ(Rcon.CommandSequence, 2);
  SendKick(connection, -1, u"");
  EXPECT_EQ(server.Receive(), Expected(CommandBytes(2, "kick -1 ")));
}

TEST_F(PacketTest, RemoveBanTakesASequenceNumberOfItsOwn) {
  Rcon.CommandSequence = 41;
  SendRemoveBan(connection, 5);
  EXPECT_EQ(server.Receive(), Expected(CommandBytes(41, "removeBan 5")));
  EXPECT_EQ(SendCommand(connection, u"players"), 42);
}

TEST_F(PacketTest, SequenceWrapsAfter256Commands) {
  Rcon.CommandSequence = 200;
  for (int i = 0; i < 256; ++i) AdvanceSequence();
  EXPECT_EQ(Rcon.CommandSequence, 200);
  Rcon.CommandSequence = 255;
  EXPECT_EQ(SendCommand(connection, u"x"), 255);
  EXPECT_EQ(Rcon.CommandSequence, 0);
}

TEST_F(PacketTest, PayloadLongerThanTheScratchAreaGrowsItInsteadOfOverrunning) {
  const std::string longText(3000, 'x');
  SendCommand(connection, AsciiText(longText));
  const ByteVector packet = server.Receive();
  ASSERT_EQ(packet.size(), 9u + 3000u);
  EXPECT_EQ(packet, Expected(CommandBytes(0, longText)));
  EXPECT_GE(Rcon.ChecksumScratch.size(), 3u + 3000u + 1u);
}

TEST_F(PacketTest, PayloadBeyondTheLargestDatagramIsCutThere) {
  const std::string hugeText(kMaxDatagramSize + 100, 'y');
  SendCommand(connection, AsciiText(hugeText));
  const ByteVector packet = server.Receive();
  ASSERT_EQ(packet.size(), kMaxDatagramSize);
  EXPECT_EQ(packet, Expected(CommandBytes(0, hugeText.substr(0, kMaxDatagramSize - 9))));
}

}  // namespace
