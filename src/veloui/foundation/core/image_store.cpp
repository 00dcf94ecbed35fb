#include "veloui/foundation/core/image_store.h"

#include <atomic>

ToolkitRecordList<ImageStoreEntry>& ImageStoreList() {
  return ToolkitList<ImageStoreEntry>(ToolkitListId::ImageStore);
}

ToolkitTextMap<std::int32_t>& ImageStoreKeys() { return ToolkitMap<std::int32_t>(ToolkitMapId::ImageStoreKeys); }

namespace {

// Never reset, not even by a new start of the toolkit, so no two image sets share a key.
std::atomic<std::uint64_t> NextImageSet{1};

ImageStoreHandle HandleOf(const ImageStoreEntry& entry) { return reinterpret_cast<ImageStoreHandle>(&entry); }

Text CountKey(const ImageStoreEntry& entry) { return DecimalText(static_cast<std::int64_t>(entry.ImageSet)); }

}  // namespace

ImageStoreHandle AddImageStoreEntry(ImageStoreEntry entry) {
  entry.Key = 0;
  entry.ImageSet = NextImageSet++;
  ImageStoreKeys()[CountKey(entry)] = 1;
  return HandleOf(ImageStoreList().emplace_back(std::move(entry)));
}

ImageStoreHandle AddSharedImageStoreEntry(ImageStoreHandle owner) {
  const ImageStoreEntry* source = FindImageStoreEntry(owner);
  if (source == nullptr) return 0;
  ImageStoreEntry copy = *source;
  if (copy.Key == 0) copy.Key = owner;
  ++ImageStoreKeys()[CountKey(copy)];
  return HandleOf(ImageStoreList().emplace_back(std::move(copy)));
}

ImageStoreEntry* FindImageStoreEntry(ImageStoreHandle entry) {
  for (ImageStoreEntry& candidate : ImageStoreList()) {
    if (HandleOf(candidate) == entry) return &candidate;
  }
  return nullptr;
}

int ImageStoreUserCount(ImageStoreHandle entry) {
  const ImageStoreEntry* found = FindImageStoreEntry(entry);
  if (found == nullptr) return 0;
  const auto count = ImageStoreKeys().find(CountKey(*found));
  return count == ImageStoreKeys().end() ? 0 : count->second;
}

std::optional<ImageStoreEntry> DropImageStoreEntry(ImageStoreHandle entry) {
  auto& entries = ImageStoreList();
  for (auto it = entries.begin(); it != entries.end(); ++it) {
    if (HandleOf(*it) != entry) continue;
    ImageStoreEntry removed = std::move(*it);
    entries.erase(it);
    auto& keys = ImageStoreKeys();
    const auto count = keys.find(CountKey(removed));
    if (count != keys.end() && count->second > 1) {
      --count->second;
      return std::nullopt;
    }
    if (count != keys.end()) keys.erase(count);
    return removed;
  }
  return std::nullopt;
}

bool SeparateImageStoreEntry(ImageStoreHandle entry) {
  ImageStoreEntry* found = FindImageStoreEntry(entry);
  if (found == nullptr) return false;
  auto& keys = ImageStoreKeys();
  const auto count = keys.find(CountKey(*found));
  if (count == keys.end() || count->second <= 1) return false;
  --count->second;
  found->Key = 0;
  found->ImageSet = NextImageSet++;
  keys[CountKey(*found)] = 1;
  return true;
}

std::optional<ImageStoreEntry> TakeImageStoreImages(ImageStoreHandle entry) {
  ImageStoreEntry* found = FindImageStoreEntry(entry);
  if (found == nullptr) return std::nullopt;
  ImageStoreEntry images;
  images.StateImageLists.swap(found->StateImageLists);
  images.StateBitmaps.swap(found->StateBitmaps);
  if (SeparateImageStoreEntry(entry)) return std::nullopt;
  return images;
}
