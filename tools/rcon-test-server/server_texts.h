#pragma once
// The texts a game server answers with: player, ban and mission lists behind headings of
// 115, 86 and 20 units, and the datagrams that carry them.
#include <cstdint>
#include <string>
#include <vector>

namespace rcon_test_server {

struct FakePlayer {
  int Number = 0;
  std::string Address;  // "ip:port"
  int Ping = 0;
  std::string Guid;     // 32 hexadecimal digits
  std::string Status;   // shown in parentheses right after the GUID
  std::string Name;     // UTF-8
};

struct FakeBan {
  std::string Target;   // GUID or IP address
  int MinutesLeft = -1; // -1: permanent
  std::string Reason;
};

constexpr std::size_t kPlayersHeadingLength = 115;
constexpr std::size_t kBansHeadingLength = 86;
constexpr std::size_t kMissionsHeadingLength = 20;

std::vector<FakePlayer> MakePlayers(int count);
// Players with short addresses and names: with the terse layout a hundred fit three datagrams.
std::vector<FakePlayer> MakeTersePlayers(int count);
std::vector<FakeBan> MakeGuidBans();
std::vector<FakeBan> MakeIpBans();
std::vector<std::string> MakeMissions();

// The list texts; the players text ends with its total line, without LF. The terse layout
// (single blanks, no status) gets about a hundred players into three datagrams.
std::string PlayersText(const std::vector<FakePlayer>& players, bool terse = false);
std::string BansText(const std::vector<FakeBan>& guidBans, const std::vector<FakeBan>& ipBans);
std::string MissionsText(const std::vector<std::string>& missions);

// A datagram of the server's side: "BE", CRC-32 of bytes 6.., 0xFF, type, then `rest`.
std::vector<std::uint8_t> Datagram(std::uint8_t type, const std::string& rest);
// A command reply (type 1) carrying `sequence` and the payload.
std::vector<std::uint8_t> ReplyDatagram(std::uint8_t sequence, const std::string& payload);
// One part of a long reply: byte 9 = 0, byte 10 = count, byte 11 = index, then the payload.
std::vector<std::uint8_t> ReplyPartDatagram(std::uint8_t sequence, int count, int index,
                                            const std::string& payload);
// A server message (type 2).
std::vector<std::uint8_t> MessageDatagram(std::uint8_t sequence, const std::string& text);
// True when bytes 0-1 are "BE", byte 6 is 0xFF and the CRC matches.
bool IsSignedDatagram(const std::vector<std::uint8_t>& bytes);

}  // namespace rcon_test_server
