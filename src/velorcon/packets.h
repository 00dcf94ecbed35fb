#pragma once
// Remote-console datagrams: "BE", CRC-32 (little-endian) of bytes 6.., 0xFF, type,
// sequence, payload. The builders write into Rcon.PacketBuffer and send at once; callers
// hold RconLock.
#include <cstdint>

#include "network/udp_connection.h"
#include "runtime/portable/text.h"

enum PacketType : std::uint8_t {
  kPacketLogin = 0,
  kPacketCommand = 1,
  kPacketServerMessage = 2,
};

// Byte offsets of the datagram layout.
constexpr std::size_t kTypeOffset = 7;
constexpr std::size_t kSequenceOffset = 8;
constexpr std::size_t kPayloadOffset = 9;
// The largest datagram UDP carries over IPv4; no packet of ours is longer.
constexpr std::size_t kMaxDatagramSize = 65507;

void WritePacketSignature();
void AdvanceSequence();
// Login with the password in the ANSI code page (8 + characters bytes).
void SendLogin(UdpConnection* connection, TextView password);
// A command in UTF-8 with the current sequence, which then advances; returns the sequence used.
std::uint8_t SendCommand(UdpConnection* connection, TextView text);
// The empty command that tells the server we are still here; advances the sequence and
// records a pending request, so that a server gone silent is noticed without user commands.
void SendKeepAlive(UdpConnection* connection);
// The 9-byte acknowledgement of a server message, on the current connection.
void AcknowledgeServerMessage(std::uint8_t sequence);
// "kick <n> <reason>", ANSI; advances the sequence; no pending request.
void SendKick(UdpConnection* connection, int playerNumber, TextView reason);
// "ban <n> <minutes> <reason>", ANSI; advances the sequence; no pending request.
void SendBan(UdpConnection* connection, int playerNumber, TextView minutes, TextView reason);
// "removeBan <n>", ANSI; advances the sequence; no pending request.
void SendRemoveBan(UdpConnection* connection, int banNumber);

// The CRC-32 (ISO-HDLC) of a byte range, from zlib.
std::uint32_t PacketChecksum(const std::uint8_t* bytes, std::size_t length);
