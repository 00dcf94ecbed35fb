#include "velorcon/reply_text.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string_view>

#include "velorcon/rcon_state.h"

Text ReplyTextFrom(std::size_t offset) {
  const std::size_t end = std::min(Rcon.ReplyLength, Rcon.PacketBuffer.size());
  if (offset >= end) return {};
  const auto* start = reinterpret_cast<const char*>(Rcon.PacketBuffer.data() + offset);
  const std::size_t available = end - offset;
  const void* zero = std::memchr(start, 0, available);
  const std::size_t length = zero != nullptr ? static_cast<const char*>(zero) - start : available;
  return Utf8ToText(std::string_view(start, length));
}

Text ReplyPayloadText() { return ReplyTextFrom(9); }

Text SplitToken(Text& rest) {
  const std::size_t blank = rest.find(u' ');
  if (blank == Text::npos) return {};
  Text token = rest.substr(0, blank);
  const std::size_t next = rest.find_first_not_of(u' ', blank);
  rest.erase(0, next == Text::npos ? rest.size() : next);
  return token;
}

std::int32_t IntegerValue(TextView text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = std::min<std::int64_t>(value * 10 + (text[i] - u'0'), kLimit);
  }
  if (negative) return static_cast<std::int32_t>(-value);
  return static_cast<std::int32_t>(std::min<std::int64_t>(value, kLimit - 1));
}
