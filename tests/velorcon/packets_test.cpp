#include "velorcon/packets.h"

#include <gtest/gtest.h>

#include <functional>

#include "rcon_fixture.h"

namespace {

using rcon_test_server::Datagram;
using rcon_test_server::ReplyDatagram;  // a command has the layout of its reply

using PacketTest = HandDrivenTest;

// Expected bytes come from the test server's own builder (zlib's CRC-32). Commands carry the
// sequence and take it on; a login and an acknowledgement leave it alone.
TEST_F(PacketTest, EveryKindOfPacketByteForByte) {
  const std::string longText(3000, 'x');
  const std::string hugeText(kMaxDatagramSize + 100, 'y');
  const struct {
    int SequenceBefore;
    std::function<void()> Send;
    std::vector<std::uint8_t> Expected;
    int SequenceAfter;
  } cases[] = {
      {7, [&] { EXPECT_EQ(SendCommand(connection, u""), 7); }, ReplyDatagram(7, ""), 8},
      {255, [&] { SendCommand(connection, u"x"); }, ReplyDatagram(255, "x"), 0},
      {0, [&] { SendCommand(connection, u"say -1 Gr\u00fc\u00dfe"); }, ReplyDatagram(0, "say -1 Gr\xC3\xBC\xC3\x9F" "e"), 1},
      {4, [&] { SendLogin(connection, u""); }, Datagram(0, ""), 4},
      {0, [&] { SendLogin(connection, u"s\u00e9cret"); }, Datagram(0, "s\xE9" "cret"), 0},
      {3, [] { AcknowledgeServerMessage(0xFE); }, Datagram(2, "\xFE"), 3},
      // Kick and ban reasons go out in the ANSI code page.
      {0, [&] { SendKick(connection, 3, u"abc"); }, ReplyDatagram(0, "kick 3 abc"), 1},
      {1, [&] { SendBan(connection, 12, u"0", u"caf\u00e9 \u4e2d"); }, ReplyDatagram(1, "ban 12 0 caf\xE9 ?"), 2},
      {2, [&] { SendKick(connection, -1, u""); }, ReplyDatagram(2, "kick -1 "), 3},
      // Longer than the checksum scratch area (grown, not overrun), and beyond the largest datagram (cut).
      {0, [&] { SendCommand(connection, AsciiText(longText)); }, ReplyDatagram(0, longText), 1},
      {0, [&] { SendCommand(connection, AsciiText(hugeText)); }, ReplyDatagram(0, hugeText.substr(0, kMaxDatagramSize - 9)), 1},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    Rcon.CommandSequence = static_cast<std::uint8_t>(cases[i].SequenceBefore);
    cases[i].Send();
    EXPECT_EQ(FromClient(), cases[i].Expected);
    EXPECT_EQ(Rcon.CommandSequence, cases[i].SequenceAfter);
  }
  EXPECT_EQ(server.RejectedDatagrams(), 0);
}

TEST_F(PacketTest, RemoveBanTakesASequenceNumberOfItsOwn) {
  Rcon.CommandSequence = 41;
  SendRemoveBan(connection, 5);
  EXPECT_EQ(FromClient(), ReplyDatagram(41, "removeBan 5"));
  EXPECT_EQ(SendCommand(connection, u"players"), 42);
}

}  // namespace
