#include "veloui/menus/menu_objects.h"

#include <map>

namespace {

struct MenuObjectState {
  std::map<std::int32_t, HMENU> Objects;
  std::int32_t LastNumber = 0;
};
MenuObjectState MenuObjects;

}  // namespace

PopupMenuObject CreatePopupMenuObject(std::int32_t number) {
  if (number == -1) {
    do {
      ++MenuObjects.LastNumber;
    } while (MenuObjects.Objects.contains(MenuObjects.LastNumber) || MenuObjects.LastNumber <= 0);
    number = MenuObjects.LastNumber;
  } else if (number <= 0 || MenuObjects.Objects.contains(number)) {
    return {};
  }
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return {};
  MenuObjects.Objects[number] = menu;
  return {number, menu};
}

bool PopupMenuObjectExists(std::int32_t number) {
  auto object = MenuObjects.Objects.find(number);
  return object != MenuObjects.Objects.end() && IsMenu(object->second);
}

void FreePopupMenuObject(std::int32_t number) {
  auto object = MenuObjects.Objects.find(number);
  if (object == MenuObjects.Objects.end()) return;
  if (IsMenu(object->second)) DestroyMenu(object->second);
  MenuObjects.Objects.erase(object);
}
