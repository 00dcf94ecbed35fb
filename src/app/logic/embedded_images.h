#pragma once
// The fifteen pictures built into the program (image numbers 0-14): PNG bytes drawn by
// scripts/make-images, with the size each must decode to. Images 0 (the logo) and 10 (the
// donation window's sign) are shown as bitmaps; the others are small icons for menus, lists
// and the About window.
#include <cstddef>
#include <string_view>

struct EmbeddedImage {
  const unsigned char* Bytes;
  std::size_t Size;
  int Width;
  int Height;
};

inline constexpr int kEmbeddedImageCount = 15;
extern const EmbeddedImage kEmbeddedImageTable[kEmbeddedImageCount];

inline constexpr int kLogoImage = 0;
inline constexpr int kQuickConnectImage = 1;
inline constexpr int kConnectImage = 2;
inline constexpr int kFavoriteImage = 3;
inline constexpr int kAboutImage = 4;
inline constexpr int kPlayerRowImage = 5;
inline constexpr int kDonationSignImage = 10;

inline bool IsEmbeddedIcon(int image) { return image != kLogoImage && image != kDonationSignImage; }
inline std::string_view EmbeddedImageBytes(int image) {
  const EmbeddedImage& entry = kEmbeddedImageTable[image];
  return {reinterpret_cast<const char*>(entry.Bytes), entry.Size};
}
