#pragma once
// Popup-menu objects: a number the toolkit chose and the popup menu behind it.
#include <windows.h>

#include <cstdint>

struct PopupMenuObject {
  std::int32_t Number = 0;
  HMENU Handle = nullptr;
};

// Number -1 asks for a new number. Number 0 in the result: nothing was made.
PopupMenuObject CreatePopupMenuObject(std::int32_t number);
bool PopupMenuObjectExists(std::int32_t number);
// Destroys the menu (and the submenus it holds) and forgets the number.
void FreePopupMenuObject(std::int32_t number);
