#pragma once
// The rules behind the dialogs' fields and actions, kept apart from the windows: reason
// lengths, the days field, days turned into ban minutes, the donation countdown, finding a
// player's current number by GUID.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "runtime/portable/text.h"
#include "runtime/portable/ticks.h"
#include "velorcon/rcon_records.h"

inline constexpr std::size_t kKickBanReasonLimit = 32;
inline constexpr std::size_t kAddBanReasonLimit = 22;
inline constexpr char16_t kDefaultBanDays[] = u"7";
inline constexpr std::int64_t kDefaultBanDayCount = 7;
// The stock reasons of every reason combo, in their order.
inline constexpr const char16_t* kStockReasons[] = {u"Abusive language", u"Excessive teamkilling",
                                                    u"Cheating/Hacking"};

// True, with the first `limit` characters in `cut`, when the text is longer than `limit`.
bool CutReason(TextView text, std::size_t limit, Text& cut);
// An empty days text, or one of only "0" characters, is replaced by the default.
bool DaysTextNeedsDefault(TextView text);
// Days times 24 x 60, never past the largest 32-bit value: however many days are typed, the
// ban never wraps round to 0, which the server takes for permanent. A text that starts with
// no number, or with 0, counts as the default 7 days.
std::int32_t BanMinutesFromDays(TextView daysText);

// An add-ban target is anything but an empty or blank text.
bool HasAddBanTarget(TextView target);

inline constexpr TickCount kDonationLockMs = 5000;
// What the donation window's close button reads `elapsed` ms after it opened: "Close (5)"
// counting down by whole seconds (rounded to the nearest), then "Close".
Text DonationCloseText(TickCount elapsed);

// The number of the first player whose GUID is exactly `guid`. An empty GUID (no row was
// selected, or the list was emptied meanwhile) names nobody.
bool FindPlayerNumber(const std::vector<PlayerRecord>& players, TextView guid, std::int32_t& number);
// The index of the selected player among fresh `players`: the one with the same GUID and
// number, else (the server renumbered) the first with the same non-empty GUID; -1 when gone.
int FindPlayerAgain(const std::vector<PlayerRecord>& players, TextView guid, std::int32_t number);
