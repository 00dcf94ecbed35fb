#pragma once
// Window operations of the skinned controls and the library entry points of the toolkit:
// windows opened under automatic numbers, size limits that the child subclass keeps, and
// the measuring of a bar item's text.
#include <windows.h>

#include <cstdint>

#include "runtime/portable/text.h"

// For a build of the toolkit as a library of its own; each returns 0.
std::int32_t AttachToolkit(HINSTANCE module);
std::int32_t DetachToolkit();
std::int32_t AttachToolkitThread();
std::int32_t DetachToolkitThread();
// The module handle kept by AttachToolkit (nullptr before).
HINSTANCE ToolkitModule();

// A runtime window under a new automatic number; its system handle, or nullptr.
HWND OpenToolkitWindow(int x, int y, int innerWidth, int innerHeight, TextView title, std::uint32_t flags,
                       HWND owner);

// Keeps the limits (0 = none) in the window's child subclass record, subclassing the window
// when the window hook has not, and resizes a window that breaks them at once. 1, or 0 when
// the window does not exist.
std::int32_t SetWindowSizeLimits(HWND window, int minimumWidth, int minimumHeight, int maximumWidth,
                                 int maximumHeight);

// The size of the window's text drawn with the window's font (the menu font when it has none).
SIZE MeasureBarItemText(HWND window);
