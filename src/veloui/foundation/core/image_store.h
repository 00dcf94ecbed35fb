#pragma once
// The image store: sets of per-state image lists and bitmaps that skinned controls share.
// An entry either owns its images or shares those of another entry; the images go when the
// last entry that uses them is freed. Handles are entry addresses, so the count of users is
// kept under a serial number of the image set that is never reused: an entry made later at a
// freed entry's address cannot take over the count of images that are still in use.
#include <array>
#include <cstdint>
#include <map>
#include <optional>

#include "runtime/portable/text.h"
#include "veloui/foundation/core/toolkit_registry.h"

struct ImageStoreImageLists {
  std::array<std::uintptr_t, 8> ImageLists{};
  std::int32_t EdgeMode = 0;  // how the edges of a nine-part border are drawn
};
struct ImageStoreBitmaps {
  std::array<std::uintptr_t, 9> Bitmaps{};
};

using ImageStoreHandle = std::uintptr_t;

struct ImageStoreEntry {
  Text Name;
  Text Source;
  std::map<Text, ImageStoreImageLists> StateImageLists;  // by state name
  std::map<Text, ImageStoreBitmaps> StateBitmaps;        // by state name
  ImageStoreHandle Key = 0;  // 0: owns its images; else the entry whose images it shares
  std::uint64_t ImageSet = 0;
};

// The toolkit's image-store list, and its key map: the number of users under the decimal
// text of each image set.
ToolkitRecordList<ImageStoreEntry>& ImageStoreList();
ToolkitTextMap<std::int32_t>& ImageStoreKeys();

// Adds an entry (empty when none is given) that owns its images; its image set starts with
// one user.
ImageStoreHandle AddImageStoreEntry(ImageStoreEntry entry = {});
// Adds an entry that shares the images of `owner` (0 when owner is no entry).
ImageStoreHandle AddSharedImageStoreEntry(ImageStoreHandle owner);
ImageStoreEntry* FindImageStoreEntry(ImageStoreHandle entry);
int ImageStoreUserCount(ImageStoreHandle entry);

// Removes the entry; returns it when it was the last user of its images, which the caller
// then destroys.
std::optional<ImageStoreEntry> DropImageStoreEntry(ImageStoreHandle entry);
// Gives an entry that shares its images with others an image set of its own, its maps still
// naming the shared images, which the caller replaces by copies. False when the entry is the
// only user of its images (or no entry).
bool SeparateImageStoreEntry(ImageStoreHandle entry);
// Empties the entry's two maps and keeps the entry. Returns the images it held when no other
// entry uses them (the caller destroys them); an entry that shared its images leaves them to
// the others and owns a new, empty set from then on.
std::optional<ImageStoreEntry> TakeImageStoreImages(ImageStoreHandle entry);
