#include "veloui/foundation/toolkit_glyphs.h"

#include <array>
#include <cstdint>
#include <vector>

#include "veloui/foundation/toolkit_state.h"
#include "runtime/win32/dib_section.h"

namespace {
// One row per byte, the leftmost pixel in bit 6; a set bit is a black, opaque pixel.
constexpr std::array<std::uint8_t, kMenuGlyphSize> kCheckMark = {
    0b0000001, 0b0000011, 0b1000111, 0b1101110, 0b1111100, 0b0111000, 0b0010000,
};
constexpr std::array<std::uint8_t, kMenuGlyphSize> kRadioDot = {
    0b0000000, 0b0011100, 0b0111110, 0b0111110, 0b0111110, 0b0011100, 0b0000000,
};

bool PixelSet(const std::uint8_t* rows, int x, int y) {
  return rows != nullptr && (rows[y] >> (kMenuGlyphSize - 1 - x) & 1) != 0;
}

// An icon of width x height whose set pixels are opaque black and the rest transparent.
HICON MakeIcon(int width, int height, const std::uint8_t* rows) {
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP colour = CreateTopDown32Dib(width, height, &bits, screen);
  ReleaseDC(nullptr, screen);
  if (colour == nullptr) return nullptr;
  // The mask is a 1-bit bitmap with rows padded to 16 bits: a set bit shows the background.
  const int stride = ((width + 15) / 16) * 2;
  std::vector<std::uint8_t> mask_bits(static_cast<std::size_t>(stride * height), 0);
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool set = PixelSet(rows, x, y);
      pixels[y * width + x] = set ? 0xFF000000u : 0u;
      if (!set) mask_bits[static_cast<std::size_t>(y * stride + x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
  }
  HBITMAP mask = CreateBitmap(width, height, 1, 1, mask_bits.data());
  ICONINFO icon_info{TRUE, 0, 0, mask, colour};
  HICON icon = mask != nullptr ? CreateIconIndirect(&icon_info) : nullptr;
  DeleteObject(colour);
  if (mask != nullptr) DeleteObject(mask);
  return icon;
}

HIMAGELIST MakeGlyphList(const std::array<std::uint8_t, kMenuGlyphSize>& rows) {
  HIMAGELIST list = ImageList_Create(kMenuGlyphSize, kMenuGlyphSize, ILC_COLOR32 | ILC_MASK, 0, 0);
  HICON icon = MakeIcon(kMenuGlyphSize, kMenuGlyphSize, rows.data());
  if (list != nullptr && icon != nullptr) ImageList_ReplaceIcon(list, -1, icon);
  if (icon != nullptr) DestroyIcon(icon);
  return list;
}
}  // namespace

void CreateToolkitGlyphs() {
  if (Toolkit.BlankIcon != nullptr) DestroyIcon(Toolkit.BlankIcon);
  if (Toolkit.MenuCheckGlyph != nullptr) ImageList_Destroy(Toolkit.MenuCheckGlyph);
  if (Toolkit.MenuRadioGlyph != nullptr) ImageList_Destroy(Toolkit.MenuRadioGlyph);
  Toolkit.BlankIcon = MakeIcon(1, 1, nullptr);
  Toolkit.MenuCheckGlyph = MakeGlyphList(kCheckMark);
  Toolkit.MenuRadioGlyph = MakeGlyphList(kRadioDot);
}
