#pragma once
// The windowed side of the UI colours: the colour-mode switch with its broadcast to every
// window of the process, SetUIColour with its repaint, the colour-mode name and the
// re-tinting of menu and toolbar images. The lookups themselves are in core/ui_colour.h.
#include <windows.h>

#include <cstdint>

#include "veloui/foundation/core/ui_colour.h"

// The message every window receives when the skin or the colour mode changes.
constexpr UINT kSkinRefreshMessage = 0x9CA3;

// 1 on success; 0 and no change for a mode outside 0..9.
std::int32_t SetUIColourMode(std::int32_t mode);
// Stores one colour of the custom family; unless noRefresh, repaints every host window.
std::int32_t SetUIColour(std::uint32_t style, std::int32_t id, std::uint32_t colour, std::int32_t mode,
                         std::uint8_t noRefresh);
// Stores the name and broadcasts the skin-refresh message; returns 1.
std::int32_t SetColourModeName(TextView name);
// Rebuilds the style images of menu items (kind 0 all, 1 of menu id, 2 of menu handle id)
// and toolbar buttons (kind 0 or 3 all, 4 of toolbar id). Returns 0.
std::int32_t RetintMenuImages(std::intptr_t id, std::int32_t kind);

// The cached solid brush of a colour id (GetUIColour with kind 0) as a GDI brush.
HBRUSH UIColourBrush(std::uint32_t style, std::int32_t id);

BOOL CALLBACK NotifyWindowColourProc(HWND window, LPARAM processId);
BOOL CALLBACK NotifyChildColourProc(HWND child, LPARAM parent);

// Lets the brush cache make GDI brushes and the colour expressions read system colours.
void BindColourServices();
