#pragma once
// Reading reply texts: the payload of the reply in Rcon.PacketBuffer, never past the bytes
// received, and the token and number conventions the reply parsers share.
#include <cstddef>
#include <cstdint>

#include "runtime/portable/text.h"

// The bytes from `offset` of the reply in PacketBuffer up to the first zero byte or the end
// of what was received, decoded as UTF-8 (invalid bytes become U+FFFD).
Text ReplyTextFrom(std::size_t offset);
// The payload text: from byte 9.
Text ReplyPayloadText();

// Splits off the text before the first blank; `rest` then continues at that blank with its
// leading blanks removed. Without a blank the token is empty and `rest` stays as it is.
Text SplitToken(Text& rest);
