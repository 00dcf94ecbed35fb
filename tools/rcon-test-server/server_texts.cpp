#include "server_texts.h"

#include <zlib.h>

#include <cstdio>

namespace rcon_test_server {

namespace {

std::string Heading(const std::string& lines, std::size_t length) {
  // A rule of dashes brings the heading to the length the client drops.
  return lines + std::string(length - lines.size() - 1, '-') + "\n";
}

std::string Guid(int seed) {
  char digits[33];
  std::snprintf(digits, sizeof digits, "%08x%08x%08x%08x", 0x1f3a5c7eu * static_cast<unsigned>(seed + 1),
                0x9b2d4f60u ^ static_cast<unsigned>(seed), 0x0c0ffee0u + static_cast<unsigned>(seed),
                0xdeadbe00u | static_cast<unsigned>(seed & 0xff));
  return digits;
}

std::string BanLine(std::size_t index, const FakeBan& ban) {
  const std::string left = ban.MinutesLeft < 0 ? "perm" : std::to_string(ban.MinutesLeft);
  return std::to_string(index) + "  " + ban.Target + "  " + left + "  " + ban.Reason + "\n";
}

std::uint32_t Crc(const std::vector<std::uint8_t>& bytes, std::size_t from) {
  return static_cast<std::uint32_t>(
      crc32(crc32(0L, Z_NULL, 0), bytes.data() + from, static_cast<uInt>(bytes.size() - from)));
}

}  // namespace

std::vector<FakePlayer> MakePlayers(int count) {
  static const char* const kNames[] = {"Nightingale", "J\xC3\xB6rg the Second", "Ana Sofia  ", "x",
                                       "Sergeant  Pepper"};
  std::vector<FakePlayer> players;
  for (int i = 0; i < count; ++i) {
    FakePlayer p;
    p.Number = i;
    p.Address = "127.0.0." + std::to_string(10 + i % 240) + ":2304";
    p.Ping = 20 + 7 * i;
    p.Guid = Guid(i);
    p.Status = i % 3 == 2 ? "?" : "OK";
    p.Name = kNames[i % 5];
    if (i >= 5) p.Name.append(" ").append(std::to_string(i));
    players.push_back(p);
  }
  return players;
}

std::vector<FakePlayer> MakeTersePlayers(int count) {
  std::vector<FakePlayer> players = MakePlayers(count);
  for (FakePlayer& p : players) {
    p.Address = "10.0.0.7:2304";
    char name[16];
    std::snprintf(name, sizeof name, "P%d", p.Number);
    p.Name = name;
  }
  return players;
}

std::vector<FakeBan> MakeGuidBans() {
  return {{Guid(900), -1, "Cheating/Hacking"}, {Guid(901), 90, "Abusive language"},
          {Guid(902), 10080, "Excessive teamkilling"}};
}

std::vector<FakeBan> MakeIpBans() { return {{"192.0.2.7", -1, "Ban evasion"}}; }

std::vector<std::string> MakeMissions() {
  return {"coop_harbour.island.pbo", "training_range.desert.pbo", "siege.v2.mountain.pbo"};
}

std::string PlayersText(const std::vector<FakePlayer>& players, bool terse) {
  std::string text = Heading("Players on server:\n[#] [IP Address]:[Port] [Ping] [GUID] [Name]\n",
                             kPlayersHeadingLength);
  const std::string gap = terse ? " " : "   ";
  for (const FakePlayer& p : players) {
    const std::string status = terse ? "" : "(" + p.Status + ")";
    text += std::to_string(p.Number) + gap + p.Address + gap + std::to_string(p.Ping) + gap + p.Guid + status + " " +
            p.Name + "\n";
  }
  return text + "(" + std::to_string(players.size()) + " players in total)";
}

std::string BansText(const std::vector<FakeBan>& guidBans, const std::vector<FakeBan>& ipBans) {
  std::string text = Heading("GUID Bans:\n[#] [GUID] [Minutes left] [Reason]\n", kBansHeadingLength);
  for (std::size_t i = 0; i < guidBans.size(); ++i) text += BanLine(i, guidBans[i]);
  text += "\nIP Bans:\n[#] [IP Address] [Minutes left] [Reason]\n" + std::string(48, '-') + "\n";
  for (std::size_t i = 0; i < ipBans.size(); ++i) text += BanLine(i, ipBans[i]);
  return text;
}

std::string MissionsText(const std::vector<std::string>& missions) {
  std::string text = "Missions on server:\n";
  for (std::size_t i = 0; i < missions.size(); ++i) text += (i > 0 ? "\n" : "") + missions[i];
  return text;
}

std::vector<std::uint8_t> Datagram(std::uint8_t type, const std::string& rest) {
  const std::string raw = std::string("BE\0\0\0\0\xFF", 7) + static_cast<char>(type) + rest;
  std::vector<std::uint8_t> bytes(raw.begin(), raw.end());
  const std::uint32_t crc = Crc(bytes, 6);
  for (int i = 0; i < 4; ++i) bytes[2 + i] = static_cast<std::uint8_t>(crc >> (8 * i));
  return bytes;
}

std::vector<std::uint8_t> ReplyDatagram(std::uint8_t sequence, const std::string& payload) {
  return Datagram(1, std::string(1, static_cast<char>(sequence)) + payload);
}

std::vector<std::uint8_t> ReplyPartDatagram(std::uint8_t sequence, int count, int index,
                                            const std::string& payload) {
  const std::string header = {static_cast<char>(sequence), 0, static_cast<char>(count), static_cast<char>(index)};
  return Datagram(1, header + payload);
}

std::vector<std::uint8_t> MessageDatagram(std::uint8_t sequence, const std::string& text) {
  return Datagram(2, std::string(1, static_cast<char>(sequence)) + text);
}

bool IsSignedDatagram(const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() < 8 || bytes[0] != 'B' || bytes[1] != 'E' || bytes[6] != 0xFF) return false;
  const std::uint32_t crc = Crc(bytes, 6);
  for (int i = 0; i < 4; ++i) {
    if (bytes[2 + i] != static_cast<std::uint8_t>(crc >> (8 * i))) return false;
  }
  return true;
}

}  // namespace rcon_test_server
