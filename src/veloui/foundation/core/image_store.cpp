#include "veloui/foundation/core/image_store.h"

ImageStoreGlobals& ImageStore() {
  static ImageStoreGlobals globals;
  return globals;
}

void ResetImageStoreForTesting() { ImageStore() = ImageStoreGlobals(); }

namespace {

ImageStoreHandle HandleOf(const ImageStoreEntry& entry) { return reinterpret_cast<ImageStoreHandle>(&entry); }

}  // namespace

ImageStoreHandle AddImageStoreEntry(ImageStoreEntry entry) {
  ImageStoreGlobals& store = ImageStore();
  entry.Key = 0;
  entry.ImageSet = store.NextImageSet++;
  store.UserCounts[entry.ImageSet] = 1;
  return HandleOf(store.Entries.emplace_back(std::move(entry)));
}

ImageStoreHandle AddSharedImageStoreEntry(ImageStoreHandle owner) {
  const ImageStoreEntry* source = FindImageStoreEntry(owner);
  if (source == nullptr) return 0;
  ImageStoreEntry copy = *source;
  if (copy.Key == 0) copy.Key = owner;
  ImageStoreGlobals& store = ImageStore();
  ++store.UserCounts[copy.ImageSet];
  return HandleOf(store.Entries.emplace_back(std::move(copy)));
}

ImageStoreEntry* FindImageStoreEntry(ImageStoreHandle entry) {
  for (ImageStoreEntry& candidate : ImageStore().Entries) {
    if (HandleOf(candidate) == entry) return &candidate;
  }
  return nullptr;
}

int ImageStoreUserCount(ImageStoreHandle entry) {
  const ImageStoreEntry* found = FindImageStoreEntry(entry);
  if (found == nullptr) return 0;
  const auto count = ImageStore().UserCounts.find(found->ImageSet);
  return count == ImageStore().UserCounts.end() ? 0 : count->second;
}

std::optional<ImageStoreEntry> DropImageStoreEntry(ImageStoreHandle entry) {
  ImageStoreGlobals& store = ImageStore();
  for (auto it = store.Entries.begin(); it != store.Entries.end(); ++it) {
    if (HandleOf(*it) != entry) continue;
    ImageStoreEntry removed = std::move(*it);
    store.Entries.erase(it);
    const auto count = store.UserCounts.find(removed.ImageSet);
    if (count != store.UserCounts.end() && count->second > 1) {
      --count->second;
      return std::nullopt;
    }
    if (count != store.UserCounts.end()) store.UserCounts.erase(count);
    return removed;
  }
  return std::nullopt;
}
