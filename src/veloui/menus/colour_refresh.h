#pragma once
// What the menus and bars redo when the colours change: the style images of menu items and
// toolbar buttons, the menus' background buffers and the host windows' paint.
#include <windows.h>

#include <cstdint>

// Rebuilds the style images of menu items (kind 0 all, 1 of menu id, 2 of menu handle id)
// and toolbar buttons (kind 0 or 3 all, 4 of toolbar id). Returns 0.
std::int32_t RetintMenuImages(std::intptr_t id, std::int32_t kind);
// Every menu's background buffer is painted again at its next paint.
void ForgetMenuRenderSizes();
// Repaints every host window with its children now.
void RepaintHostWindows();
