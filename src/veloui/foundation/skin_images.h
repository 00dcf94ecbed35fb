#pragma once
// Image operations of the skin side: sizes of icons and bitmaps, runtime images made from
// DIB sections, window regions cut out of an image by a key colour, the folder of skin image
// files, and icons loaded from the program's resources and shared per resource.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "runtime/portable/text.h"
#include "veloui/foundation/core/pixel_runs.h"

// The size of an icon (its colour bitmap, else half its mask) or a bitmap; 1 when known,
// else 0 with both sizes 0.
std::int32_t GetImageHandleSize(HANDLE image, int* width, int* height);
int GetImageHandleWidth(HANDLE image);
int GetImageHandleHeight(HANDLE image);

// A new runtime image number that takes the bitmap over when it is a DIB section (of
// `depth` bits, 0 = any); else 0 and the bitmap stays the caller's.
int ImageFromBitmap(HBITMAP bitmap, int depth);

// The region of every pixel whose colour differs from `key` (0x00BBGGRR), in image
// co-ordinates; nullptr when the image cannot be read. The caller deletes it.
HRGN RegionFromImage(HANDLE image, COLORREF key);

// Keeps the folder of image files, with a backslash added when missing; 1.
std::int32_t SetImageFolder(const Text& path);
const Text& ImageFolder();

// Kinds of LoadResourceIcon.
inline constexpr std::uint32_t kResourceIcon = 0;
inline constexpr std::uint32_t kResourceBitmap = 1;
// An icon made from the resource `name` ("#12" or digits for a number) of the toolkit's
// module (the program's unless AttachToolkit named another), `size` pixels square (0: the
// resource's own size). The loaded picture is kept in an image list shared by every icon of
// the same resource, kind, size and load flags; the icon is the caller's and goes back
// through FreeImageHandle. nullptr when there is no such resource (a number above 65535 is
// none).
HICON LoadResourceIcon(const Text& name, int size, std::uint32_t kind, std::uint32_t loadFlags);
// Drops the icon's reference on its resource (the last one destroys the shared image list),
// then destroys the handle as an icon, or as a bitmap when it is none. 1 when a handle was
// destroyed.
std::int32_t FreeImageHandle(HANDLE image);

// The image's pixels as 32-bit words, top row first; false when it cannot be read.
bool ReadImagePixels(HANDLE image, std::vector<std::uint32_t>& pixels, int& width, int& height);
// A region made of rectangles in image co-ordinates (an empty region for none).
HRGN RegionFromRects(const std::vector<PixelRect>& rects);
