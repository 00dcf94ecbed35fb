#include "app/logic/dialog_rules.h"

#include <algorithm>
#include <cmath>
#include <limits>


bool CutReason(TextView text, std::size_t limit, Text& cut) {
  if (text.size() <= limit) return false;
  cut = Text(text.substr(0, limit));
  return true;
}

bool DaysTextNeedsDefault(TextView text) {
  for (const char16_t c : text) {
    if (c != u'0') return false;
  }
  return true;
}

std::int32_t BanMinutesFromDays(TextView daysText) {
  constexpr std::int64_t kLargest = std::numeric_limits<std::int32_t>::max();
  constexpr std::int64_t kMinutesPerDay = 24 * 60;
  std::size_t at = 0;
  while (at < daysText.size() && (daysText[at] == u' ' || daysText[at] == u'\t')) ++at;
  std::int64_t days = 0;
  for (; at < daysText.size() && daysText[at] >= u'0' && daysText[at] <= u'9'; ++at) {
    days = days * 10 + (daysText[at] - u'0');
    if (days * kMinutesPerDay >= kLargest) return static_cast<std::int32_t>(kLargest);
  }
  // 0 minutes is a permanent ban to the server: a text without a number (pasted "a5") or
  // a zero count as the default days, as the field itself would have shown them.
  if (days == 0) days = kDefaultBanDayCount;
  return static_cast<std::int32_t>(days * kMinutesPerDay);
}

bool HasAddBanTarget(TextView target) { return target.find_first_not_of(u' ') != TextView::npos; }

Text DonationCloseText(TickCount elapsed) {
  if (elapsed >= kDonationLockMs) return u"Close";
  const auto shown = static_cast<int>(std::lround(elapsed / 1000.0));
  return u"Close (" + DecimalText(5 - shown) + u")";
}

bool FindPlayerNumber(const std::vector<PlayerRecord>& players, TextView guid, std::int32_t& number) {
  if (guid.empty()) return false;
  for (const PlayerRecord& player : players) {
    if (player.GUID == guid) {
      number = player.Number;
      return true;
    }
  }
  return false;
}

int FindPlayerAgain(const std::vector<PlayerRecord>& players, TextView guid, std::int32_t number) {
  const auto find = [&](auto matches) {
    const auto found = std::find_if(players.begin(), players.end(), matches);
    return found == players.end() ? -1 : static_cast<int>(found - players.begin());
  };
  const int same = find([&](const PlayerRecord& p) { return p.GUID == guid && p.Number == number; });
  if (same >= 0 || guid.empty()) return same;
  return find([&](const PlayerRecord& p) { return p.GUID == guid; });
}
