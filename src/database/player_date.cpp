#include "database/player_date.h"

#include <array>

namespace {

void AppendDigits(Text& out, int value, int width) {
  Text digits = DecimalText(value < 0 ? 0 : value);
  if (digits.size() < static_cast<std::size_t>(width)) {
    out.append(static_cast<std::size_t>(width) - digits.size(), u'0');
  }
  out += digits;
}

struct MaskToken {
  TextView Token;
  int Width;
  int (*Field)(const std::tm&);
};

// Longest tokens first, so that "%yyyy" is never read as something shorter.
const std::array<MaskToken, 6> kTokens{{
    {u"%yyyy", 4, [](const std::tm& t) { return t.tm_year + 1900; }},
    {u"%mm", 2, [](const std::tm& t) { return t.tm_mon + 1; }},
    {u"%dd", 2, [](const std::tm& t) { return t.tm_mday; }},
    {u"%hh", 2, [](const std::tm& t) { return t.tm_hour; }},
    {u"%ii", 2, [](const std::tm& t) { return t.tm_min; }},
    {u"%ss", 2, [](const std::tm& t) { return t.tm_sec; }},
}};

// Expands the tokens of `mask`; other characters are copied.
Text FormatDateMask(TextView mask, const std::tm& time) {
  Text out;
  std::size_t i = 0;
  while (i < mask.size()) {
    bool expanded = false;
    for (const MaskToken& token : kTokens) {
      if (mask.substr(i, token.Token.size()) == token.Token) {
        AppendDigits(out, token.Field(time), token.Width);
        i += token.Token.size();
        expanded = true;
        break;
      }
    }
    if (!expanded) out.push_back(mask[i++]);
  }
  return out;
}

}  // namespace

Text PlayerSeenDate(const std::tm& time) { return FormatDateMask(kPlayerDateMask, time); }

Text PlayerSeenDateNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return PlayerSeenDate(local);
}
