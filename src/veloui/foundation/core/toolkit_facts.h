#pragma once
// What the toolkit learns about the system at start-up. Written once on the GUI thread
// before any other toolkit thread starts; read without a lock afterwards. Tests set them.
#include <cstdint>

struct ToolkitFacts {
  // 50, 60, 70, ...: below 70 the system predates desktop composition and the colour-scheme
  // word follows the caption colour.
  std::int32_t OsVersionCode = 0;
  std::uint32_t CommonControlsMajor = 0;
  std::uint32_t CommonControlsMinor = 0;
  std::uint32_t CommonControlsBuild = 0;
  // Whether the system lets menus cast a drop shadow.
  std::int32_t SystemDropShadow = 0;
};

extern ToolkitFacts SystemFacts;
