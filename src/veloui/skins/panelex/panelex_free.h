#pragma once
// A panel or page window destroyed without FreePanelEx (with its parent, say) takes its
// records, buffers and images with it; its window procedure calls this at WM_NCDESTROY.
#include <windows.h>

void ForgetDestroyedPanelEx(HWND window);
