#pragma once
// The two 12 x 12 arrows that mark the sorted column when the header draws images: a black
// frame, a white inside and a black arrow, kept as complete 8-bit palette bitmap files so
// that the windowed half loads them like any embedded image.
#include <cstdint>
#include <vector>

inline constexpr int kArrowSide = 12;
inline constexpr std::size_t kArrowFileSize = 1222;

enum class ArrowDirection { Ascending, Descending };

// True where the arrow picture is black; x and y from the top left corner.
bool ArrowPixelIsBlack(ArrowDirection direction, int x, int y);

// A bitmap file of kArrowFileSize bytes: file header, information header, 256 palette
// entries (0 black, 1 white), then the rows bottom-up, one palette index per pixel.
std::vector<std::uint8_t> ArrowBitmapFile(ArrowDirection direction);
