// The ANSI code page of the Windows build: the system's own (CP_ACP).
#include <windows.h>

#include "runtime/portable/text.h"

namespace {

// One byte per UTF-16 unit, as the packet lengths count characters: a unit the code page
// cannot hold in one byte (unmapped, a surrogate, or a double-byte character) becomes '?'.
// Never a best-fit look-alike: the server would get a character nobody typed (a password
// would quietly become another one), and builds without a code page could not match it.
char UnitToAnsi(char16_t unit) {
  if (unit < 0x80) return static_cast<char>(unit);
  const wchar_t wide = static_cast<wchar_t>(unit);
  char bytes[4] = {};
  BOOL lossy = FALSE;
  const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &wide, 1, bytes, sizeof bytes,
                                    nullptr, &lossy);
  return (n == 1 && !lossy) ? bytes[0] : '?';
}

}  // namespace

std::string TextToAnsi(TextView text) {
  std::string out;
  out.reserve(text.size());
  for (char16_t unit : text) out.push_back(UnitToAnsi(unit));
  return out;
}

Text AnsiToText(std::string_view bytes) {
  Text out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    wchar_t wide = L'?';
    MultiByteToWideChar(CP_ACP, 0, &c, 1, &wide, 1);
    out.push_back(static_cast<char16_t>(wide));
  }
  return out;
}

std::uint32_t AnsiCodePage() { return GetACP(); }

bool CodePageToText(std::string_view bytes, std::uint32_t codePage, Text& text) {
  text.clear();
  if (bytes.empty()) return true;
  const int size = static_cast<int>(bytes.size());
  DWORD flags = MB_ERR_INVALID_CHARS;
  int units = MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
  const bool valid = units > 0;
  if (!valid) {
    // The best reading of bytes the code page does not hold: the system's substitutes.
    flags = 0;
    units = MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
    if (units <= 0) return false;
  }
  text.resize(static_cast<std::size_t>(units));
  MultiByteToWideChar(codePage, flags, bytes.data(), size, reinterpret_cast<wchar_t*>(text.data()), units);
  return valid;
}
