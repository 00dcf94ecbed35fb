#pragma once
// The toolkit's life: InitToolkit (lists, maps, locks, colour tables, glyphs, cursors,
// menu font, system facts, UxTheme and DWM), StartToolkitHooks (the window hook, GDI+ and
// the animation thread) and FreeToolkit (every control family freed, hooks removed,
// window procedures given back, threads stopped, libraries released). The application
// calls InitToolkit and StartToolkitHooks once before its first window and FreeToolkit at
// exit.
#include <windows.h>

#include <cstdint>

// Returns 0. After StartToolkitHooks it does nothing: the animation thread may hold a
// toolkit lock then, and the locks must not be made afresh under it.
std::int32_t InitToolkit();
// Returns 0; does its work on the first call only.
std::int32_t StartToolkitHooks();
// Returns 0.
std::int32_t FreeToolkit();

// EnumWindows callbacks: hide or destroy the windows of the given process.
BOOL CALLBACK HideOwnWindowsProc(HWND window, LPARAM processId);
BOOL CALLBACK DestroyOwnWindowsProc(HWND window, LPARAM processId);
