#pragma once
// The pixel routines of the skin image loader on 32-bit DIB sections (the images the other
// skin-image operations take): the colours an image is made of, and rewriting its pixels by
// flood fills and single-pixel writes. Points count from the top-left pixel as the image
// stands, whichever way up its rows are stored.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "veloui/foundation/core/pixel_edits.h"

// The image's colours (0xAABBGGRR), each once in the order first met row by row from the top,
// at most `most`; none when the image is no 32-bit DIB section.
std::vector<std::uint32_t> FindImageColours(HBITMAP image, std::size_t most);
// Carries the edits out in order; the number carried out (an edit outside the image is
// skipped), 0 when the image is no 32-bit DIB section.
std::int32_t RewriteImagePixels(HBITMAP image, std::span<const PixelEdit> edits);
