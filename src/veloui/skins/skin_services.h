#pragma once
// What the skin records need from Windows: images from file bytes (icons at the asked size
// through the system, other pictures through the image decoders into 32-bit bitmaps with
// premultiplied alpha), GDI+ gradients, fonts and the refresh broadcast.
#include <windows.h>

#include <cstdint>
#include <string_view>

// Binds them into the skin records; start-up calls it.
void BindSkinServices();

// An HICON for an icon file, else an HBITMAP; nullptr when the bytes are neither.
HANDLE MakeSkinImage(std::string_view bytes, int width, int height);
// Destroys an icon or deletes a bitmap made by MakeSkinImage.
void FreeSkinImage(HANDLE image);
