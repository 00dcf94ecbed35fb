#include "veloui/menus/core/size_limits.h"

namespace {
// One dimension: `origin` moves with the clamped size only when it may move and the edge
// at the origin is the one being dragged.
void LimitExtent(int& origin, int& extent, int current, int minimum, int maximum, bool mayMove) {
  if (minimum > 0 && extent < minimum) {
    const int difference = minimum - extent;
    extent = minimum;
    if (mayMove && origin > current) origin -= difference;
  }
  if (maximum > 0 && extent > maximum) {
    const int difference = extent - maximum;
    extent = maximum;
    if (mayMove && origin < current) origin += difference;
  }
}
}  // namespace

void EnforceSizeLimits(ProposedPlacement& placement, int currentLeft, int currentTop, const SizeLimits& limits) {
  if ((placement.Flags & (kPlacementNoSize | kPlacementStateChanged)) != 0) return;
  const bool mayMove = (placement.Flags & kPlacementNoMove) == 0;
  LimitExtent(placement.X, placement.Width, currentLeft, limits.MinimumWidth, limits.MaximumWidth, mayMove);
  LimitExtent(placement.Y, placement.Height, currentTop, limits.MinimumHeight, limits.MaximumHeight, mayMove);
}
