#pragma once
// PanelEx: the toolkit's container control. A panel ("VeloUI_PanelEx") shows one of its
// pages ("VeloUI_PanelExPage"); a page larger than its panel scrolls inside it with scroll
// bars and a size box ("VeloUI_ScrollbarBox") of its own. Panels paint into a 32-bit buffer
// with per-pixel alpha and fade pages by their alpha. ButtonEx, SplitterEx, ExplorerBar and
// text controls are panels with procedures of their own.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "veloui/foundation/core/image_store.h"

#include "veloui/skins/panelex/panelex_support.h"

// Posted to a panel when a page's alpha changed on another thread; lParam is the page window.
constexpr UINT kPanelExRefreshMessage = 0x86A7;
// Sent to a page by the text controls on it: their size (0x857F) or links (0x8580) changed.
constexpr UINT kTextControlSizeMessage = 0x857F;
constexpr UINT kTextControlLinkMessage = 0x8580;

// The flag bits of SetPanelExPageScrolling.
constexpr std::uint32_t kPanelExHScroll = 0x10;
constexpr std::uint32_t kPanelExVScroll = 0x20;
constexpr std::uint32_t kPanelExAutoScroll = 0x40;
constexpr std::uint32_t kPanelExScrollOutside = 0x80;  // the page gives way to its bars
constexpr std::uint32_t kPanelExNoHorizontal = 0x400;
constexpr std::uint32_t kPanelExNoVertical = 0x800;

// id -1 asks for an automatic number. Returns the id, or 0 when the window could not be made.
// The new panel becomes the one pages and controls go into.
std::intptr_t CreatePanelEx(std::intptr_t id, HWND parent, std::int32_t x, std::int32_t y, std::int32_t width,
                            std::int32_t height, COLORREF background = CLR_INVALID);
// Adds a page to the current panel; the first page is shown. Returns the page window.
HWND AddPanelExPage(COLORREF background = CLR_INVALID);
// Gives the page (index or window) of the panel (id or window) a background image (an image
// store entry) and an image list; the page owns both from then on and releases what it held.
// 1 when found.
std::int32_t SetPanelExPageImages(std::intptr_t panel, std::intptr_t page, ImageStoreHandle background,
                                  HIMAGELIST images);
// Shows the page (index or window) of the panel (id or window); 1 when found.
std::int32_t ShowPanelExPage(std::intptr_t panel, std::intptr_t page);
// Sets (state 1) or clears (state 0) the options of the flag bits. 1 when the page was found.
std::int32_t SetPanelExPageScrolling(std::intptr_t panel, std::intptr_t page, std::uint32_t flags,
                                     std::int32_t state);
// Paints the panel or page window into its buffer and onto dc; a page then has its children
// repainted over it (RedrawTransparentChildren).
std::int32_t PaintPanelEx(HWND window, HDC dc);
HWND GetPanelExWindow(std::intptr_t panel);
// The colour a control standing in a panel or page shows through: the page's, else the
// panel's, else the system's button face.
COLORREF PanelExColourBehind(HWND window);
// Makes the page of a panel or page window current and refreshes it: 1, else 0.
std::int32_t RefreshPanelExOf(HWND window);

LRESULT CALLBACK PanelExWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK PanelExPageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ScrollbarBoxWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The theme's parts a new panel paints with; nullptr without visual styles.
HIMAGELIST MakeThemePartImages();

// The buffer of a panel, at least width by height, selected into its BufferDC (the caller
// holds the PanelEx lock); nullptr when it cannot be made.
HDC PanelExBufferDC(std::intptr_t panel, std::int32_t width, std::int32_t height);
