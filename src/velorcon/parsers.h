#pragma once
// The reply handlers that turn the server's answers to "players", "bans" and "missions" into
// player records and list rows. They run inside a pump pass, with RconLock held, while the
// reply lies in Rcon.PacketBuffer; all return 0.
#include <cstddef>
#include <cstdint>

// Rebuilds Rcon.PlayerRecords; with a non-zero argument the players list too. Sets
// PlayersReceived.
std::int32_t ParsePlayerList(std::int32_t updateView);
std::int32_t ParseBanList(std::int32_t ignored);
std::int32_t ParseMissionList(std::int32_t ignored);
// The handler of "maxping <value>": nothing to do.
std::int32_t IgnoreReply(std::int32_t ignored);

// Units of the headings the server puts before each list.
constexpr std::size_t kPlayerHeadingLength = 115;
constexpr std::size_t kBanHeadingLength = 86;
constexpr std::size_t kMissionHeadingBytes = 20;
