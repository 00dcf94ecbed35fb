#pragma once
// What the child-control subclass and the animation thread ask of the PanelEx support. The
// PanelEx code installs its routines here once at start-up; until it does (and in a program
// that makes no PanelEx) every call finds no page and changes nothing.
#include <windows.h>

#include <cstdint>

struct PanelExLink {
  // After a child of `page` moved, was sized or shown: re-scroll the page's children, re-place
  // and re-measure its scroll bars and repaint the page with its scroll parts.
  void (*RefreshPageLayout)(HWND page) = nullptr;
  // SetPanelExPageAlpha (panel, page, alpha, noRefresh): 1 when the page was found.
  std::int32_t (*SetPageAlpha)(std::intptr_t panel, std::intptr_t page, std::uint16_t alpha,
                               std::uint8_t noRefresh) = nullptr;
};

void SetPanelExLink(const PanelExLink& link);

void RefreshPanelExPageLayout(HWND page);
// 0 when no PanelEx routine is installed or no page was found.
std::int32_t SetPanelExPageAlphaThroughLink(std::intptr_t panel, std::intptr_t page, std::uint16_t alpha,
                                            std::uint8_t noRefresh);
