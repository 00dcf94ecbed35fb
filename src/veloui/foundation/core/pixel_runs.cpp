#include "veloui/foundation/core/pixel_runs.h"

#include <cstddef>

std::vector<PixelRect> PixelRunsOtherThan(const std::vector<std::uint32_t>& pixels, int width, int height,
                                          std::uint32_t key) {
  std::vector<PixelRect> rects;
  if (width <= 0 || height <= 0 || pixels.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
    return rects;
  key &= 0xFFFFFFu;
  // Rectangles that end on the row above, in left-to-right order; a run of this row extends
  // the one with the same columns.
  std::size_t previousRowFirst = 0;
  for (int y = 0; y < height; ++y) {
    const std::size_t thisRowFirst = rects.size();
    std::size_t candidate = previousRowFirst;
    const std::uint32_t* row = pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    for (int x = 0; x < width;) {
      if ((row[x] & 0xFFFFFFu) == key) {
        ++x;
        continue;
      }
      const int left = x;
      while (x < width && (row[x] & 0xFFFFFFu) != key) ++x;
      while (candidate < thisRowFirst && rects[candidate].Left < left) ++candidate;
      if (candidate < thisRowFirst && rects[candidate].Left == left && rects[candidate].Right == x &&
          rects[candidate].Bottom == y) {
        // Moved to this row's end so that the next row finds it among its candidates.
        PixelRect grown = rects[candidate];
        grown.Bottom = y + 1;
        rects[candidate].Bottom = -1;
        rects.push_back(grown);
      } else {
        rects.push_back({left, y, x, y + 1});
      }
    }
    previousRowFirst = thisRowFirst;
  }
  std::erase_if(rects, [](const PixelRect& r) { return r.Bottom < 0; });
  return rects;
}
