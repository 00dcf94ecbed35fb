#include "velorcon/packets.h"

#include <zlib.h>

#include <cstring>
#include <optional>
#include <string>

#include "velorcon/pending.h"
#include "velorcon/rcon_state.h"

namespace {

constexpr std::size_t kHeaderBeforeType = 6;  // "BE" and the checksum

// Builds one packet in PacketBuffer and returns its length. Bytes 6 onward, with one
// terminating zero after the payload, go to ChecksumScratch first and the CRC covers them.
// Both buffers grow to fit a long payload instead of being overrun; a payload longer than a
// UDP datagram can carry is cut there (no text of this program comes near that).
std::size_t BuildPacket(PacketType type, std::optional<std::uint8_t> sequence, std::string_view payload) {
  const std::size_t headerBytes = sequence ? 3 : 2;
  const std::size_t maxPayload = kMaxDatagramSize - kHeaderBeforeType - headerBytes;
  if (payload.size() > maxPayload) payload = payload.substr(0, maxPayload);

  const std::size_t counted = headerBytes + payload.size();
  auto& scratch = Rcon.ChecksumScratch;
  if (scratch.size() < counted + 1) scratch.resize(counted + 1, 0);
  scratch[0] = 0xFF;
  scratch[1] = type;
  if (sequence) scratch[2] = *sequence;
  if (!payload.empty()) std::memcpy(scratch.data() + headerBytes, payload.data(), payload.size());
  scratch[counted] = 0;
  const std::uint32_t crc = PacketChecksum(scratch.data(), counted);

  const std::size_t total = kHeaderBeforeType + counted;
  auto& packet = Rcon.PacketBuffer;
  if (packet.size() < total) packet.resize(total, 0);
  WritePacketSignature();
  for (int i = 0; i < 4; ++i) packet[2 + i] = static_cast<std::uint8_t>(crc >> (8 * i));
  std::memcpy(packet.data() + kHeaderBeforeType, scratch.data(), counted);
  return total;
}

void SendBuilt(UdpConnection* connection, std::size_t length) {
  // A lost datagram shows only as a missing reply, which the pending time-out catches.
  SendDatagram(connection, Rcon.PacketBuffer.data(), length);
}

// Sends an ANSI command with the current sequence; the caller decides on advancing.
void SendAnsiCommand(UdpConnection* connection, const Text& text) {
  SendBuilt(connection, BuildPacket(kPacketCommand, Rcon.CommandSequence, TextToAnsi(text)));
}

}  // namespace

std::uint32_t PacketChecksum(const std::uint8_t* bytes, std::size_t length) {
  return static_cast<std::uint32_t>(crc32(crc32(0L, Z_NULL, 0), bytes, static_cast<uInt>(length)));
}

void WritePacketSignature() {
  Rcon.PacketBuffer[0] = 'B';
  Rcon.PacketBuffer[1] = 'E';
}

void AdvanceSequence() {
  Rcon.CommandSequence = static_cast<std::uint8_t>(Rcon.CommandSequence + 1);
}

void SendLogin(UdpConnection* connection, TextView password) {
  SendBuilt(connection, BuildPacket(kPacketLogin, std::nullopt, TextToAnsi(password)));
}

std::uint8_t SendCommand(UdpConnection* connection, TextView text) {
  const std::uint8_t sequence = Rcon.CommandSequence;
  SendBuilt(connection, BuildPacket(kPacketCommand, sequence, TextToUtf8(text)));
  AdvanceSequence();
  return sequence;
}

void SendKeepAlive(UdpConnection* connection) {
  const std::uint8_t sequence = SendCommand(connection, u"");
  AddPendingRequest(sequence, nullptr, 0, u"");
}

void AcknowledgeServerMessage(std::uint8_t sequence) {
  SendBuilt(Rcon.ServerConnection, BuildPacket(kPacketServerMessage, sequence, {}));
}

void SendKick(UdpConnection* connection, int playerNumber, TextView reason) {
  SendAnsiCommand(connection, u"kick " + DecimalText(playerNumber) + u" " + Text(reason));
  AdvanceSequence();
}

void SendBan(UdpConnection* connection, int playerNumber, TextView minutes, TextView reason) {
  SendAnsiCommand(connection,
                  u"ban " + DecimalText(playerNumber) + u" " + Text(minutes) + u" " + Text(reason));
  AdvanceSequence();
}

void SendRemoveBan(UdpConnection* connection, int banNumber) {
  SendAnsiCommand(connection, u"removeBan " + DecimalText(banNumber));
  // The server answers it with its sequence: shared with the next command, that command's
  // entry would take this empty answer and drop its own.
  AdvanceSequence();
}
