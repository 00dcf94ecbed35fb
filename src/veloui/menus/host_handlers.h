#pragma once
// The sections of HostWindowProc, one per message family. Each gets the previous
// procedure's result and returns the host's result.
#include <windows.h>

#include <cstdint>

LRESULT HostMeasureItem(HWND window, LPARAM lParam, LRESULT previous);
LRESULT HostDrawItem(HWND window, LPARAM lParam, LRESULT previous);
LRESULT HostCustomDraw(HWND window, NMHDR* header, LRESULT previous);
LRESULT HostTitleDropDown(HWND window, NMHDR* header, LRESULT previous);
LRESULT HostTitleHotItemChange(HWND window, NMHDR* header, LRESULT previous);
// A title asked for from the bar's key mode (KeyboardTitleMessage): opened as a click opens it.
void HostKeyboardTitle(HWND window, HWND toolbar, int index);
LRESULT HostChevronPushed(HWND window, NMHDR* header, LRESULT previous);
LRESULT HostTooltipText(NMHDR* header, bool ansi, LRESULT previous);
void HostActivate(HWND window, WPARAM wParam);
void HostSize(HWND window, WPARAM wParam, LPARAM lParam);
void HostSizing(HWND window, bool starting);
void HostThemeChanged();
void HostMenuMetricsChanged();
// A menu bar's title buttons measured again in the menu font and sized for `style`; the
// rebar band holding the bar given the toolbar's new height.
void ResizeTitles(HWND toolbar, std::int32_t style);
void GrowBarBand(HWND toolbar);
void HostGadgetDropped(HWND gadget, bool dropped);
void HostBandDrag(HWND window, NMHDR* header, bool starting);
void HostLayoutChanged(HWND window, HWND rebar);
