#include "runtime/portable/line_table.h"

#include <zlib.h>

#include <limits>

namespace {

constexpr std::string_view kMagic = "VLT1";
constexpr std::size_t kHeaderSize = 24;  // magic, identity, row count, CRC-32
constexpr std::size_t kMaxStepBytes = 5;  // a 32-bit value in LEB128

std::uint32_t Little32(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value |= std::uint32_t{static_cast<unsigned char>(bytes[at + i])} << (8 * i);
  return value;
}

void AppendLittle32(std::string& bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void AppendStep(std::string& bytes, std::uint32_t value) {
  do {
    const auto low = static_cast<unsigned char>(value & 0x7F);
    value >>= 7;
    bytes += static_cast<char>(value != 0 ? (low | 0x80) : low);
  } while (value != 0);
}

// One LEB128 value of at most 32 bits at `at`, which moves past it; false past the end or when
// the value does not fit.
bool ReadStep(std::string_view bytes, std::size_t& at, std::uint32_t& value) {
  std::uint64_t result = 0;
  for (std::size_t i = 0; i < kMaxStepBytes && at < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[at++]);
    result |= std::uint64_t{byte & 0x7Fu} << (7 * i);
    if ((byte & 0x80) == 0) {
      if (result > std::numeric_limits<std::uint32_t>::max()) return false;
      value = static_cast<std::uint32_t>(result);
      return true;
    }
  }
  return false;
}

std::uint32_t ZigZag(std::int64_t step) {
  return static_cast<std::uint32_t>(step < 0 ? ((-step) << 1) - 1 : step << 1);
}

std::int64_t FromZigZag(std::uint32_t value) {
  return (value & 1) != 0 ? -static_cast<std::int64_t>((value >> 1) + 1) : static_cast<std::int64_t>(value >> 1);
}

std::uint32_t Crc32(std::string_view bytes) {
  const auto* data = reinterpret_cast<const Bytef*>(bytes.data());
  return static_cast<std::uint32_t>(crc32(crc32(0L, Z_NULL, 0), data, static_cast<uInt>(bytes.size())));
}

}  // namespace

bool ReadProgramIdentity(std::string_view image, ProgramIdentity& identity, std::uint32_t& imageBase) {
  constexpr std::size_t kFileHeaderSize = 20, kOptionalHeaderUsed = 68;
  if (image.size() < 0x40 || image.substr(0, 2) != "MZ") return false;
  const std::uint64_t signature = Little32(image, 0x3C);
  const std::uint64_t optional = signature + 4 + kFileHeaderSize;
  if (optional + kOptionalHeaderUsed > image.size() || image.substr(signature, 4) != std::string_view("PE\0\0", 4)) {
    return false;
  }
  if (Little32(image, optional) % 0x10000 != 0x10B) return false;  // PE32
  identity.timeDateStamp = Little32(image, signature + 8);
  imageBase = Little32(image, optional + 28);
  identity.sizeOfImage = Little32(image, optional + 56);
  identity.checkSum = Little32(image, optional + 64);
  return true;
}

std::string EncodeLineTable(const ProgramIdentity& program, std::span<const LineTableRow> rows) {
  std::string body;
  LineTableRow previous;
  for (const LineTableRow& row : rows) {
    AppendStep(body, row.offset - previous.offset);
    AppendStep(body, ZigZag(std::int64_t{row.line} - previous.line));
    previous = row;
  }
  std::string table(kMagic);
  AppendLittle32(table, program.timeDateStamp);
  AppendLittle32(table, program.sizeOfImage);
  AppendLittle32(table, program.checkSum);
  AppendLittle32(table, static_cast<std::uint32_t>(rows.size()));
  AppendLittle32(table, Crc32(body));
  return table + body;
}

std::int32_t FindSourceLine(std::string_view table, const ProgramIdentity& program, std::uint32_t offset) {
  if (table.size() < kHeaderSize || table.substr(0, 4) != kMagic) return -1;
  const ProgramIdentity owner{Little32(table, 4), Little32(table, 8), Little32(table, 12)};
  const std::string_view body = table.substr(kHeaderSize);
  if (owner != program || Crc32(body) != Little32(table, 20)) return -1;
  const std::uint32_t rowCount = Little32(table, 16);
  std::int64_t rowOffset = 0, line = 0, found = 0;
  std::size_t at = 0;
  for (std::uint32_t row = 0; row < rowCount; ++row) {
    std::uint32_t offsetStep = 0, lineStep = 0;
    if (!ReadStep(body, at, offsetStep) || !ReadStep(body, at, lineStep)) return -1;
    if (row > 0 && offsetStep == 0) return -1;  // offsets rise strictly
    rowOffset += offsetStep;
    line += FromZigZag(lineStep);
    if (rowOffset > std::numeric_limits<std::uint32_t>::max() || line < 0 || line > std::numeric_limits<std::int32_t>::max()) {
      return -1;
    }
    if (rowOffset <= offset) found = line;
  }
  // Bytes after the last row mean the count or the rows are not what was written.
  if (at != body.size()) return -1;
  return found > 0 ? static_cast<std::int32_t>(found) : -1;
}
