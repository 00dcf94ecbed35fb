#pragma once
// The windowed side of the UI colours: the cached brushes and the colour broadcast to every
// window of the process. The lookups themselves are in core/ui_colour.h; the colour-mode
// switch that reaches every layer is the toolkit's (veloui/toolkit/ui_colour_mode.h).
#include <windows.h>

#include <cstdint>

#include "veloui/foundation/core/ui_colour.h"

// The message every window receives when the skin or the colour mode changes.
constexpr UINT kSkinRefreshMessage = 0x9CA3;

// The cached solid brush of a colour id (GetUIColour with kind 0) as a GDI brush.
HBRUSH UIColourBrush(std::uint32_t style, std::int32_t id);

// EnumWindows callback of the colour-mode switch: the visible children of each window of the
// process (lParam) are told to stop drawing and then to draw again.
BOOL CALLBACK NotifyWindowColourProc(HWND window, LPARAM processId);
BOOL CALLBACK NotifyChildColourProc(HWND child, LPARAM parent);

// Lets the brush cache make GDI brushes and the colour expressions read system colours.
void BindColourServices();
