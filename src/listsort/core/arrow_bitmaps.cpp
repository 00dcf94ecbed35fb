#include "listsort/core/arrow_bitmaps.h"

namespace {

constexpr const char* kAscendingRows[kArrowSide] = {
    "XXXXXXXXXXXX", "X..........X", "X....XX....X", "X...XXXX...X",
    "X..XXXXXX..X", "X.XXXXXXXX.X", "X....XX....X", "X....XX....X",
    "X....XX....X", "X....XX....X", "X..........X", "XXXXXXXXXXXX",
};

constexpr const char* kDescendingRows[kArrowSide] = {
    "XXXXXXXXXXXX", "X..........X", "X....XX....X", "X....XX....X",
    "X....XX....X", "X....XX....X", "X.XXXXXXXX.X", "X..XXXXXX..X",
    "X...XXXX...X", "X....XX....X", "X..........X", "XXXXXXXXXXXX",
};

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPaletteEntries = 256;
constexpr std::uint32_t kPixelOffset = kFileHeaderSize + kInfoHeaderSize + kPaletteEntries * 4;
constexpr std::uint8_t kBlackIndex = 0;
constexpr std::uint8_t kWhiteIndex = 1;

void Put16(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
  bytes.push_back(static_cast<std::uint8_t>(value));
  bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
  Put16(bytes, value & 0xFFFF);
  Put16(bytes, value >> 16);
}

}  // namespace

// Rows of 12 one-byte pixels are already a multiple of four bytes: no padding.
static_assert(kPixelOffset + kArrowSide * kArrowSide == kArrowFileSize);

bool ArrowPixelIsBlack(ArrowDirection direction, int x, int y) {
  if (x < 0 || y < 0 || x >= kArrowSide || y >= kArrowSide) return false;
  const auto& rows = direction == ArrowDirection::Ascending ? kAscendingRows : kDescendingRows;
  return rows[y][x] == 'X';
}

std::vector<std::uint8_t> ArrowBitmapFile(ArrowDirection direction) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(kArrowFileSize);
  bytes.push_back('B');
  bytes.push_back('M');
  Put32(bytes, kArrowFileSize);
  Put32(bytes, 0);  // reserved
  Put32(bytes, kPixelOffset);
  Put32(bytes, kInfoHeaderSize);
  Put32(bytes, kArrowSide);  // width
  Put32(bytes, kArrowSide);  // positive height: bottom-up rows
  Put16(bytes, 1);           // planes
  Put16(bytes, 8);           // bits per pixel
  Put32(bytes, 0);           // no compression
  Put32(bytes, kArrowSide * kArrowSide);
  Put32(bytes, 2835);  // 72 dpi, horizontally
  Put32(bytes, 2835);  // and vertically
  Put32(bytes, kPaletteEntries);
  Put32(bytes, 0);  // every colour is important
  for (std::uint32_t entry = 0; entry < kPaletteEntries; ++entry) {
    Put32(bytes, entry == kWhiteIndex ? 0x00FFFFFFu : 0u);  // blue, green, red, reserved
  }
  for (int y = kArrowSide - 1; y >= 0; --y) {
    for (int x = 0; x < kArrowSide; ++x) {
      bytes.push_back(ArrowPixelIsBlack(direction, x, y) ? kBlackIndex : kWhiteIndex);
    }
  }
  return bytes;
}
