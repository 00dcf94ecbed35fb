#include "listsort/core/arrow_bitmaps.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

std::uint32_t Read32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | std::uint32_t(bytes[at + 3]) << 24;
}
std::uint16_t Read16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

// Reads the file as a bitmap reader would and draws it back as rows of X and dots.
std::vector<std::string> Picture(const std::vector<std::uint8_t>& file) {
  const std::uint32_t offset = Read32(file, 10);
  const std::uint32_t paletteAt = 14 + Read32(file, 14);
  std::vector<std::string> rows(12);
  for (int fileRow = 0; fileRow < 12; ++fileRow) {
    std::string& row = rows[11 - fileRow];  // bottom-up
    for (int x = 0; x < 12; ++x) {
      const std::uint8_t index = file[offset + fileRow * 12 + x];
      const std::uint32_t colour = Read32(file, paletteAt + index * 4u) & 0xFFFFFF;
      row += colour == 0 ? 'X' : colour == 0xFFFFFF ? '.' : '?';
    }
  }
  return rows;
}

}  // namespace

TEST(ArrowBitmaps, FilesAreComplete8BitPaletteBitmaps) {
  for (ArrowDirection direction : {ArrowDirection::Ascending, ArrowDirection::Descending}) {
    const std::vector<std::uint8_t> file = ArrowBitmapFile(direction);
    ASSERT_EQ(file.size(), 1222u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(Read32(file, 2), 1222u);
    EXPECT_EQ(Read32(file, 10), 14u + 40u + 1024u);
    EXPECT_EQ(Read32(file, 14), 40u);
    EXPECT_EQ(Read32(file, 18), 12u);
    EXPECT_EQ(Read32(file, 22), 12u);
    EXPECT_EQ(Read16(file, 26), 1u);
    EXPECT_EQ(Read16(file, 28), 8u);
    EXPECT_EQ(Read32(file, 30), 0u);
    EXPECT_EQ(Read32(file, 46), 256u);
  }
}

// The file draws what the pixel test answers (rows bottom-up, palette right), and the arrows
// point the way their names say.
TEST(ArrowBitmaps, FilesShowTheArrows) {
  for (ArrowDirection direction : {ArrowDirection::Ascending, ArrowDirection::Descending}) {
    const std::vector<std::string> rows = Picture(ArrowBitmapFile(direction));
    for (int y = 0; y < 12; ++y) {
      for (int x = 0; x < 12; ++x) EXPECT_EQ(rows[y][x] == 'X', ArrowPixelIsBlack(direction, x, y)) << x << "," << y;
    }
  }
  const std::vector<std::string> up = Picture(ArrowBitmapFile(ArrowDirection::Ascending));
  EXPECT_EQ(up[3], "X...XXXX...X");
  EXPECT_EQ(up[8], "X....XX....X");
  EXPECT_EQ(std::vector<std::string>(up.rbegin(), up.rend()), Picture(ArrowBitmapFile(ArrowDirection::Descending)));
}

TEST(ArrowBitmaps, PixelsOutsideArePlain) {
  EXPECT_FALSE(ArrowPixelIsBlack(ArrowDirection::Ascending, -1, 0));
  EXPECT_FALSE(ArrowPixelIsBlack(ArrowDirection::Descending, 0, 12));
  EXPECT_TRUE(ArrowPixelIsBlack(ArrowDirection::Ascending, 11, 11));
}
