#pragma once
// Cached style backgrounds of the Office styles: each colour slot paints its gradient or
// framed fill once into an off-screen bitmap and copies it until the size no longer fits or
// the colour mode changes.
#include <windows.h>

#include <cstdint>

// How a cache may serve a request of width W and height H (see BlitCacheServes): 0 at least
// W by H, 0x100 exactly W wide, 0x1000 exactly H high, 0x1100 exactly W by H; adding 0x10000
// keeps one cache per size.
inline constexpr std::uint32_t kBlitOptionSameWidth = 0x100;
inline constexpr std::uint32_t kBlitOptionSameHeight = 0x1000;
inline constexpr std::uint32_t kBlitOptionSizeList = 0x10000;

// Paints the background of `colourId` for `style` (6 or UISTYLE_OFFICE2003, or
// UISTYLE_OFFICE2007; any other style paints nothing) into `dc` at `rect`. An empty rectangle
// paints nothing and leaves the cache as it was. Returns 0.
int DrawBlitCache(HDC dc, std::uint32_t style, int colourId, const RECT& rect, std::uint32_t options);
// Frees every cache of both Office tables (the size-list entries stay, emptied). Returns 0.
int FreeBlitCaches();

// The UI style of the current menu, 0 when there is none; the check-box frames take their
// colours from it when it is an Office style. The menus live in a layer above this one, which
// installs the source; until then there is none.
using MenuStyleSource = std::uint32_t (*)();
void InstallMenuStyleSource(MenuStyleSource source);
