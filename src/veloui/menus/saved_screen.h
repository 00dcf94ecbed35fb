#pragma once
// The saved-screen option of menu-bar drop-downs (MenuTrackingHook.SavedScreenOption, for
// callers that run without desktop composition): the screen beneath a drop-down is copied
// before it opens and put back when it closes, unless a window beneath repainted meanwhile
// (the thread window hook then marks the copy stale). GUI thread only.
#include <windows.h>

#include <cstdint>

// Copies the screen that the open title's drop-down is about to cover (`area` nullptr: from
// the tracking state, the popup's left and width under the pressed title, as tall as the
// tracked menu) and marks the copy valid. `bar` is the menu bar's toolbar; without it
// nothing is copied. Returns 1 when a copy was taken.
std::int32_t CaptureMenuBarBackground(HWND bar, const RECT* area);
// When the copy is still valid it is put back on the screen and the saved popup area is
// forgotten (nothing beneath needs a repaint): true. A stale copy, or none: false. Either
// way the copy is gone afterwards.
bool PutBackMenuBarBackground();
// The screen rectangle of the copy held, empty when there is none.
RECT SavedMenuBarBackgroundArea();
