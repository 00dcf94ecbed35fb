#pragma once
// The size limits a window keeps (SetWindowSizeLimits) applied to a proposed placement
// while it is being moved or sized. Dragging the left or top edge past a limit keeps the
// opposite edge where it is.
#include <cstdint>

struct SizeLimits {
  std::int32_t MinimumWidth = 0;  // 0 or less: no limit
  std::int32_t MinimumHeight = 0;
  std::int32_t MaximumWidth = 0;
  std::int32_t MaximumHeight = 0;
};

struct ProposedPlacement {
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  std::uint32_t Flags = 0;  // the SWP_ flags of the change
};

// Placement flags that matter here (values of the window system).
constexpr std::uint32_t kPlacementNoSize = 0x0001;
constexpr std::uint32_t kPlacementNoMove = 0x0002;
constexpr std::uint32_t kPlacementStateChanged = 0x8000;  // minimising, maximising, restoring

// Leaves a pure move, a state change and an unlimited window alone.
void EnforceSizeLimits(ProposedPlacement& placement, int currentLeft, int currentTop, const SizeLimits& limits);
