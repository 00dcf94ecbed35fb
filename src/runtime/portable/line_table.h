#pragma once
// The program's address-to-line table: the file the build writes beside the program, which the
// error report reads to name the source line of a fault. It maps offsets from the program's
// load address to source lines, so that it holds wherever the system loaded the program.
//
// Layout, little-endian: "VLT1"; the identity of the program it belongs to (three 32-bit
// values of its header); the row count; the CRC-32 of the rows; then the rows, each an
// unsigned LEB128 offset step and a zig-zag LEB128 line step. A row's line holds from its
// offset up to the next row's; line 0 means no line. The file lies beside the program where
// anyone can replace it, so the reader trusts nothing in it.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// What tells one build of the program from another: fields of its PE header that the loader
// keeps as they are in the file.
struct ProgramIdentity {
  std::uint32_t timeDateStamp = 0;
  std::uint32_t sizeOfImage = 0;
  std::uint32_t checkSum = 0;
  bool operator==(const ProgramIdentity&) const = default;
};

// The identity and preferred load address read from the start of a 32-bit PE image, as a file or
// as mapped; false when the bytes hold no such header.
bool ReadProgramIdentity(std::string_view image, ProgramIdentity& identity, std::uint32_t& imageBase);

struct LineTableRow {
  std::uint32_t offset = 0;  // from the program's load address
  std::int32_t line = 0;     // 0: no line from this offset on
};

// Far above any table of this program; a larger file beside it is not read at all.
inline constexpr std::uint64_t kLineTableMaxSize = 16u << 20;

// The table file for `rows`, whose offsets must rise strictly and whose lines are 0 or positive.
std::string EncodeLineTable(const ProgramIdentity& program, std::span<const LineTableRow> rows);

// The source line of the code at `offset`; -1 when the table belongs to another program, is
// damaged in any way, or names no line there.
std::int32_t FindSourceLine(std::string_view table, const ProgramIdentity& program, std::uint32_t offset);
