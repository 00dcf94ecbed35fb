#include <gtest/gtest.h>

#include "veloui/menus/core/menu_navigation.h"

namespace {

TEST(MenuNavigation, KeysOfTheBarsKeyMode) {
  using B = BarKey;
  // The arrow Down and Return open, the keypad's Down (no extended bit) and a held Return do not;
  // Left and Right move whatever their scan code; Escape leaves; Alt and F10 are the activators'.
  const struct { std::uint32_t Key, Data; B Action; } cases[] = {
      {kKeyDown, 0x01500001, B::Open},        {kKeyDown, 0x41500001, B::Open},
      {kKeyDown, 0x00500001, B::Other},       {kKeyReturn, 0x001C0001, B::Open},
      {kKeyReturn, 0x401C0001, B::Other},     {kKeyLeft, 0x014B0001, B::Previous},
      {kKeyLeft, 0x004B0001, B::Previous},    {kKeyRight, 0x014D0001, B::Next},
      {kKeyEscape, 0x00010001, B::Leave},     {kKeyAlt, 0x20380001, B::Activator},
      {kKeyF10, 0x00440001, B::Activator},    {'S', 0x001F0001, B::Other},
      {kKeyUp, 0x01480001, B::Other},         {0x09, 0x000F0001, B::Other},
  };
  for (const auto& c : cases) EXPECT_EQ(ClassifyBarKey(c.Key, c.Data), c.Action) << c.Key << " " << c.Data;
}

}  // namespace
