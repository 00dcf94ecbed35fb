#pragma once
// The escape-coded text painter's logic without a device context: option decoding, the codes
// (\b \i \u \s \n \c \l \| \\), the pen arithmetic, clipping, the measured size, link
// rectangles and the visible text. The painter itself supplies measuring, drawing, fonts and
// colours through `CodedTextCanvas`.
#include <cstdint>
#include <vector>

#include "runtime/portable/text.h"

// Options of DrawCodedText.
inline constexpr std::uint32_t kCodedTopLeft = 0x1;
inline constexpr std::uint32_t kCodedCentreAcross = 0x10;
inline constexpr std::uint32_t kCodedCentreDown = 0x20;
inline constexpr std::uint32_t kCodedIgnoreColours = 0x100;
inline constexpr std::uint32_t kCodedMeasureOnly = 0x400;
inline constexpr std::uint32_t kCodedPathEllipsis = 0x4000;
inline constexpr std::uint32_t kCodedEndEllipsis = 0x8000;
inline constexpr std::uint32_t kCodedRecordLinks = 0x100000;
inline constexpr std::uint32_t kCodedNoCodes = 0x200000;
inline constexpr std::uint32_t kCodedVisibleText = 0x800000;

// Text-drawing format bits, with the values the system's text drawing takes.
inline constexpr std::uint32_t kFormatCentre = 0x1;
inline constexpr std::uint32_t kFormatVCentre = 0x4;
inline constexpr std::uint32_t kFormatSingleLine = 0x20;
inline constexpr std::uint32_t kFormatExpandTabs = 0x40;
inline constexpr std::uint32_t kFormatNoClip = 0x100;
inline constexpr std::uint32_t kFormatCalcRect = 0x400;
inline constexpr std::uint32_t kFormatPathEllipsis = 0x4000;
inline constexpr std::uint32_t kFormatEndEllipsis = 0x8000;

struct TextBox {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
};

struct TextExtent {
  int Width = 0;
  int Height = 0;
};

// One clickable range of a text control, in the drawing rectangle's device coordinates.
struct TextLinkRecord {
  std::int32_t LinkNumber = 0;
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;
};

// The attributes the font codes toggle; they start from the starting font's metrics.
struct CodedFontStyle {
  int Weight = 400;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  bool operator==(const CodedFontStyle&) const = default;
};

class CodedTextCanvas {
 public:
  virtual ~CodedTextCanvas() = default;
  // The size of `text` in the current font as measured for a calculated rectangle with tabs
  // expanded.
  virtual TextExtent Measure(TextView text) = 0;
  virtual void Draw(TextView text, const TextBox& box, std::uint32_t format) = 0;
  // `starting` selects the starting font again; otherwise a font of the starting metrics
  // with `style` replaces the one the previous code made.
  virtual void UseFont(const CodedFontStyle& style, bool starting) = 0;
  virtual void UseTextColour(std::uint32_t colour) = 0;
};

struct CodedTextLayout {
  Text Visible;
  TextExtent Measured;
  std::vector<TextLinkRecord> Links;
};

std::uint32_t CodedTextDrawFormat(std::uint32_t options);
// Whether the codes are interpreted at all: only when allowed and the text has a backslash.
bool UsesCodes(TextView text, std::uint32_t options);
// Each pair of backslashes becomes one.
Text CollapseBackslashes(TextView text);
// The colour of the up to six characters after "\c", read as RRGGBB pairs; a pair is read as
// far as it holds hexadecimal digits, so a short or broken code gives 0 for what is missing.
std::uint32_t ParseCodedColour(TextView digits);
// The text a link's rectangle is measured on: the raw text between the link codes without the
// font codes, with backslashes collapsed, and only what follows a colour code.
Text LinkMeasureText(TextView raw);

// Lays out (and, unless measuring, draws) the coded text. `rect` is the drawing rectangle;
// `lineSpacing` is added to every line height, but only when the text holds a line break code.
CodedTextLayout LayOutCodedText(TextView text, const TextBox& rect, std::uint32_t options,
                                const CodedFontStyle& startingStyle, std::uint32_t startingColour,
                                int lineSpacing, CodedTextCanvas& canvas);
