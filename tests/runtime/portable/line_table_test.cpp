#include "runtime/portable/line_table.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <vector>

namespace {

constexpr ProgramIdentity kProgram{0x656E9A3B, 0x36B000, 0x360760};

// Two runs of code with a gap between them, as two functions of two source files give.
const std::vector<LineTableRow> kRows = {{0x100, 10}, {0x110, 12}, {0x120, 0}, {0x200, 7}, {0x210, 0}};

void PutLittle32(std::string& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A table of kProgram with these raw rows, its count and CRC-32 as a writer would set them.
std::string TableWithRowBytes(const std::string& rowBytes, std::uint32_t count) {
  std::string table = EncodeLineTable(kProgram, {});
  table += rowBytes;
  PutLittle32(table, 16, count);
  const auto* data = reinterpret_cast<const Bytef*>(rowBytes.data());
  PutLittle32(table, 20, static_cast<std::uint32_t>(crc32(crc32(0L, Z_NULL, 0), data, static_cast<uInt>(rowBytes.size()))));
  return table;
}

TEST(LineTable, EachRowsLineHoldsUpToTheNextRow) {
  const std::string table = EncodeLineTable(kProgram, kRows);
  const std::pair<std::uint32_t, std::int32_t> cases[] = {
      {0, -1},     {0xFF, -1},  {0x100, 10}, {0x10F, 10}, {0x110, 12}, {0x11F, 12},        {0x120, -1},
      {0x1FF, -1}, {0x200, 7},  {0x20F, 7},  {0x210, -1}, {0x211, -1}, {0xFFFFFFFF, -1}};
  for (const auto& [offset, line] : cases) EXPECT_EQ(FindSourceLine(table, kProgram, offset), line) << offset;
}

TEST(LineTable, HoldsTheWholeRangeOfOffsetsAndLines) {
  const std::vector<LineTableRow> rows = {{0, 2147483647}, {0x10, 1}, {0x7FFFFFFF, 2000000000}, {0xFFFFFFFE, 0}};
  const std::string table = EncodeLineTable(kProgram, rows);
  EXPECT_EQ(FindSourceLine(table, kProgram, 0), 2147483647);
  EXPECT_EQ(FindSourceLine(table, kProgram, 0xF), 2147483647);
  EXPECT_EQ(FindSourceLine(table, kProgram, 0x10), 1);
  EXPECT_EQ(FindSourceLine(table, kProgram, 0x7FFFFFFE), 1);
  EXPECT_EQ(FindSourceLine(table, kProgram, 0x7FFFFFFF), 2000000000);
  EXPECT_EQ(FindSourceLine(table, kProgram, 0xFFFFFFFD), 2000000000);
  EXPECT_EQ(FindSourceLine(table, kProgram, 0xFFFFFFFE), -1);
  // Offset steps below 128 and line steps from -64 to 63 take one byte each, the next ones two.
  EXPECT_EQ(EncodeLineTable(kProgram, std::vector<LineTableRow>{{0x7F, 63}, {0xFE, 0}}).size(), 24u + 4);
  EXPECT_EQ(EncodeLineTable(kProgram, std::vector<LineTableRow>{{0x80, 64}, {0x100, 0}}).size(), 24u + 7);
}

TEST(LineTable, AnotherBuildsTableNamesNoLine) {
  const std::string table = EncodeLineTable(kProgram, kRows);
  ProgramIdentity other = kProgram;
  other.timeDateStamp += 1;
  EXPECT_EQ(FindSourceLine(table, other, 0x100), -1);
  other = kProgram;
  other.sizeOfImage -= 0x1000;
  EXPECT_EQ(FindSourceLine(table, other, 0x100), -1);
  other = kProgram;
  other.checkSum ^= 0x80000000;
  EXPECT_EQ(FindSourceLine(table, other, 0x100), -1);
}

TEST(LineTable, AnyChangedByteOrMissingTailNamesNoLine) {
  const std::string table = EncodeLineTable(kProgram, kRows);
  ASSERT_EQ(FindSourceLine(table, kProgram, 0x200), 7);
  for (std::size_t at = 0; at < table.size(); ++at) {
    for (const unsigned char flip : {0x01, 0x80}) {
      std::string damaged = table;
      damaged[at] = static_cast<char>(damaged[at] ^ flip);
      EXPECT_EQ(FindSourceLine(damaged, kProgram, 0x200), -1) << at << " " << int{flip};
    }
  }
  for (std::size_t size = 0; size < table.size(); ++size) {
    EXPECT_EQ(FindSourceLine(table.substr(0, size), kProgram, 0x200), -1) << size;
  }
  EXPECT_EQ(FindSourceLine(table + '\0', kProgram, 0x200), -1);
}

TEST(LineTable, RowsThatCannotBeTheWritersNameNoLine) {
  // Each set of rows below carries a right count and CRC, so that only the rows are at fault.
  const std::pair<std::string, std::uint32_t> cases[] = {
      {std::string("\x10\x14\x00\x02", 4), 2},          // the second offset does not rise
      {std::string("\x10\x14\x10\x15", 4), 2},          // the line falls below 0
      {"\x80\x80\x80\x80\x10\x02", 1},                  // an offset step beyond 32 bits
      {"\x80\x80\x80\x80\x80\x01\x02", 1},              // a step longer than 5 bytes
      {"\xFF\xFF\xFF\xFF\x0F\x02\x01\x02", 2},          // offsets summing beyond 32 bits
      {"\x10\xFE\xFF\xFF\xFF\x0F\x10\xFE\xFF\xFF\xFF\x0F", 2},  // lines summing beyond 31 bits
      {"\x10\x14\x10", 2},                              // a row cut short
      {"\x10\x14", 2},                                  // fewer rows than counted
      {std::string("\x10\x14\x10\x00", 4), 1},          // more rows than counted
  };
  for (const auto& [rows, count] : cases) {
    EXPECT_EQ(FindSourceLine(TableWithRowBytes(rows, count), kProgram, 0x10), -1) << testing::PrintToString(rows);
  }
  // The same layout, written right, does name the line: the cases fail for their fault alone.
  EXPECT_EQ(FindSourceLine(TableWithRowBytes(std::string("\x10\x14\x10\x13", 4), 2), kProgram, 0x10), 10);
  EXPECT_EQ(FindSourceLine(TableWithRowBytes(std::string("\x10\x14\x10\x13", 4), 2), kProgram, 0x20), -1);
  EXPECT_EQ(FindSourceLine(EncodeLineTable(kProgram, {}), kProgram, 0), -1);
}

// The start of a 32-bit PE image with the header at 0x80.
std::string ImageHeader() {
  std::string image(0x200, '\0');
  image[0] = 'M';
  image[1] = 'Z';
  PutLittle32(image, 0x3C, 0x80);
  image.replace(0x80, 4, std::string("PE\0\0", 4));
  PutLittle32(image, 0x88, kProgram.timeDateStamp);
  PutLittle32(image, 0x98, 0x10B);
  PutLittle32(image, 0x98 + 28, 0x400000);
  PutLittle32(image, 0x98 + 56, kProgram.sizeOfImage);
  PutLittle32(image, 0x98 + 64, kProgram.checkSum);
  return image;
}

TEST(ProgramIdentity, ReadFromTheImagesHeader) {
  ProgramIdentity identity;
  std::uint32_t imageBase = 0;
  const std::string image = ImageHeader();
  ASSERT_TRUE(ReadProgramIdentity(image, identity, imageBase));
  EXPECT_EQ(identity, kProgram);
  EXPECT_EQ(imageBase, 0x400000u);
  // The header's last field read ends at 0x98 + 68.
  EXPECT_TRUE(ReadProgramIdentity(image.substr(0, 0x98 + 68), identity, imageBase));
  EXPECT_FALSE(ReadProgramIdentity(image.substr(0, 0x98 + 67), identity, imageBase));
  EXPECT_FALSE(ReadProgramIdentity(image.substr(0, 0x3F), identity, imageBase));
}

TEST(ProgramIdentity, NoneInBytesThatAreNoPe32Image) {
  ProgramIdentity identity;
  std::uint32_t imageBase = 0;
  std::string image = ImageHeader();
  image[1] = 'X';
  EXPECT_FALSE(ReadProgramIdentity(image, identity, imageBase));
  image = ImageHeader();
  image[0x81] = 'F';
  EXPECT_FALSE(ReadProgramIdentity(image, identity, imageBase));
  image = ImageHeader();
  PutLittle32(image, 0x98, 0x20B);  // a 64-bit image
  EXPECT_FALSE(ReadProgramIdentity(image, identity, imageBase));
  for (const std::uint32_t at : {0x200u - 4, 0x200u, 0xFFFFFFF0u, 0xFFFFFFFFu}) {
    image = ImageHeader();
    PutLittle32(image, 0x3C, at);
    EXPECT_FALSE(ReadProgramIdentity(image, identity, imageBase)) << at;
  }
}

}  // namespace
