#include "app/logic/dialog_rules.h"

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
  return static_cast<std::int32_t>(days * kMinutesPerDay);
}

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
