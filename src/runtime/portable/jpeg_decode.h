#pragma once
// JPEG pictures from bytes in memory, through libjpeg. The toolkit registers this decoder
// with the image library at its start-up (RegisterImageDecoder).
#include <string_view>

#include "runtime/portable/png_decode.h"

bool IsJpegData(std::string_view bytes);
// False, and `image` empty, when the bytes are no JPEG or are damaged.
bool DecodeJpeg(std::string_view bytes, RgbaImage& image);
