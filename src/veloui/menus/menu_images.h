#pragma once
// Images of menu items and toolbar buttons: what callers pass is an icon or a bitmap;
// image lists take icons.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "runtime/portable/text.h"

// Appends `image` to `list` as an icon (a bitmap is converted first); the index or -1.
int AppendImage(HIMAGELIST list, HANDLE image);
// The hot and disabled picture the style derives from a normal image; the caller destroys it.
HICON MakeStyleIcon(HANDLE image, std::uint32_t style);
// A text without its coded-text escapes, as a toolbar button shows it.
Text VisibleText(const Text& text);
