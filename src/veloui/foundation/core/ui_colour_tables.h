#pragma once
// The three built-in colour tables (Whidbey, Office 2003, Office 2007): 57 colour records
// each, four schemes in a default and a custom family, plus the style-background cache
// that the blit-cache painter keeps per record. Also the colour-mode globals and the
// brush cache that the lookups share.
#include <array>
#include <cstdint>
#include <list>

#include "runtime/portable/text.h"
#include "veloui/foundation/core/ui_colour_ids.h"

// One cached background of one size (a memory DC with its bitmap selected).
struct BlitCacheEntry {
  std::uintptr_t DC = 0;
  std::uintptr_t Bitmap = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
};

// Owned by the blit-cache painter; emptied by FreeBlitCaches.
struct BlitCache {
  std::uintptr_t CacheDC = 0;
  std::uintptr_t CacheBitmap = 0;
  std::int32_t CacheWidth = 0;
  std::int32_t CacheHeight = 0;
  std::list<BlitCacheEntry> CachedSizes;
};

struct UIColourRecord {
  std::uint32_t DefaultBlue = 0, DefaultOlive = 0, DefaultSilver = 0, DefaultGrey = 0;
  std::uint32_t CustomBlue = 0, CustomOlive = 0, CustomSilver = 0, CustomGrey = 0;
  BlitCache Cache;
};

using UIColourTable = std::array<UIColourRecord, kUIColourIdCount>;

// A solid brush made of Colour (a COLORREF); Brush 0 = none yet.
struct ColourBrushCacheEntry {
  std::uint32_t Brush = 0;
  std::uint32_t Colour = 0;
};

struct UIColourState {
  UIColourTable Whidbey;
  UIColourTable Office2003;
  UIColourTable Office2007;
  std::array<ColourBrushCacheEntry, kUIColourIdCount> ColourBrushCache;
  std::int32_t CurrentColourMode = UICOLOURMODE_DEFAULT;
  Text ColourModeName;
  Text ThemeColourName;
  // The visual-style handle of the "scrollbar" class; 0 when no visual style is active.
  std::uintptr_t ThemeScrollbarData = 0;
  // COLOR_ACTIVECAPTION of the visual style, a COLORREF.
  std::uint32_t ThemeCaptionColour = 0;
};

// GUI thread only; the tables are written once at start-up.
extern UIColourState UIColours;

// Zero-filled tables, mode 0, empty names, no theme; the brush cache is forgotten
// (not deleted), so tests call it only with fake brushes or before any brush exists.
void ResetUIColourState();

// Fills the named-colour map and the three tables (custom columns equal to the default
// ones, the Office 2007 olive scheme equal to its blue scheme). Returns 0.
std::int32_t InitColourTables();

// The table read for a style: Whidbey for 5, Office 2003 for 6 and 0x1000000, Office 2007
// for 0x2000000; nullptr for any other style.
UIColourTable* UIColourTableOfStyle(std::uint32_t style);
