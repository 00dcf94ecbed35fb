#pragma once
// Text controls: a PanelEx panel that shows a coded text (bold, colours, line breaks, links)
// on its parent's background. A link under the mouse shows the hand cursor; a click on it
// tells the page holding the control (0x8580, wParam the link number), and a text that
// changes the control's height tells that page to lay itself out again (0x857F).
#include <windows.h>

#include <cstdint>
#include <vector>

#include "runtime/portable/text.h"
#include "veloui/foundation/core/coded_text_layout.h"

constexpr std::uint32_t kTextControlAutoHeight = 0x1;

struct TextControlRecord {
  std::intptr_t Id = 0;
  HWND Window = nullptr;
  Text Caption;
  COLORREF Colour = 0;
  HFONT Font = nullptr;  // the caller's; nullptr: the menu font
  std::uint32_t Style = 0;
  std::int32_t LineSpacing = 0;
  std::vector<TextLinkRecord> Links;
  std::int32_t HotLink = -1;  // the link number under the mouse, -1 for none
};

// id -1 asks for an automatic number. Returns the id, or 0.
std::intptr_t CreateTextControl(std::intptr_t id, HWND parent, std::int32_t x, std::int32_t y, std::int32_t width,
                                std::int32_t height, const Text& text, std::uint32_t style = 0, HFONT font = nullptr);
std::int32_t SetTextControlText(std::intptr_t control, const Text& text);
LRESULT CALLBACK TextControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// One control by id or window, or -1 for all; 1 when something was freed or -1 was given.
std::int32_t FreeTextControl(std::intptr_t control);
