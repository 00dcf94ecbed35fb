#include "runtime/portable/date_mask.h"

#include <algorithm>
#include <ctime>

namespace {

// About 10 000 years either way: far beyond any ban, well inside what time_t holds.
constexpr std::int64_t kMaxOffsetMinutes = 10000LL * 366 * 24 * 60;

LocalDateTime FromTimeT(std::time_t moment) {
  std::tm parts{};
#ifdef _WIN32
  if (localtime_s(&parts, &moment) != 0) return {};
#else
  if (localtime_r(&moment, &parts) == nullptr) return {};
#endif
  return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec};
}

void AppendPadded(Text& out, int value, std::size_t width) {
  Text digits = DecimalText(value);
  if (digits.size() < width) digits.insert(0, width - digits.size(), u'0');
  out += digits;
}

struct Token {
  std::u16string_view Mask;
  int LocalDateTime::*Field;
  std::size_t Width;
};

constexpr Token kTokens[] = {
    {u"%yyyy", &LocalDateTime::Year, 4},  {u"%mm", &LocalDateTime::Month, 2},
    {u"%dd", &LocalDateTime::Day, 2},     {u"%hh", &LocalDateTime::Hour, 2},
    {u"%ii", &LocalDateTime::Minute, 2},  {u"%ss", &LocalDateTime::Second, 2},
};

}  // namespace

LocalDateTime CurrentLocalDateTime() { return FromTimeT(std::time(nullptr)); }

LocalDateTime LocalDateTimeAfterMinutes(std::int64_t minutes) {
  minutes = std::clamp(minutes, -kMaxOffsetMinutes, kMaxOffsetMinutes);
  const std::int64_t now = static_cast<std::int64_t>(std::time(nullptr));
  std::int64_t moment = now + minutes * 60;
  // Stay where every platform's calendar functions answer: a 32-bit time_t ends in 2038,
  // Windows' local time ends with the year 3000.
  constexpr std::int64_t kLatest = sizeof(std::time_t) < 8 ? 0x7FFFFFFFLL : 32503679999LL;
  moment = std::clamp<std::int64_t>(moment, 0, kLatest);
  return FromTimeT(static_cast<std::time_t>(moment));
}

Text FormatDateMask(TextView mask, const LocalDateTime& when) {
  Text out;
  std::size_t i = 0;
  while (i < mask.size()) {
    const Token* match = nullptr;
    for (const Token& token : kTokens) {
      if (mask.substr(i, token.Mask.size()) == token.Mask) {
        match = &token;
        break;
      }
    }
    if (match != nullptr) {
      AppendPadded(out, when.*(match->Field), match->Width);
      i += match->Mask.size();
    } else {
      out.push_back(mask[i++]);
    }
  }
  return out;
}
