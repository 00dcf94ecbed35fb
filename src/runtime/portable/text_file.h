#pragma once
// The text of a file as the editors of Windows write one: with the byte-order mark of UTF-8
// or UTF-16, unmarked UTF-8, or unmarked in the system's ANSI code page.
#include <cstdint>
#include <string_view>

#include "runtime/portable/text.h"

// A mark decides; an unmarked file that is valid UTF-8 is UTF-8, any other is in
// `ansiCodePage`. False when the bytes are not valid in the encoding chosen: `text` is then
// the best reading there is, and the file must not be written back from it.
bool DecodeTextFile(std::string_view bytes, std::uint32_t ansiCodePage, Text& text);
