#pragma once
// How the host window procedure paints a skinned toolbar that sits in a toolkit rebar: the
// tool-strip background and separators of the Office looks, and each button in the Office
// look or the themed look (the system's "toolbar" visual style), with its image, text and
// drop-down arrow laid out apart. GUI thread only.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>

#include "veloui/menus/toolbars.h"

// The text of the button with command id `command`; empty when it has none.
std::wstring ToolbarButtonText(HWND toolbar, DWORD_PTR command);

// The tool-strip background across the buttons, with rounded right-hand ends.
void PaintToolbarBackground(const NMCUSTOMDRAW& draw, std::uint32_t style);
// Every separator of the toolbar drawn again over what the system drew there: the background,
// a line in `toolbarseparator` and its shadow in `toolbarseparatorshadow`.
void PaintToolbarSeparators(const NMCUSTOMDRAW& draw, std::uint32_t style);

// A button in the Office look of `style`. Returns CDRF_SKIPDEFAULT.
LRESULT PaintOfficeButton(const NMCUSTOMDRAW& draw, std::uint32_t style);

// Whether a visual style can draw toolbar buttons: UxTheme bound, a "toolbar" theme open and
// the classic look off.
bool ToolbarThemeDrawable();
// The "toolbar" theme's button face (part 1) in `state` over `rect`; only when drawable.
void DrawToolbarThemeButton(HDC dc, const RECT& rect, int state);

// Whether `toolbar` (in a bar of `barStyle`) takes the themed look: a visual style to draw
// with (UxTheme bound, a "toolbar" theme open, the classic look off) and the Whidbey style
// or the toolbar's themed style.
bool UsesThemedLook(const ToolbarRecord& toolbar, std::uint32_t barStyle);
// A button through the "toolbar" theme. Returns CDRF_SKIPDEFAULT.
LRESULT PaintThemedButton(const NMCUSTOMDRAW& draw, const ToolbarRecord& toolbar);
