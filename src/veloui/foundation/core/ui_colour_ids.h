#pragma once
// The toolkit's UI styles, colour modes, colour schemes and the 57 colour ids that every
// painting routine asks for, with the names that colour expressions use for them.
#include <cstdint>
#include <optional>
#include <string_view>

constexpr std::uint32_t UISTYLE_WHIDBEY = 5;
constexpr std::uint32_t UISTYLE_OFFICE2003 = 0x1000000;
// Menu records store the Office 2003 style as 6.
constexpr std::uint32_t UISTYLE_OFFICE2003_SHORT = 6;
constexpr std::uint32_t UISTYLE_OFFICE2007 = 0x2000000;

// The Office looks, whichever of its two values an Office 2003 record holds.
constexpr bool IsOfficeStyle(std::uint32_t style) {
  return style == UISTYLE_OFFICE2003 || style == UISTYLE_OFFICE2003_SHORT || style == UISTYLE_OFFICE2007;
}

constexpr std::int32_t UICOLOURMODE_DEFAULT = 0;
constexpr std::int32_t UICOLOURMODE_DEFAULT_BLUE = 1;
constexpr std::int32_t UICOLOURMODE_DEFAULT_OLIVE = 2;
constexpr std::int32_t UICOLOURMODE_DEFAULT_SILVER = 3;
constexpr std::int32_t UICOLOURMODE_DEFAULT_GREY = 4;
constexpr std::int32_t UICOLOURMODE_CUSTOM = 5;
constexpr std::int32_t UICOLOURMODE_CUSTOM_BLUE = 6;
constexpr std::int32_t UICOLOURMODE_CUSTOM_OLIVE = 7;
constexpr std::int32_t UICOLOURMODE_CUSTOM_SILVER = 8;
constexpr std::int32_t UICOLOURMODE_CUSTOM_GREY = 9;

// The modes that name a colour scheme themselves (blue, olive, silver or grey) rather than
// following the system's theme.
constexpr bool IsDefaultSchemeMode(std::int32_t mode) {
  return mode >= UICOLOURMODE_DEFAULT_BLUE && mode <= UICOLOURMODE_DEFAULT_GREY;
}
constexpr bool IsCustomSchemeMode(std::int32_t mode) {
  return mode >= UICOLOURMODE_CUSTOM_BLUE && mode <= UICOLOURMODE_CUSTOM_GREY;
}

// What a lookup answers for a negative colour id; equal to the custom-family mode.
enum ColourScheme : std::int32_t {
  ColourSchemeBlue = 6,
  ColourSchemeOlive = 7,
  ColourSchemeSilver = 8,
  ColourSchemeGrey = 9,
};

// Scoped by a namespace because the names are ordinary words (background, disabledcolor).
namespace UIColour {
enum Id : std::int32_t {
  menutitletextcolor, menutitlehottextcolor, menutitleheldtextcolor, menutitleinactivetextcolor,
  menutextcolor, menuhotcolor, menuhotgradientcolor1, menuhotgradientcolor2, menuhotborder,
  menuheldcolor, menuheldgradientcolor1, menuheldgradientcolor2, menuheldborder, menubarcolor,
  menucheckboxbackground, menucheckboxborder, menucheckboxselectedbackground,
  menucheckboxselectedborder, menucheckboxdisabledbackground, menucheckboxdisabledborder,
  menudropshadow, bargradientcolor1, bargradientcolor2, bargradientcolor3, bargradientcolor4,
  separatorbar, selectedcolor, selectedtextcolor, selectedborder, disabledcolor, background,
  rebarbackground1, rebarbackground2, toolstripbackground1, toolstripbackground2,
  toolstripbackground3, toolstripbackground4, toolstripdropdowngradient1,
  toolstripdropdowngradient2, toolstripdropdowngradient3, toolstripdropdowngradient4,
  toolstripshadow, grippersolid, grippershadow, selectgradientcolor1, selectgradientcolor2,
  stickyselectgradientcolor1, stickyselectgradientcolor2, stickyselectbordercolor,
  toolbarbuttontextcolor, toolbarbuttonhottextcolor, toolbarbuttondisabledtextcolor,
  toolbarhotgradientcolor1, toolbarhotgradientcolor2, toolbarseparator, toolbarseparatorshadow,
};
}  // namespace UIColour

constexpr std::int32_t kUIColourIdCount = 57;  // id 56 has no name and is always 0
constexpr std::int32_t kNamedUIColourIdCount = 56;

constexpr bool IsUIColourId(std::int32_t id) { return id >= 0 && id < kUIColourIdCount; }

// The name of ids 0..55, empty for any other id.
std::string_view UIColourIdName(std::int32_t id);
// The id of a lower-case name, or nothing.
std::optional<std::int32_t> FindUIColourId(std::string_view name);

// Ids whose colour is kept as a plain COLORREF when it is set or read back through an
// expression; every other id holds an opaque ARGB word.
bool IsPlainColourId(std::int32_t id);
