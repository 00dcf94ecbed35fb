#pragma once
// Image effects that derive hot and disabled menu and toolbar images from a normal one (a
// faded or greyed copy, or one re-coloured in the scheme's colours), bitmap-to-icon
// conversion and freeing entries of the shared image store.
#include <windows.h>

#include <cstdint>

#include "veloui/foundation/core/image_store.h"

// Options of the effects.
inline constexpr std::uint32_t kEffectGreyscale = 1;
inline constexpr std::uint32_t kEffectMakeIcon = 2;     // else a 32-bit bitmap the caller owns
inline constexpr std::uint32_t kEffectFreeSource = 4;

// `image` is an icon or a bitmap. Returns the new icon or bitmap, or nullptr when the source
// has no pixels (the source is then left alone).
HANDLE MakeIconEffect(HANDLE image, float opacity, float contrast, float brightness, COLORREF tintColour,
                      float tintAmount, std::uint32_t options);
HANDLE TintIcon(HANDLE image, float opacity, COLORREF tintColour, float saturationChange, float lightnessBias,
                COLORREF blendColour, float blendAmount, std::uint32_t options);
// A new icon with the bitmap's size and pixels; the bitmap stays the caller's.
HICON ImageToIcon(HBITMAP bitmap);
// Removes the entry and, when no other entry shares its images, destroys them. Returns 0.
int FreeImageStoreEntry(ImageStoreHandle entry);
