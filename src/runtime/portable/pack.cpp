#include "runtime/portable/pack.h"

#include <zlib.h>

namespace {

void PutSize(std::string& out, std::uint32_t size) {
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((size >> shift) & 0xFF);
}

std::uint32_t SizeAt(std::string_view bytes, std::size_t at) {
  std::uint32_t size = 0;
  for (int i = 3; i >= 0; --i) size = (size << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  return size;
}

// The level-9 stream, or "" when it would not be strictly smaller than the entry.
std::string Compress(std::string_view entry) {
  uLongf length = compressBound(static_cast<uLong>(entry.size()));
  std::string out(length, '\0');
  if (compress2(reinterpret_cast<Bytef*>(out.data()), &length, reinterpret_cast<const Bytef*>(entry.data()),
                static_cast<uLong>(entry.size()), 9) != Z_OK ||
      length >= entry.size()) {
    return {};
  }
  out.resize(length);
  return out;
}

// zlib never packs more than 1032 bytes into one; a claim beyond that is refused before any
// room is made for it.
bool IsPlausible(std::uint32_t unpacked, std::uint32_t stored) {
  return unpacked == stored || unpacked <= static_cast<std::uint64_t>(stored) * 1032 + 64;
}

// The whole stream must inflate to exactly `size` bytes, no more and no fewer.
bool Inflate(std::string_view stored, std::uint32_t size, std::string& out) {
  out.assign(size, '\0');
  uLongf length = size;
  uLong consumed = static_cast<uLong>(stored.size());
  return uncompress2(reinterpret_cast<Bytef*>(out.data()), &length, reinterpret_cast<const Bytef*>(stored.data()),
                     &consumed) == Z_OK &&
         length == size && consumed == stored.size();
}

bool Refuse(std::vector<std::string>& entries) {
  entries.clear();
  return false;
}

}  // namespace

bool AppendPackEntry(std::string& pack, std::string_view entry) {
  if (entry.size() > kPackMaxEntrySize) return false;
  const std::string compressed = entry.empty() ? std::string() : Compress(entry);
  const std::string_view stored = compressed.empty() ? entry : std::string_view(compressed);
  PutSize(pack, static_cast<std::uint32_t>(entry.size()));
  PutSize(pack, static_cast<std::uint32_t>(stored.size()));
  pack.append(stored);
  return true;
}

bool ReadPackEntries(std::string_view pack, std::vector<std::string>& entries) {
  entries.clear();
  std::size_t at = 0;
  std::uint64_t total = 0;
  while (at < pack.size()) {
    if (pack.size() - at < 8) return Refuse(entries);
    const std::uint32_t unpacked = SizeAt(pack, at);
    const std::uint32_t stored = SizeAt(pack, at + 4);
    at += 8;
    total += unpacked;
    if (unpacked > kPackMaxEntrySize || total > kPackMaxTotalSize || stored > pack.size() - at ||
        !IsPlausible(unpacked, stored)) {
      return Refuse(entries);
    }
    const std::string_view bytes = pack.substr(at, stored);
    at += stored;
    if (unpacked == stored) {
      entries.emplace_back(bytes);
    } else if (!Inflate(bytes, unpacked, entries.emplace_back())) {
      return Refuse(entries);
    }
  }
  return true;
}

std::string PackNameEntry(TextView name) {
  std::string out;
  out.reserve(name.size() * 2);
  for (char16_t c : name) {
    out += static_cast<char>(c & 0xFF);
    out += static_cast<char>(c >> 8);
  }
  return out;
}

const std::string* FindPackData(const std::vector<std::string>& entries, TextView name) {
  const std::string wanted = PackNameEntry(name);
  for (std::size_t i = 0; i + 1 < entries.size(); i += 2) {
    if (entries[i] == wanted) return &entries[i + 1];
  }
  return nullptr;
}
