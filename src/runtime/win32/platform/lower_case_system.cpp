// The lower-case table of the Windows build: the system's own mapping, asked for once for every
// unit. The invariant locale keeps it the same for every user (no Turkish dotless i).
#include <windows.h>

#include <memory>

#include "runtime/portable/lower_case.h"

namespace {

constexpr int kFirstSurrogate = 0xD800;
constexpr int kPastSurrogates = 0xE000;

// Maps units [first, past) in place; false when the system refused.
bool LowerRange(LowerCaseTable& table, int first, int past) {
  auto* units = reinterpret_cast<wchar_t*>(table.data() + first);
  const int count = past - first;
  return LCMapStringW(LOCALE_INVARIANT, LCMAP_LOWERCASE, units, count, units, count) == count;
}

}  // namespace

const LowerCaseTable& SystemLowerCase() {
  static const std::unique_ptr<const LowerCaseTable> table = [] {
    auto made = std::make_unique<LowerCaseTable>();
    for (std::size_t unit = 0; unit < made->size(); ++unit) (*made)[unit] = static_cast<char16_t>(unit);
    // Lone surrogates are no characters; they stay as they are. A system that refuses the
    // request leaves the stand-in, which is its table written down.
    if (!LowerRange(*made, 0, kFirstSurrogate) || !LowerRange(*made, kPastSurrogates, 0x10000)) {
      FillStandInLowerCase(*made);
    }
    return made;
  }();
  return *table;
}
