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

