#pragma once
// The pixel work of the skin image loader: the colours an image is made of, and rewriting an
// image by flood fills and single-pixel writes, so that a skin can re-colour the parts of its
// images. Pixels are 32-bit DIB words 0xAARRGGBB, `height` rows of `width`, top row first;
// colours are colour words 0xAABBGGRR (alpha in the high byte, red in the low byte).
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The colours of the pixels, each once, in the order first met (row by row from the top), at
// most `most` of them.
std::vector<std::uint32_t> DistinctColours(std::span<const std::uint32_t> pixels, std::size_t most);

enum class PixelEditKind {
  Fill,   // the region of (X, Y)'s colour joined to it by edges takes the colour
  Write,  // the pixel at (X, Y) takes the colour
};
struct PixelEdit {
  PixelEditKind Kind = PixelEditKind::Write;
  int X = 0;
  int Y = 0;
  std::uint32_t Colour = 0;  // colour word with alpha
};

// Carries the edits out in order; an edit whose point lies outside the image is skipped. The
// number carried out.
int ApplyPixelEdits(std::span<std::uint32_t> pixels, int width, int height, std::span<const PixelEdit> edits);
