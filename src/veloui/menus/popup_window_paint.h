#pragma once
// The frame and background of a toolkit popup-menu window in its cascade's style.
#include <windows.h>

#include "veloui/menus/popup_window.h"

// Handles the painting and frame messages of a popup window: true with `result` set when
// the message is consumed, false when the system's procedure should handle it.
bool PaintPopupWindow(HWND window, const PopupWindowRecord& record, UINT message, WPARAM wParam, LPARAM lParam,
                      LRESULT& result);
