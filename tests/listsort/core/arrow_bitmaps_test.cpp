#include "listsort/core/arrow_bitmaps.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::uint32_t Read(const std::vector<std::uint8_t>& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes[at + i];
  return value;
}

// Reads the file as a bitmap reader would and draws it back as rows of X and dots.
std::vector<std::string> Picture(const std::vector<std::uint8_t>& file) {
  const std::uint32_t offset = Read(file, 10, 4);
  const std::uint32_t paletteAt = 14 + Read(file, 14, 4);
  std::vector<std::string> rows(12);
  for (int fileRow = 0; fileRow < 12; ++fileRow) {
    for (int x = 0; x < 12; ++x) {
      const std::uint32_t colour = Read(file, paletteAt + file[offset + fileRow * 12 + x] * 4u, 4) & 0xFFFFFF;
      rows[11 - fileRow] += colour == 0 ? 'X' : colour == 0xFFFFFF ? '.' : '?';  // bottom-up
    }
  }
  return rows;
}

}  // namespace

TEST(ArrowBitmaps, FilesAre8BitPaletteBitmapsOfTheArrows) {
  // Offset, size and value of each header field a reader relies on.
  const std::uint32_t kFields[][3] = {{2, 4, 1222}, {10, 4, 14 + 40 + 1024}, {14, 4, 40}, {18, 4, 12},
                                      {22, 4, 12},  {26, 2, 1},   {28, 2, 8},  {30, 4, 0},  {46, 4, 256}};
  for (ArrowDirection direction : {ArrowDirection::Ascending, ArrowDirection::Descending}) {
    const std::vector<std::uint8_t> file = ArrowBitmapFile(direction);
    ASSERT_EQ(file.size(), 1222u);
    EXPECT_EQ(Read(file, 0, 2), 'B' | 'M' << 8);
    for (const auto& field : kFields) EXPECT_EQ(Read(file, field[0], field[1]), field[2]) << "offset " << field[0];
    const std::vector<std::string> rows = Picture(file);
    for (int y = 0; y < 12; ++y) {
      for (int x = 0; x < 12; ++x) EXPECT_EQ(rows[y][x] == 'X', ArrowPixelIsBlack(direction, x, y)) << x << "," << y;
    }
  }
  const std::vector<std::string> up = Picture(ArrowBitmapFile(ArrowDirection::Ascending));
  EXPECT_EQ(up[3], "X...XXXX...X");
  EXPECT_EQ(up[8], "X....XX....X");
  EXPECT_EQ(std::vector<std::string>(up.rbegin(), up.rend()), Picture(ArrowBitmapFile(ArrowDirection::Descending)));
  EXPECT_FALSE(ArrowPixelIsBlack(ArrowDirection::Ascending, -1, 0));
  EXPECT_FALSE(ArrowPixelIsBlack(ArrowDirection::Descending, 0, 12));
  EXPECT_TRUE(ArrowPixelIsBlack(ArrowDirection::Ascending, 11, 11));
}
