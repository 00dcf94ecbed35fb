#include "veloui/menus/saved_screen.h"

#include "veloui/menus/menu_measuring.h"
#include "veloui/menus/menu_tracking.h"
#include "veloui/menus/popup_window.h"
#include "veloui/menus/track_windows_hook.h"

namespace {

struct SavedScreen {
  HDC DC = nullptr;
  HBITMAP Bitmap = nullptr;
  HGDIOBJ Previous = nullptr;
  RECT Area{};
};
SavedScreen Saved;

void DropCopy() {
  if (Saved.DC != nullptr) {
    SelectObject(Saved.DC, Saved.Previous);
    DeleteDC(Saved.DC);
  }
  if (Saved.Bitmap != nullptr) DeleteObject(Saved.Bitmap);
  Saved = SavedScreen{};
}

RECT TrackedDropDownArea() {
  const int left = MenuTracking.PopupLeft;
  const int top = MenuTracking.OpenTitleRect.bottom - 1;
  const int height = MenuTracking.TrackedMenu != nullptr ? MeasurePopupMenuHeight(MenuTracking.TrackedMenu) : 0;
  return RECT{left, top, left + MenuTracking.PopupWidth, top + height};
}

}  // namespace

std::int32_t CaptureMenuBarBackground(HWND bar, const RECT* area) {
  DropCopy();
  if (bar == nullptr || !IsWindow(bar)) return 0;
  const RECT wanted = area != nullptr ? *area : TrackedDropDownArea();
  const int width = wanted.right - wanted.left;
  const int height = wanted.bottom - wanted.top;
  if (width <= 0 || height <= 0) return 0;
  HDC screen = GetDC(nullptr);
  Saved.DC = CreateCompatibleDC(screen);
  Saved.Bitmap = CreateCompatibleBitmap(screen, width, height);
  if (Saved.DC == nullptr || Saved.Bitmap == nullptr) {
    ReleaseDC(nullptr, screen);
    DropCopy();
    return 0;
  }
  Saved.Previous = SelectObject(Saved.DC, Saved.Bitmap);
  BitBlt(Saved.DC, 0, 0, width, height, screen, wanted.left, wanted.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  Saved.Area = wanted;
  MenuTrackingHook.SavedScreenStale = -1;
  return 1;
}

bool PutBackMenuBarBackground() {
  if (Saved.DC == nullptr) return false;
  const bool valid = MenuTrackingHook.SavedScreenStale == -1;
  if (valid) {
    HDC screen = GetDC(nullptr);
    BitBlt(screen, Saved.Area.left, Saved.Area.top, Saved.Area.right - Saved.Area.left,
           Saved.Area.bottom - Saved.Area.top, Saved.DC, 0, 0, SRCCOPY);
    ReleaseDC(nullptr, screen);
    PopupWindows.SavedArea = RECT{};
  }
  DropCopy();
  return valid;
}

RECT SavedMenuBarBackgroundArea() { return Saved.DC != nullptr ? Saved.Area : RECT{}; }
