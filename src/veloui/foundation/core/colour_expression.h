#pragma once
// Colour expressions as skins write them: rgb(...), rgba(...), #RRGGBB,
// getuicolour(style, colour name, mode), system colour names (COLOR_BTNFACE) and the
// named colours. Results are COLORREF or ARGB colour words; -1 means "no colour".
#include <cstdint>

#include "runtime/portable/text.h"

constexpr std::uint32_t kNoColour = 0xFFFFFFFFu;

std::uint32_t ParseColourValue(TextView text);

// One colour of a style's table in an explicit mode (see the Office and Whidbey tables);
// ARGB words of ids kept as ARGB are returned as COLORREF.
std::uint32_t EvalGetUIColour(std::uint32_t style, std::int32_t id, std::int32_t mode);

// The GetSysColor index of an upper-case system colour name (COLOR_BTNFACE), or -1.
std::int32_t SystemColourIndex(TextView upperName);

// Reads a system colour by its GetSysColor index (the system in the program, a fake in
// tests). Without a reader a system colour name yields 0.
using SystemColourReader = std::uint32_t (*)(std::int32_t index);
void SetSystemColourReader(SystemColourReader reader);
