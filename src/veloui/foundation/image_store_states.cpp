#include "veloui/foundation/image_store_states.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "veloui/foundation/skin_images.h"
#include "runtime/win32/dib_section.h"

namespace {

constexpr int kCentre = 4;
// The nine parts in reading order; the image lists leave out the centre.
constexpr std::array<int, kStateImageParts> kListParts{0, 1, 2, 3, 5, 6, 7, 8};
constexpr std::array<int, 4> kCorners{0, 2, 6, 8};

// The slot of a part among the eight image lists.
int ListSlot(int part) { return part < kCentre ? part : part - 1; }

std::array<RECT, 9> NineParts(int width, int height, int cornerWidth, int cornerHeight) {
  const int xs[4] = {0, cornerWidth, width - cornerWidth, width};
  const int ys[4] = {0, cornerHeight, height - cornerHeight, height};
  std::array<RECT, 9> parts{};
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) parts[row * 3 + column] = RECT{xs[column], ys[row], xs[column + 1], ys[row + 1]};
  }
  return parts;
}

int WidthOf(const RECT& r) { return r.right - r.left; }
int HeightOf(const RECT& r) { return r.bottom - r.top; }

HBITMAP PartBitmap(const std::vector<std::uint32_t>& pixels, int imageWidth, const RECT& part) {
  const int width = WidthOf(part);
  const int height = HeightOf(part);
  if (width <= 0 || height <= 0) return nullptr;
  void* bits = nullptr;
  HBITMAP bitmap = CreateTopDown32Dib(width, height, &bits);
  if (bitmap == nullptr) return nullptr;
  auto* out = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* from = pixels.data() + static_cast<std::size_t>(part.top + y) * imageWidth + part.left;
    std::memcpy(out + static_cast<std::size_t>(y) * width, from, static_cast<std::size_t>(width) * 4);
  }
  return bitmap;
}

void DestroyImages(const ImageStoreImageLists& lists) {
  for (std::uintptr_t list : lists.ImageLists) {
    if (list != 0) ImageList_Destroy(reinterpret_cast<HIMAGELIST>(list));
  }
}

void DestroyImages(const ImageStoreBitmaps& bitmaps) {
  for (std::uintptr_t bitmap : bitmaps.Bitmaps) {
    if (bitmap != 0) DeleteObject(reinterpret_cast<HGDIOBJ>(bitmap));
  }
}

std::uintptr_t CopyOf(HBITMAP bitmap) {
  std::vector<std::uint32_t> pixels;
  int width = 0;
  int height = 0;
  if (!ReadImagePixels(bitmap, pixels, width, height)) return 0;
  return reinterpret_cast<std::uintptr_t>(PartBitmap(pixels, width, RECT{0, 0, width, height}));
}

// Every state's images replaced by copies, so that the entry can change them alone.
void CopyEveryState(ImageStoreEntry& record) {
  for (auto& [state, lists] : record.StateImageLists) {
    for (std::uintptr_t& list : lists.ImageLists) {
      if (list != 0) list = reinterpret_cast<std::uintptr_t>(ImageList_Duplicate(reinterpret_cast<HIMAGELIST>(list)));
    }
  }
  for (auto& [state, bitmaps] : record.StateBitmaps) {
    for (std::uintptr_t& bitmap : bitmaps.Bitmaps) {
      if (bitmap != 0) bitmap = CopyOf(reinterpret_cast<HBITMAP>(bitmap));
    }
  }
}

SIZE BitmapSize(std::uintptr_t bitmap) {
  BITMAP shape{};
  if (bitmap == 0 || GetObjectW(reinterpret_cast<HGDIOBJ>(bitmap), sizeof(shape), &shape) == 0) return SIZE{};
  return SIZE{shape.bmWidth, shape.bmHeight};
}

struct StateImages {
  const ImageStoreImageLists* Lists = nullptr;
  const ImageStoreBitmaps* Bitmaps = nullptr;
  int CornerWidth = 0;
  int CornerHeight = 0;
};

bool FindState(ImageStoreHandle entry, const Text& state, StateImages& found) {
  const ImageStoreEntry* record = FindImageStoreEntry(entry);
  if (record == nullptr) return false;
  const auto lists = record->StateImageLists.find(state);
  const auto bitmaps = record->StateBitmaps.find(state);
  if (lists == record->StateImageLists.end() || bitmaps == record->StateBitmaps.end()) return false;
  found.Lists = &lists->second;
  found.Bitmaps = &bitmaps->second;
  // A corner size of 0 leaves the corner out; the edges beside it still tell the other size.
  for (int part : {0, 3, 6}) found.CornerWidth = std::max<int>(found.CornerWidth, BitmapSize(found.Bitmaps->Bitmaps[part]).cx);
  for (int part : {0, 1, 2}) found.CornerHeight = std::max<int>(found.CornerHeight, BitmapSize(found.Bitmaps->Bitmaps[part]).cy);
  return true;
}

void StretchPart(HDC dc, std::uintptr_t bitmap, const RECT& to) {
  const SIZE size = BitmapSize(bitmap);
  if (size.cx <= 0 || size.cy <= 0 || WidthOf(to) <= 0 || HeightOf(to) <= 0) return;
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ previous = SelectObject(source, reinterpret_cast<HGDIOBJ>(bitmap));
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(dc, to.left, to.top, WidthOf(to), HeightOf(to), source, 0, 0, size.cx, size.cy, blend);
  SelectObject(source, previous);
  DeleteDC(source);
}

// Repeats the list's image over `to`, the last copy cut to fit.
void TilePart(HDC dc, std::uintptr_t list, const RECT& to) {
  int width = 0;
  int height = 0;
  if (list == 0 || !ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(list), &width, &height) || width <= 0 ||
      height <= 0)
    return;
  for (int y = to.top; y < to.bottom; y += height) {
    for (int x = to.left; x < to.right; x += width) {
      ImageList_DrawEx(reinterpret_cast<HIMAGELIST>(list), 0, dc, x, y, std::min(width, static_cast<int>(to.right) - x),
                       std::min(height, static_cast<int>(to.bottom) - y), CLR_NONE, CLR_NONE, ILD_NORMAL);
    }
  }
}

// Where a corner goes in `area`, and which part of its picture shows. When the area is smaller
// than two corners each corner keeps the part of it at the area's outer corner, cut to its half
// of the area, so that no corner paints over another or outside the area.
struct CornerPlace {
  RECT To{};       // in the area
  POINT From{};    // the top-left of the part shown, in the corner's picture
};

CornerPlace PlaceCorner(int part, const StateImages& images, const RECT& area) {
  const SIZE size = BitmapSize(images.Bitmaps->Bitmaps[part]);
  const int width = std::min<int>(size.cx, std::min<int>(images.CornerWidth, WidthOf(area) / 2));
  const int height = std::min<int>(size.cy, std::min<int>(images.CornerHeight, HeightOf(area) / 2));
  const bool right = part == 2 || part == 8;
  const bool bottom = part >= 6;
  CornerPlace place;
  place.To.left = right ? area.right - width : area.left;
  place.To.top = bottom ? area.bottom - height : area.top;
  place.To.right = place.To.left + width;
  place.To.bottom = place.To.top + height;
  place.From = POINT{right ? size.cx - width : 0, bottom ? size.cy - height : 0};
  return place;
}

void DrawCorner(HDC dc, std::uintptr_t list, const CornerPlace& place) {
  if (WidthOf(place.To) <= 0 || HeightOf(place.To) <= 0) return;
  IMAGELISTDRAWPARAMS draw{};
  draw.cbSize = sizeof(draw);
  draw.himl = reinterpret_cast<HIMAGELIST>(list);
  draw.i = 0;
  draw.hdcDst = dc;
  draw.x = place.To.left;
  draw.y = place.To.top;
  draw.cx = WidthOf(place.To);
  draw.cy = HeightOf(place.To);
  draw.xBitmap = place.From.x;
  draw.yBitmap = place.From.y;
  draw.rgbBk = CLR_NONE;
  draw.rgbFg = CLR_NONE;
  draw.fStyle = ILD_NORMAL;
  ImageList_DrawIndirect(&draw);
}

}  // namespace

std::int32_t ClearImageStoreEntry(ImageStoreHandle entry) {
  if (FindImageStoreEntry(entry) == nullptr) return 0;
  if (const std::optional<ImageStoreEntry> images = TakeImageStoreImages(entry)) {
    for (const auto& [state, lists] : images->StateImageLists) DestroyImages(lists);
    for (const auto& [state, bitmaps] : images->StateBitmaps) DestroyImages(bitmaps);
  }
  return 1;
}

std::int32_t BuildStateImageLists(ImageStoreHandle entry, const Text& state, HANDLE image, int cornerWidth,
                                  int cornerHeight, std::int32_t edgeMode) {
  if (FindImageStoreEntry(entry) == nullptr) return 0;
  std::vector<std::uint32_t> pixels;
  int width = 0;
  int height = 0;
  if (!ReadImagePixels(image, pixels, width, height)) return 0;
  if (std::none_of(pixels.begin(), pixels.end(), [](std::uint32_t p) { return (p >> 24) != 0; })) {
    for (std::uint32_t& pixel : pixels) pixel |= 0xFF000000u;
  }
  // Shared images are never changed under the other entries: the entry goes on with copies.
  ImageStoreEntry& record = *FindImageStoreEntry(entry);
  if (SeparateImageStoreEntry(entry)) CopyEveryState(record);
  if (const auto old = record.StateImageLists.find(state); old != record.StateImageLists.end()) DestroyImages(old->second);
  if (const auto old = record.StateBitmaps.find(state); old != record.StateBitmaps.end()) DestroyImages(old->second);

  const auto parts = NineParts(width, height, std::clamp(cornerWidth, 0, width / 2), std::clamp(cornerHeight, 0, height / 2));
  ImageStoreImageLists lists;
  ImageStoreBitmaps bitmaps;
  for (int part = 0; part < 9; ++part) {
    HBITMAP bitmap = PartBitmap(pixels, width, parts[part]);
    bitmaps.Bitmaps[part] = reinterpret_cast<std::uintptr_t>(bitmap);
    if (bitmap == nullptr || part == kCentre) continue;
    HIMAGELIST list = ImageList_Create(WidthOf(parts[part]), HeightOf(parts[part]), ILC_COLOR32, 1, 0);
    if (list != nullptr) ImageList_Add(list, bitmap, nullptr);
    lists.ImageLists[ListSlot(part)] = reinterpret_cast<std::uintptr_t>(list);
  }
  lists.EdgeMode = edgeMode == kEdgesStretched ? kEdgesStretched : kEdgesTiled;
  record.StateImageLists[state] = lists;
  record.StateBitmaps[state] = bitmaps;
  return 1;
}

std::int32_t DrawStateImage(ImageStoreHandle entry, const Text& state, HDC dc, const RECT& area) {
  StateImages images;
  if (dc == nullptr || !FindState(entry, state, images)) return 0;
  const int cw = std::min<int>(images.CornerWidth, WidthOf(area) / 2);
  const int ch = std::min<int>(images.CornerHeight, HeightOf(area) / 2);
  auto placed = NineParts(WidthOf(area), HeightOf(area), cw, ch);
  for (RECT& part : placed) OffsetRect(&part, area.left, area.top);
  const bool stretched = images.Lists->EdgeMode == kEdgesStretched;
  StretchPart(dc, images.Bitmaps->Bitmaps[kCentre], placed[kCentre]);
  for (int part : kListParts) {
    const std::uintptr_t list = images.Lists->ImageLists[ListSlot(part)];
    if (list == 0) continue;
    const bool corner = std::find(kCorners.begin(), kCorners.end(), part) != kCorners.end();
    if (corner) {
      DrawCorner(dc, list, PlaceCorner(part, images, area));
    } else if (stretched) {
      StretchPart(dc, images.Bitmaps->Bitmaps[part], placed[part]);
    } else {
      TilePart(dc, list, placed[part]);
    }
  }
  return 1;
}

HRGN GetImageStoreRegion(ImageStoreHandle entry, const Text& state, const RECT& area) {
  StateImages images;
  if (!FindState(entry, state, images)) return nullptr;
  HRGN region = CreateRectRgn(area.left, area.top, area.right, area.bottom);
  for (int part : kCorners) {
    std::vector<std::uint32_t> pixels;
    int width = 0;
    int height = 0;
    if (!ReadImagePixels(reinterpret_cast<HANDLE>(images.Bitmaps->Bitmaps[part]), pixels, width, height)) continue;
    // The part DrawStateImage shows: its opaque pixels become 1, transparent ones the key 0.
    const CornerPlace place = PlaceCorner(part, images, area);
    const int shownWidth = WidthOf(place.To);
    const int shownHeight = HeightOf(place.To);
    if (shownWidth <= 0 || shownHeight <= 0) continue;
    std::vector<std::uint32_t> shown;
    shown.reserve(static_cast<std::size_t>(shownWidth) * shownHeight);
    for (int y = 0; y < shownHeight; ++y) {
      for (int x = 0; x < shownWidth; ++x) {
        const std::uint32_t pixel = pixels[static_cast<std::size_t>(place.From.y + y) * width + place.From.x + x];
        shown.push_back((pixel >> 24) != 0 ? 1u : 0u);
      }
    }
    HRGN opaque = RegionFromRects(PixelRunsOtherThan(shown, shownWidth, shownHeight, 0));
    OffsetRgn(opaque, place.To.left, place.To.top);
    HRGN corner = CreateRectRgn(place.To.left, place.To.top, place.To.right, place.To.bottom);
    CombineRgn(region, region, corner, RGN_DIFF);
    CombineRgn(region, region, opaque, RGN_OR);
    DeleteObject(corner);
    DeleteObject(opaque);
  }
  return region;
}
