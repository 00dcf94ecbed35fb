#include "runtime/portable/jpeg_decode.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

// The same bound as for PNG: a damaged header must not ask for gigabytes.
constexpr JDIMENSION kMaxSide = 8192;

// libjpeg reports fatal errors by calling error_exit, which must not return: we jump back
// to DecodeJpeg. Nothing with a destructor lives between the setjmp and the jump.
struct JumpingErrorManager {
  jpeg_error_mgr manager;
  std::jmp_buf back;
};

void JumpBack(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JumpingErrorManager*>(info->err)->back, 1);
}

void IgnoreMessage(j_common_ptr) {}

// Reads the picture into `pixels` (RGBA); false on any error libjpeg reports. The buffers
// belong to the caller, so that a jump out of here skips no destructor.
bool ReadJpeg(jpeg_decompress_struct& info, JumpingErrorManager& errors, std::string_view bytes,
              std::vector<JSAMPLE>& row, std::vector<std::uint8_t>& pixels, int& width, int& height) {
  if (setjmp(errors.back) != 0) return false;
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
  if (info.image_width == 0 || info.image_height == 0 || info.image_width > kMaxSide ||
      info.image_height > kMaxSide) {
    return false;
  }
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  width = static_cast<int>(info.output_width);
  height = static_cast<int>(info.output_height);
  pixels.assign(static_cast<std::size_t>(width) * height * 4, 0xFF);
  row.assign(static_cast<std::size_t>(width) * 3, 0);
  while (info.output_scanline < info.output_height) {
    JSAMPROW rows[1] = {row.data()};
    const JDIMENSION line = info.output_scanline;
    if (jpeg_read_scanlines(&info, rows, 1) != 1) return false;
    std::uint8_t* out = pixels.data() + static_cast<std::size_t>(line) * width * 4;
    for (int x = 0; x < width; ++x) {
      out[x * 4 + 0] = row[x * 3 + 0];
      out[x * 4 + 1] = row[x * 3 + 1];
      out[x * 4 + 2] = row[x * 3 + 2];
    }
  }
  jpeg_finish_decompress(&info);
  return true;
}

}  // namespace

bool IsJpegData(std::string_view bytes) {
  return bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
         static_cast<unsigned char>(bytes[1]) == 0xD8 && static_cast<unsigned char>(bytes[2]) == 0xFF;
}

bool DecodeJpeg(std::string_view bytes, RgbaImage& image) {
  image = RgbaImage();
  if (!IsJpegData(bytes)) return false;
  jpeg_decompress_struct info{};
  JumpingErrorManager errors{};
  info.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = JumpBack;
  errors.manager.output_message = IgnoreMessage;
  jpeg_create_decompress(&info);
  std::vector<JSAMPLE> row;
  std::vector<std::uint8_t> pixels;
  int width = 0;
  int height = 0;
  const bool decoded = ReadJpeg(info, errors, bytes, row, pixels, width, height);
  jpeg_destroy_decompress(&info);
  if (!decoded) return false;
  image.width = width;
  image.height = height;
  image.pixels = std::move(pixels);
  return true;
}
