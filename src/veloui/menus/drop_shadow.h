#pragma once
// Drop shadows: layered, click-through, topmost windows of class "VeloUI_DropShadow", each
// showing one strip of a per-pixel-alpha shadow (see core/drop_shadow_pieces.h) beside a
// popup menu or a pressed menu-bar title. Made and destroyed on the GUI thread; whoever
// makes one destroys it when what it shadows goes away.
#include <windows.h>

#include <cstdint>

#include "veloui/menus/core/drop_shadow_pieces.h"

// One shadow window with the window-sized 32-bit bitmap it was drawn from; the window's
// GWLP_USERDATA holds the record's address.
struct DropShadowRecord {
  HWND Window = nullptr;
  HDC MemoryDC = nullptr;
  HBITMAP Bitmap = nullptr;
  HGDIOBJ PreviousBitmap = nullptr;
  void* Bits = nullptr;  // top-down 0xAARRGGBB rows of the bitmap
};

inline constexpr wchar_t kDropShadowClass[] = L"VeloUI_DropShadow";
inline constexpr DWORD kDropShadowExStyle =
    WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_TOPMOST;

// x, y on the screen; colour a COLORREF; alpha the strongest opacity. Flags as in
// drop_shadow_pieces.h. The shown shadow window, or nullptr when width, height or alpha is
// not positive or the window cannot be made.
HWND CreateDropShadow(int x, int y, int width, int height, COLORREF colour, int alpha, std::uint32_t flags);
LRESULT CALLBACK DropShadowWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The record of a shadow window, or nullptr.
const DropShadowRecord* FindDropShadowRecord(HWND window);
// Deletes both piece caches (a request with flag 8 does this first).
void FreeDropShadowPieces();
// How many pieces were built since the last FreeDropShadowPieces (the caches' reuse shows here).
int DropShadowPiecesBuilt();
