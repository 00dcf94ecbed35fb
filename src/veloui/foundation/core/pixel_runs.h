#pragma once
// The rectangles that cover every pixel of an image other than a key colour: pixels of a
// row are joined into runs, and a run that repeats a run of the row above extends it, so a
// window region is made of a few rectangles instead of one per pixel.
#include <cstdint>
#include <vector>

struct PixelRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;  // exclusive
  int Bottom = 0;
  bool operator==(const PixelRect&) const = default;
};

// `pixels`: `height` rows of `width` colour words 0x00BBGGRR, top row first; the high byte
// is ignored, and so is that of `key`.
std::vector<PixelRect> PixelRunsOtherThan(const std::vector<std::uint32_t>& pixels, int width, int height,
                                          std::uint32_t key);
