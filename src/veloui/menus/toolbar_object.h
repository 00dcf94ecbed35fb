#pragma once
// The plain toolbar window beneath a skinned toolbar: flat, with tooltips, a child of its
// parent. The skinned toolbar code adds everything else.
#include <windows.h>

HWND CreateToolbarObject(HWND parent, int controlId);
void FreeToolbarObject(HWND toolbar);
