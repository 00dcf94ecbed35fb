#include "veloui/foundation/core/pixel_edits.h"

#include <algorithm>
#include <utility>

namespace {

// Red and blue change places between the two word layouts; green and alpha stay.
std::uint32_t SwapRedAndBlue(std::uint32_t word) {
  return (word & 0xFF00FF00u) | ((word & 0xFFu) << 16) | ((word >> 16) & 0xFFu);
}

bool Inside(int x, int y, int width, int height) { return x >= 0 && y >= 0 && x < width && y < height; }

// Scan-line fill: each run of the old colour is filled whole, and the rows above and below it
// are searched for runs still to fill.
void FloodFill(std::span<std::uint32_t> pixels, int width, int height, int x, int y, std::uint32_t pixel) {
  const auto at = [&](int px, int py) -> std::uint32_t& {
    return pixels[static_cast<std::size_t>(py) * static_cast<std::size_t>(width) + static_cast<std::size_t>(px)];
  };
  const std::uint32_t old = at(x, y);
  if (old == pixel) return;
  std::vector<std::pair<int, int>> seeds{{x, y}};
  while (!seeds.empty()) {
    auto [sx, sy] = seeds.back();
    seeds.pop_back();
    if (at(sx, sy) != old) continue;
    int left = sx;
    while (left > 0 && at(left - 1, sy) == old) --left;
    int right = sx;
    while (right + 1 < width && at(right + 1, sy) == old) ++right;
    for (int px = left; px <= right; ++px) at(px, sy) = pixel;
    for (int ny : {sy - 1, sy + 1}) {
      if (ny < 0 || ny >= height) continue;
      // One seed per run of the old colour along the filled run.
      for (int px = left; px <= right; ++px) {
        if (at(px, ny) == old && (px == left || at(px - 1, ny) != old)) seeds.emplace_back(px, ny);
      }
    }
  }
}

}  // namespace

std::vector<std::uint32_t> DistinctColours(std::span<const std::uint32_t> pixels, std::size_t most) {
  std::vector<std::uint32_t> found;
  std::vector<std::uint32_t> sorted;  // the same colours, for the look-up
  for (std::uint32_t pixel : pixels) {
    if (found.size() >= most) break;
    const std::uint32_t colour = SwapRedAndBlue(pixel);
    const auto place = std::lower_bound(sorted.begin(), sorted.end(), colour);
    if (place != sorted.end() && *place == colour) continue;
    sorted.insert(place, colour);
    found.push_back(colour);
  }
  return found;
}

int ApplyPixelEdits(std::span<std::uint32_t> pixels, int width, int height, std::span<const PixelEdit> edits) {
  if (width <= 0 || height <= 0 ||
      pixels.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    return 0;
  }
  int done = 0;
  for (const PixelEdit& edit : edits) {
    if (!Inside(edit.X, edit.Y, width, height)) continue;
    const std::uint32_t pixel = SwapRedAndBlue(edit.Colour);
    if (edit.Kind == PixelEditKind::Fill) {
      FloodFill(pixels, width, height, edit.X, edit.Y, pixel);
    } else {
      pixels[static_cast<std::size_t>(edit.Y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(edit.X)] = pixel;
    }
    ++done;
  }
  return done;
}
