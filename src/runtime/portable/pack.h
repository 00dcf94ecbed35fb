#pragma once
// Pack files: a plain sequence of entries without a directory. Each entry is two unsigned
// 32-bit little-endian sizes, the unpacked size and the stored size, then the stored bytes.
// Equal sizes mean the bytes are the entry as is; otherwise they are the entry compressed with
// zlib. Packs come from files anyone can hand over, so the reader trusts none of the sizes.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/portable/text.h"

// No entry is unpacked beyond this many bytes, whatever its header claims.
inline constexpr std::uint32_t kPackMaxEntrySize = 64u << 20;
// Nor does a pack unpack beyond this many bytes in all.
inline constexpr std::uint64_t kPackMaxTotalSize = 256u << 20;

// Appends one entry, compressed at level 9 when that makes it strictly smaller, else as is.
// False (and `pack` unchanged) for an entry above kPackMaxEntrySize.
bool AppendPackEntry(std::string& pack, std::string_view entry);

// Every entry in order. False, and `entries` empty, for any malformed pack: a size past the
// bytes left or above the caps, a compressed entry that does not inflate to exactly its
// unpacked size, or bytes after the last entry that make no whole header.
bool ReadPackEntries(std::string_view pack, std::vector<std::string>& entries);

// Name entries carry file names as UTF-16 (little-endian, no terminator).
std::string PackNameEntry(TextView name);
// The data entry that follows the name entry equal to `name`, walking the entries in pairs;
// nullptr when there is none.
const std::string* FindPackData(const std::vector<std::string>& entries, TextView name);
