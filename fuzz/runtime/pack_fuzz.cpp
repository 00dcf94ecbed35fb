// Any bytes as a pack: reading fails cleanly, or gives entries that pack and read back the same.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/portable/pack.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> entries;
  if (!ReadPackEntries(std::string_view(reinterpret_cast<const char*>(data), size), entries)) {
    if (!entries.empty()) std::abort();
    return 0;
  }
  std::string repacked;
  for (const std::string& entry : entries) {
    if (!AppendPackEntry(repacked, entry)) std::abort();
  }
  std::vector<std::string> again;
  if (!ReadPackEntries(repacked, again) || again != entries) std::abort();
  return 0;
}
