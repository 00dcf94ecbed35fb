// Any bytes as "favs.dat": every record read must be written and read back unchanged.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/files/favorites.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto records = ParseFavorites(bytes);
  const auto again = ParseFavorites(FavoritesFileBytes(records));
  if (again.size() != records.size()) std::abort();
  for (std::size_t i = 0; i < records.size(); ++i) {
    const auto& a = records[i];
    const auto& b = again[i];
    if (a.Description != b.Description || a.Host != b.Host || a.Port != b.Port || a.Password != b.Password) {
      std::abort();
    }
  }
  return 0;
}
