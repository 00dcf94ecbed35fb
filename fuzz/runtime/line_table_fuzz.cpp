// Any bytes as the address-to-line table beside the program, and as a program's header: the
// reader must hold up and answer no line or a positive one. The bytes are tried twice, as they
// are and with the table's identity and CRC-32 made right, so that the rows themselves are tried.
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "runtime/portable/line_table.h"

namespace {

std::uint32_t Little32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value |= std::uint32_t{static_cast<unsigned char>(bytes[at + i])} << (8 * i);
  return value;
}

void LookUp(const std::string& table, const ProgramIdentity& program, std::uint32_t offset) {
  const std::int32_t line = FindSourceLine(table, program, offset);
  if (line == 0 || line < -1) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string table(reinterpret_cast<const char*>(data), size);
  ProgramIdentity program;
  std::uint32_t imageBase = 0;
  ReadProgramIdentity(table, program, imageBase);
  const std::uint32_t offset = size >= 4 ? Little32(table, size - 4) : 0;
  LookUp(table, program, offset);
  if (size < 24) return 0;
  program = {Little32(table, 4), Little32(table, 8), Little32(table, 12)};
  table.replace(0, 4, "VLT1");
  const auto* rows = reinterpret_cast<const Bytef*>(table.data() + 24);
  const auto crc = static_cast<std::uint32_t>(crc32(crc32(0L, Z_NULL, 0), rows, static_cast<uInt>(size - 24)));
  for (int i = 0; i < 4; ++i) table[20 + i] = static_cast<char>((crc >> (8 * i)) & 0xFF);
  LookUp(table, program, offset);
  LookUp(table, program, 0);
  return 0;
}
