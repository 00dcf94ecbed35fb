#pragma once
// Colour lookups by style, colour id and the current colour mode, the colour-mode word and
// the theme-colour word. The windowed half (veloui/foundation/ui_colour_mode.h) adds the
// mode switch with its window broadcast and SetUIColour with its repaint.
#include <cstdint>

#include "runtime/portable/text.h"
#include "veloui/foundation/core/ui_colour_ids.h"
#include "veloui/foundation/core/ui_colour_tables.h"

// What GetUIColour's kind asks for.
constexpr std::uint32_t kUIColourBrush = 0;
constexpr std::uint32_t kUIColourStored = 1;    // the colour word as stored (ARGB or COLORREF)
constexpr std::uint32_t kUIColourColorref = 2;  // always a COLORREF

// Office 2003 (6 or 0x1000000) and Office 2007 lookup. A negative id returns the current
// ColourScheme; an id above 56 or any other style returns 0. Kind 0 returns a solid brush
// that stays valid until a lookup of the same id yields another colour.
std::uint32_t GetUIColour(std::uint32_t style, std::int32_t id, std::uint32_t kind);
// Whidbey (style 5) lookup: the colour word for ids 0, 1, 2, 3, 4, 20, 27 and 29, a cached
// brush for every other id, the scheme for a negative id; 0 for any other style.
std::uint32_t GetModeColour(std::uint32_t style, std::int32_t id);

// The scheme of the current mode (6 blue, 7 olive, 8 silver, 9 grey).
ColourScheme CurrentColourScheme();
// silver, blue, olive or grey by the red, green and blue of a COLORREF caption colour.
ColourScheme ClassifyCaptionColour(std::uint32_t colorref);

std::int32_t GetUIColourMode();
// Mode 5: the scheme (6..9); any other mode: the scheme minus 5 (1..4).
std::int32_t GetEffectiveColourMode();
// Stores a mode of 0..9 and returns 1, or returns 0 and changes nothing.
std::int32_t StoreUIColourMode(std::int32_t mode);
// "blue", "olive", "silver", "grey", or empty for 0, 5 and any other value.
Text ColourModeWord(std::int32_t mode);

// Sets ThemeColourName from the caption colour (always "blue" from OS code 70 on).
void DetectThemeColourName(std::uint32_t colour);
Text GetThemeColourName();
// ColourModeName when it is not empty, else ThemeColourName.
Text GetColourModeName();
// Lower-cased and stripped of blanks at both ends.
void StoreColourModeName(TextView name);

// The storing half of SetUIColour: one colour into the custom family. Returns 1 when it
// stored, 0 for a mode, id or style it refuses.
std::int32_t StoreUIColour(std::uint32_t style, std::int32_t id, std::uint32_t colour, std::int32_t mode);

// How the brush cache makes and deletes solid brushes (GDI in the program, fakes in tests).
// Without them a brush lookup returns 0.
struct SolidBrushOps {
  std::uint32_t (*Create)(std::uint32_t colorref) = nullptr;
  void (*Delete)(std::uint32_t brush) = nullptr;
};
void SetSolidBrushOps(SolidBrushOps ops);
