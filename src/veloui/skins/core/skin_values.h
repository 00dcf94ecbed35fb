#pragma once
// The skin value grammar: ";"-separated declarations "name: arguments" (a bare name reads as
// "name: true"), arguments separated by "," outside quotes and brackets, and what the
// "gradient" and "font" declarations and colour arguments mean.
#include <cstdint>
#include <optional>
#include <vector>

#include "runtime/portable/text.h"
#include "veloui/foundation/core/font_steps.h"  // IsNumericString

struct SkinAttribute {
  Text Name;
  Text Value;
};

// The part before the first ";" (the whole text when that part is empty), spaces stripped.
Text CutAtSemicolon(TextView text);
// One pair per declaration, stopping at the first empty field; 1 when any pair was produced.
std::int32_t ParseSkinAttributes(TextView text, std::vector<SkinAttribute>& attributes);
// The value of the declaration `name`, or nullopt when the text has none.
std::optional<Text> FindSkinDeclaration(TextView text, TextView name);
// The arguments of a declaration, each stripped of spaces; "," inside '...', "...", (...)
// or {...} does not separate.
std::vector<Text> SplitSkinArguments(TextView arguments);
// The arguments before the first empty one.
std::int32_t CountSkinArguments(TextView arguments);

// "Explorerbar : Blue" -> "explorerbar:blue" (lower case, each side stripped of spaces).
Text NormaliseSkinComponent(TextView component);

// A colour expression with a found flag: unlike ParseColourValue's -1, opaque white
// ("rgba(255,255,255,1.0)") is a colour.
std::optional<std::uint32_t> ReadSkinColour(TextView text);
// A COLORREF (top byte 0) made opaque ARGB; ARGB words are kept.
std::uint32_t OpaqueArgb(std::uint32_t colour);

struct SkinGradientStop {
  float Position = 0;
  std::uint32_t Colour = 0;  // ARGB
};
struct SkinGradientDeclaration {
  std::uint32_t Kind = 0;  // 0 horizontal, 1 vertical, 2 rectangle, 3 ellipse
  std::uint32_t Start = 0, End = 0;  // ARGB
  std::vector<SkinGradientStop> Stops;
};
// The "gradient" declaration of a value with more than one argument and readable colours.
std::optional<SkinGradientDeclaration> ReadGradientDeclaration(TextView value);

// Style bits as the font loader takes them.
inline constexpr std::uint32_t kSkinFontUnderline = 4, kSkinFontStrike = 8, kSkinFontBold = 0x100,
                               kSkinFontItalic = 0x200;
struct SkinFontDeclaration {
  Text Face;
  std::int32_t Size = 0;
  std::uint32_t Style = 0;
};
std::optional<SkinFontDeclaration> ReadFontDeclaration(TextView value);
