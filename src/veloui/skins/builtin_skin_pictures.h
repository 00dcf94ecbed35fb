#pragma once
// The fourteen pictures of the built-in skins (ExplorerBar header buttons, Office 2007 border
// masks and splitter grippers): PNG bytes drawn by scripts/make-images, in the order of
// EmbeddedSkinPicture.
#include <cstddef>

#include "veloui/skins/core/builtin_skin_tables.h"

struct BuiltInSkinPicture {
  const unsigned char* Bytes;
  std::size_t Size;
  int Width;
  int Height;
};

inline constexpr int kBuiltInSkinPictureCount = static_cast<int>(EmbeddedSkinPicture::Count);
extern const BuiltInSkinPicture kBuiltInSkinPictures[kBuiltInSkinPictureCount];
