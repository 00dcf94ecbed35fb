#pragma once
// Subclassing of the registered lists and their ancestors.
#include <windows.h>

// Puts ListSortWindowProc on `window` unless it is already there.
void SubclassForSorting(HWND window);
