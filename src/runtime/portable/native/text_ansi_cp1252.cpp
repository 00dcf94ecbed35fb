// The ANSI code page of builds without one: Windows-1252, so that both builds produce the
// same bytes for Western texts.
#include "runtime/portable/text.h"

namespace {

constexpr std::uint32_t kCp1252 = 1252;

// Windows-1252 bytes 0x80..0x9F; 0 marks the five bytes the code page leaves undefined.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char UnitToCp1252(char16_t unit) {
  if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<char>(unit);
  for (int i = 0; i < 32; ++i) {
    if (kHighControls[i] != 0 && kHighControls[i] == unit) return static_cast<char>(0x80 + i);
  }
  return '?';
}

}  // namespace

std::string TextToAnsi(TextView text) {
  std::string out;
  out.reserve(text.size());
  for (char16_t unit : text) out.push_back(UnitToCp1252(unit));
  return out;
}

Text AnsiToText(std::string_view bytes) {
  Text out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x80 && b <= 0x9F) {
      const char16_t mapped = kHighControls[b - 0x80];
      out.push_back(mapped != 0 ? mapped : static_cast<char16_t>(b));
    } else {
      out.push_back(b);
    }
  }
  return out;
}

std::uint32_t AnsiCodePage() { return kCp1252; }

bool CodePageToText(std::string_view bytes, std::uint32_t codePage, Text& text) {
  text = AnsiToText(bytes);
  return codePage == kCp1252;
}
