#pragma once
// The toolkit's own menu shadows, used in place of the system's: three strips around an
// open popup-menu window and two beside a pressed menu-bar title, all 5 pixels deep, in the
// menu style's shadow colour. Only when the system lets menus cast a shadow.
#include <windows.h>

#include <cstdint>

// The shadow windows of one popup-menu window (right, bottom, corner; nullptr where none).
struct PopupShadowRecord {
  HWND Shadows[3] = {};
  HWND Popup = nullptr;
  HWND HiddenParentShadows[3] = {};  // the parent's strips under this submenu, shown again when it goes
};

// The two shadow windows beside a pressed menu-bar title and what they surround.
struct TitleShadowRecord {
  HWND Beside = nullptr;
  HWND Below = nullptr;
  RECT Around{};
  HWND Toolbar = nullptr;
};

// Colour (COLORREF) and strongest opacity of the menu shadow of a UI style.
struct MenuShadowColour {
  COLORREF Colour = 0;
  int Alpha = 0;
};
MenuShadowColour MenuShadowColourOf(std::uint32_t style);

// Casts the shadow of `popup` once (a popup that has one keeps it); `parentPopup`, when
// not nullptr, is the popup a submenu opened from, on which no shadow falls. The number of
// shadow windows made.
int CastPopupMenuShadows(HWND popup, std::uint32_t style, HWND parentPopup);
// Destroys the shadow windows of `popup` and forgets them; the number destroyed.
int DestroyPopupMenuShadows(HWND popup);
const PopupShadowRecord* FindPopupShadowRecord(HWND popup);

// `title` in screen co-ordinates. Replaces the shadow of an earlier title of the same bar;
// a title that has its shadow keeps it. 1 when a shadow was cast.
int CastTitleShadows(HWND toolbar, const RECT& title, std::uint32_t style);
// The title shadows of one toolbar, or of every toolbar for nullptr; the number of records removed.
int DestroyTitleShadows(HWND toolbar);
