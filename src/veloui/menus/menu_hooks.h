#pragma once
// What the menus layer lends to the foundation below it, which may not include this layer:
// the UI style of the current menu, from which the check-box backgrounds take their colours.
// Start-up calls it.
#include <cstdint>

void InstallMenuHooks();
// The style of the current menu (the one items are added to), 0 when there is none.
std::uint32_t CurrentMenuStyle();
