#pragma once
// The per-state images of an image-store entry, cut from one skin image laid out as a
// nine-part border: four corners, four edges and the centre. A state keeps eight image lists
// (corners and edges) and nine bitmaps (every part, 32-bit with alpha; an image without any
// alpha counts as opaque). Drawing places the corners, tiles or stretches the edges and
// stretches the centre.
#include <windows.h>

#include <cstdint>

#include "runtime/portable/text.h"
#include "veloui/foundation/core/image_store.h"

// Part order of the eight lists: top-left, top, top-right, left, right, bottom-left, bottom,
// bottom-right. The nine bitmaps add the centre in the middle, row by row.
inline constexpr int kStateImageParts = 8;

// Destroys the entry's images (unless other entries still use them) and empties its maps.
// 1, or 0 when there is no such entry.
std::int32_t ClearImageStoreEntry(ImageStoreHandle entry);
inline constexpr std::int32_t kEdgesTiled = 0;
inline constexpr std::int32_t kEdgesStretched = 1;
// Cuts `image` into its parts with corners of cornerWidth x cornerHeight (at most half the
// image) and keeps them under `state` with the edge mode, replacing what the state held. An
// entry that shared its images gets images of its own first. 1, or 0 when the entry or the
// image is missing.
std::int32_t BuildStateImageLists(ImageStoreHandle entry, const Text& state, HANDLE image, int cornerWidth,
                                  int cornerHeight, std::int32_t edgeMode);
// Draws the state's images into `area`; 1, or 0 when the state has no images.
std::int32_t DrawStateImage(ImageStoreHandle entry, const Text& state, HDC dc, const RECT& area);
// The window region of the state's images placed in `area`: the area less the transparent
// pixels of the four corners. nullptr when the state has no images; the caller deletes it.
HRGN GetImageStoreRegion(ImageStoreHandle entry, const Text& state, const RECT& area);
