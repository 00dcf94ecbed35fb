#include "veloui/foundation/core/ui_colour.h"

#include "veloui/foundation/core/ascii_case.h"
#include "veloui/foundation/core/colour_helpers.h"
#include "veloui/foundation/core/toolkit_facts.h"

namespace {
SolidBrushOps BrushOps;

struct SchemeColumn {
  ColourScheme Scheme;
  bool Custom;
};

SchemeColumn ResolveSchemeColumn() {
  const std::int32_t mode = UIColours.CurrentColourMode;
  // A default mode's scheme is the custom mode's number, which the schemes are numbered by.
  if (IsDefaultSchemeMode(mode)) return {static_cast<ColourScheme>(mode + UICOLOURMODE_CUSTOM), false};
  if (IsCustomSchemeMode(mode)) return {static_cast<ColourScheme>(mode), true};
  const ColourScheme theme =
      UIColours.ThemeScrollbarData != 0 ? ClassifyCaptionColour(UIColours.ThemeCaptionColour) : ColourSchemeGrey;
  return {theme, mode == UICOLOURMODE_CUSTOM};
}

std::uint32_t ReadColumn(const UIColourRecord& record, SchemeColumn column) {
  switch (column.Scheme) {
    case ColourSchemeBlue: return column.Custom ? record.CustomBlue : record.DefaultBlue;
    case ColourSchemeOlive: return column.Custom ? record.CustomOlive : record.DefaultOlive;
    case ColourSchemeSilver: return column.Custom ? record.CustomSilver : record.DefaultSilver;
    case ColourSchemeGrey: return column.Custom ? record.CustomGrey : record.DefaultGrey;
  }
  return 0;
}

std::uint32_t CachedBrush(std::int32_t id, std::uint32_t colorref) {
  ColourBrushCacheEntry& entry = UIColours.ColourBrushCache[static_cast<std::size_t>(id)];
  if (entry.Brush != 0 && entry.Colour == colorref) return entry.Brush;
  if (BrushOps.Create == nullptr) return 0;
  if (entry.Brush != 0 && BrushOps.Delete != nullptr) BrushOps.Delete(entry.Brush);
  entry.Brush = BrushOps.Create(colorref);
  entry.Colour = colorref;
  return entry.Brush;
}

bool IsWordOnlyWhidbeyId(std::int32_t id) {
  switch (id) {
    case 0: case 1: case 2: case 3: case 4: case 20: case 27: case 29: return true;
    default: return false;
  }
}
}  // namespace

ColourScheme ClassifyCaptionColour(std::uint32_t colorref) {
  const std::uint32_t red = colorref & 0xFFu, green = (colorref >> 8) & 0xFFu, blue = (colorref >> 16) & 0xFFu;
  if (red >= 200 && green >= 200 && blue >= 200) return ColourSchemeSilver;
  if (red < 200 && green < 200 && blue >= 200) return ColourSchemeBlue;
  if (red >= 200 && green >= 200 && blue < 200) return ColourSchemeOlive;
  return ColourSchemeGrey;
}

ColourScheme CurrentColourScheme() { return ResolveSchemeColumn().Scheme; }

// A style a lookup does not read gives no brush at all rather than one of colour 0: the brush
// cache is shared by id, so making one would delete the brush handed out for the right style,
// which its painter may still hold. The same holds for GetModeColour.
std::uint32_t GetUIColour(std::uint32_t style, std::int32_t id, std::uint32_t kind) {
  if (style == UISTYLE_WHIDBEY) return 0;
  const UIColourTable* table = UIColourTableOfStyle(style);
  if (table == nullptr) return 0;
  const SchemeColumn column = ResolveSchemeColumn();
  if (id < 0) return static_cast<std::uint32_t>(column.Scheme);
  if (!IsUIColourId(id)) return 0;
  std::uint32_t word = ReadColumn((*table)[static_cast<std::size_t>(id)], column);
  if ((kind & kUIColourStored) != 0) return word;
  if (IsArgbWord(word)) word = ArgbToColorref(word);
  if ((kind & kUIColourColorref) != 0) return word;
  return CachedBrush(id, word);
}

std::uint32_t GetModeColour(std::uint32_t style, std::int32_t id) {
  if (style != UISTYLE_WHIDBEY) return 0;
  const SchemeColumn column = ResolveSchemeColumn();
  if (id < 0) return static_cast<std::uint32_t>(column.Scheme);
  if (!IsUIColourId(id)) return 0;
  const std::uint32_t word = ReadColumn(UIColours.Whidbey[static_cast<std::size_t>(id)], column);
  if (IsWordOnlyWhidbeyId(id)) return word;
  return CachedBrush(id, word);
}

std::int32_t GetUIColourMode() { return UIColours.CurrentColourMode; }

std::int32_t GetEffectiveColourMode() {
  const ColourScheme scheme = CurrentColourScheme();
  return UIColours.CurrentColourMode == UICOLOURMODE_CUSTOM ? scheme : scheme - 5;
}

std::int32_t StoreUIColourMode(std::int32_t mode) {
  if (mode < UICOLOURMODE_DEFAULT || mode > UICOLOURMODE_CUSTOM_GREY) return 0;
  UIColours.CurrentColourMode = mode;
  return 1;
}

Text ColourModeWord(std::int32_t mode) {
  switch (mode) {
    case 1: case 6: return u"blue";
    case 2: case 7: return u"olive";
    case 3: case 8: return u"silver";
    case 4: case 9: return u"grey";
    default: return {};
  }
}

void DetectThemeColourName(std::uint32_t colour) {
  if (SystemFacts.OsVersionCode >= 70) {
    UIColours.ThemeColourName = u"blue";
    return;
  }
  UIColours.ThemeColourName = ColourModeWord(ClassifyCaptionColour(colour));
}

Text GetThemeColourName() { return UIColours.ThemeColourName; }

Text GetColourModeName() {
  return UIColours.ColourModeName.empty() ? UIColours.ThemeColourName : UIColours.ColourModeName;
}

void StoreColourModeName(TextView name) { UIColours.ColourModeName = TrimKeywordBlanks(LowerKeyword(name)); }

std::int32_t StoreUIColour(std::uint32_t style, std::int32_t id, std::uint32_t colour, std::int32_t mode) {
  if (mode < UICOLOURMODE_CUSTOM) mode += 5;
  if (mode < UICOLOURMODE_CUSTOM || mode > UICOLOURMODE_CUSTOM_GREY) return 0;
  if (id < 0 || id >= kNamedUIColourIdCount) return 0;
  if (mode == UICOLOURMODE_CUSTOM) mode = static_cast<std::int32_t>(GetUIColour(UISTYLE_OFFICE2003, -1, 0));
  if (!IsPlainColourId(id)) colour = PackColourBytes(255, colour & 0xFFu, (colour >> 8) & 0xFFu, (colour >> 16) & 0xFFu);
  UIColourTable* table = style == UISTYLE_WHIDBEY || style == UISTYLE_OFFICE2003 || style == UISTYLE_OFFICE2007
                             ? UIColourTableOfStyle(style)
                             : nullptr;
  if (table == nullptr) return 0;
  UIColourRecord& record = (*table)[static_cast<std::size_t>(id)];
  switch (mode) {
    case UICOLOURMODE_CUSTOM_BLUE: record.CustomBlue = colour; break;
    case UICOLOURMODE_CUSTOM_OLIVE: record.CustomOlive = colour; break;
    case UICOLOURMODE_CUSTOM_SILVER: record.CustomSilver = colour; break;
    default: record.CustomGrey = colour; break;
  }
  return 1;
}

void SetSolidBrushOps(SolidBrushOps ops) { BrushOps = ops; }
