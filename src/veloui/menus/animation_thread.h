#pragma once
// The toolkit's animation thread: a message-only window of class "VeloUI_Animation Thread"
// that lives from StartToolkitHooks until teardown posts it WM_CLOSE.
#include <windows.h>

DWORD WINAPI AnimationThread(LPVOID unused);
LRESULT CALLBACK AnimationWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
