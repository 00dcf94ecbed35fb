#pragma once
// The PanelEx routines that the rest of the toolkit reaches: the child-control subclass asks
// for a page's layout after a child moved, the animation thread fades pages, the coded-text
// drawing repairs the alpha under text drawn into a panel buffer, and teardown frees panels.
// With no panel in the program every routine finds nothing and changes nothing.
#include <windows.h>

#include <cstdint>

#include "runtime/portable/text.h"

// The outermost page window among the window and its ancestors; the window itself when none
// of them is a page.
HWND FindPanelExPageOfWindow(HWND window);
// Clips `rect` (in reference co-ordinates; reference nullptr: the panel of the window's
// page) to what the panels around the window leave visible. Returns 0.
std::int32_t ClipRectToPanelEx(RECT& rect, HWND window, HWND reference);

// The current-page routines: the caller holds the PanelEx lock and has made the page current.
std::int32_t MovePanelExPage(std::int32_t dx, std::int32_t dy);
std::int32_t UpdatePanelExScrollInfo();
std::int32_t LayoutPanelExScrollBars();
std::int32_t RefreshCurrentPanelExPage();

// Repaints what lies behind the window's transparent children; returns the page found.
HWND RedrawTransparentChildren(HWND window);
BOOL CALLBACK RedrawTransparentChildProc(HWND child, LPARAM parameter);
// lParam: a ChildScrollParams (panelex_records.h).
BOOL CALLBACK ScrollChildProc(HWND child, LPARAM params);
// lParam: a ReparentParams; moves the children of From (not their own children) to To.
struct ReparentParams {
  HWND From = nullptr;
  HWND To = nullptr;
};
BOOL CALLBACK ReparentChildProc(HWND child, LPARAM params);

// panel: id or window; page: index or window. 1 when the page was found. Safe from any
// thread: off the panel's own thread the repaint is handed to the panel's thread.
std::int32_t SetPanelExPageAlpha(std::intptr_t panel, std::intptr_t page, std::uint16_t alpha, std::uint8_t noRefresh);

// After a child of `page` moved, was sized or shown: re-measure the content, re-place the
// scroll bars and repaint the page. Nothing for a window that is no page.
void RefreshPanelExPageLayout(HWND page);

// Gives back the alpha of text that GDI just drew into a panel's 32-bit buffer (dc has the
// buffer selected); nothing for any other dc.
void RepairPanelExTextAlpha(HDC dc, const Text& text, const RECT& rect, HFONT font, std::uint32_t options);
// The per-pixel filter of that repair: pixels are 0xAARRGGBB words as a 32-bit DIB holds
// them; the target keeps its colour and gets a new alpha.
std::uint32_t PanelExRegionHitProc(std::int32_t x, std::int32_t y, std::uint32_t source, std::uint32_t target);

// Lends the routines above to the layers below, which may not include this one: the coded
// text's alpha repair, the child subclass's page refresh and the animation thread's page
// alpha. Start-up calls it.
void InstallPanelExHooks();

// One panel by id or window, or -1 for all; 1 when something was freed or -1 was given.
std::int32_t FreePanelEx(std::intptr_t panel);
