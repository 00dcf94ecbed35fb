#include "veloui/foundation/image_effects.h"

#include <commctrl.h>

#include <functional>
#include <optional>
#include <vector>

#include "veloui/foundation/core/image_effect_pixels.h"
#include "runtime/win32/dib_section.h"

namespace {

// The colour and mask bitmaps of an icon (handed out by the system, deleted here), or the
// bitmap itself.
class SourceBitmaps {
 public:
  explicit SourceBitmaps(HANDLE image) {
    ICONINFO info{};
    if (GetIconInfo(static_cast<HICON>(image), &info)) {
      isIcon_ = true;
      colour_ = info.hbmColor;
      mask_ = info.hbmMask;
    } else {
      colour_ = static_cast<HBITMAP>(image);
    }
  }
  ~SourceBitmaps() {
    if (!isIcon_) return;
    if (colour_ != nullptr) DeleteObject(colour_);
    if (mask_ != nullptr) DeleteObject(mask_);
  }
  SourceBitmaps(const SourceBitmaps&) = delete;
  SourceBitmaps& operator=(const SourceBitmaps&) = delete;

  bool IsIcon() const { return isIcon_; }
  HBITMAP Colour() const { return colour_; }
  HBITMAP Mask() const { return mask_; }

 private:
  bool isIcon_ = false;
  HBITMAP colour_ = nullptr;
  HBITMAP mask_ = nullptr;
};

// Whatever the bitmap's own depth, its pixels are read as 32-bit words, so the walk never
// depends on the source's row layout.
bool Read32(HBITMAP bitmap, int width, int height, std::vector<std::uint32_t>& pixels) {
  pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
  BITMAPINFO info = TopDown32BitmapInfo(width, height);
  HDC screen = GetDC(nullptr);
  const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return rows == height;
}

std::optional<EffectSource> ReadSource(const SourceBitmaps& bitmaps) {
  BITMAP shape{};
  if (bitmaps.Colour() == nullptr || GetObjectW(bitmaps.Colour(), sizeof(shape), &shape) == 0) return std::nullopt;
  if (shape.bmWidth <= 0 || shape.bmHeight <= 0) return std::nullopt;
  EffectSource source;
  source.Width = shape.bmWidth;
  source.Height = shape.bmHeight;
  source.HasAlphaChannel = shape.bmBitsPixel == 32;
  if (!Read32(bitmaps.Colour(), source.Width, source.Height, source.Pixels)) return std::nullopt;
  if (bitmaps.Mask() != nullptr && !Read32(bitmaps.Mask(), source.Width, source.Height, source.Mask)) {
    source.Mask.clear();
  }
  return source;
}

HBITMAP MakeBitmap32(int width, int height, const std::vector<std::uint32_t>& pixels) {
  void* bits = nullptr;
  HBITMAP bitmap = CreateTopDown32Dib(width, height, &bits);
  if (bitmap == nullptr || bits == nullptr) return bitmap;
  std::copy(pixels.begin(), pixels.end(), static_cast<std::uint32_t*>(bits));
  GdiFlush();
  return bitmap;
}

HICON IconThroughImageList(HBITMAP bitmap, int width, int height) {
  HIMAGELIST list = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 0, 0);
  if (list == nullptr) return nullptr;
  HICON icon = nullptr;
  if (ImageList_Add(list, bitmap, nullptr) >= 0) icon = ImageList_GetIcon(list, 0, ILD_NORMAL);
  ImageList_Destroy(list);
  return icon;
}

using PixelEffect = std::function<std::vector<std::uint32_t>(const EffectSource&)>;

HANDLE ApplyEffect(HANDLE image, std::uint32_t options, const PixelEffect& effect) {
  HANDLE result = nullptr;
  bool sourceIsIcon = false;
  {
    const SourceBitmaps bitmaps(image);
    sourceIsIcon = bitmaps.IsIcon();
    const std::optional<EffectSource> source = ReadSource(bitmaps);
    if (!source) return nullptr;
    HBITMAP made = MakeBitmap32(source->Width, source->Height, effect(*source));
    if (made == nullptr) return nullptr;
    if ((options & kEffectMakeIcon) != 0) {
      result = IconThroughImageList(made, source->Width, source->Height);
      DeleteObject(made);
    } else {
      result = made;
    }
  }
  if ((options & kEffectFreeSource) != 0) {
    if (sourceIsIcon) {
      DestroyIcon(static_cast<HICON>(image));
    } else {
      DeleteObject(image);
    }
  }
  return result;
}

}  // namespace

HANDLE MakeIconEffect(HANDLE image, float opacity, float contrast, float brightness, COLORREF tintColour,
                      float tintAmount, std::uint32_t options) {
  const IconEffectSettings settings{opacity, contrast, brightness, tintColour, tintAmount,
                                    (options & kEffectGreyscale) != 0};
  return ApplyEffect(image, options, [&](const EffectSource& source) { return ApplyIconEffect(source, settings); });
}

HANDLE TintIcon(HANDLE image, float opacity, COLORREF tintColour, float saturationChange, float lightnessBias,
                COLORREF blendColour, float blendAmount, std::uint32_t options) {
  const TintSettings settings{opacity, tintColour, saturationChange, lightnessBias, blendColour, blendAmount};
  return ApplyEffect(image, options, [&](const EffectSource& source) { return ApplyTint(source, settings); });
}

HICON ImageToIcon(HBITMAP bitmap) {
  BITMAP shape{};
  if (bitmap == nullptr || GetObjectW(bitmap, sizeof(shape), &shape) == 0) return nullptr;
  return IconThroughImageList(bitmap, shape.bmWidth, shape.bmHeight);
}

int FreeImageStoreEntry(ImageStoreHandle entry) {
  if (entry == 0) return 0;
  const std::optional<ImageStoreEntry> last = DropImageStoreEntry(entry);
  if (!last) return 0;
  for (const auto& [state, lists] : last->StateImageLists) {
    for (const std::uintptr_t list : lists.ImageLists) {
      if (list != 0) ImageList_Destroy(reinterpret_cast<HIMAGELIST>(list));
    }
  }
  for (const auto& [state, bitmaps] : last->StateBitmaps) {
    for (const std::uintptr_t bitmap : bitmaps.Bitmaps) {
      if (bitmap != 0) DeleteObject(reinterpret_cast<HGDIOBJ>(bitmap));
    }
  }
  return 0;
}
