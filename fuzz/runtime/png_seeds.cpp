// Writes the PNG fuzzer's seed corpus into the folder given: small valid images in each layout
// that libpng's writer makes (grey, grey with alpha, colour, colour with alpha, 16-bit, palette),
// so that the fuzzer's runs start inside the decoder instead of at the signature.
#include <png.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Layout {
  const char* Name;
  png_uint_32 Format;
};

constexpr Layout kLayouts[] = {
    {"grey", PNG_FORMAT_GRAY},           {"grey-alpha", PNG_FORMAT_GA},
    {"rgb", PNG_FORMAT_RGB},             {"rgba", PNG_FORMAT_RGBA},
    {"grey16", PNG_FORMAT_LINEAR_Y},     {"rgba16", PNG_FORMAT_LINEAR_RGB_ALPHA},
    {"palette", PNG_FORMAT_RGB_COLORMAP}, {"palette-alpha", PNG_FORMAT_RGBA_COLORMAP}};
constexpr png_uint_32 kSizes[][2] = {{1, 1}, {5, 3}, {16, 16}};
constexpr png_uint_32 kPaletteEntries = 4;

std::uint8_t PatternByte(std::size_t at) { return static_cast<std::uint8_t>((at * 37 + at / 7 * 11) & 0xFF); }

bool WriteImage(const std::filesystem::path& file, const Layout& layout, png_uint_32 width, png_uint_32 height) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = width;
  image.height = height;
  image.format = layout.Format;
  const bool palette = (layout.Format & PNG_FORMAT_FLAG_COLORMAP) != 0;
  if (palette) image.colormap_entries = kPaletteEntries;
  std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
  for (std::size_t at = 0; at < pixels.size(); ++at)
    pixels[at] = palette ? static_cast<std::uint8_t>(at % kPaletteEntries) : PatternByte(at);
  std::vector<std::uint8_t> colours(palette ? PNG_IMAGE_COLORMAP_SIZE(image) : 0);
  for (std::size_t at = 0; at < colours.size(); ++at) colours[at] = PatternByte(at + 5);
  png_alloc_size_t size = 0;
  const void* colourMap = palette ? colours.data() : nullptr;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, colourMap)) return false;
  std::string bytes(size, '\0');
  if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, pixels.data(), 0, colourMap)) return false;
  bytes.resize(size);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: png_seeds <folder>\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  for (const Layout& layout : kLayouts) {
    for (const auto& size : kSizes) {
      const std::string name = std::string(layout.Name) + "-" + std::to_string(size[0]) + "x" + std::to_string(size[1]) + ".png";
      if (!WriteImage(folder / name, layout, size[0], size[1])) {
        std::fprintf(stderr, "png_seeds: could not write %s\n", name.c_str());
        return 1;
      }
    }
  }
  return 0;
}
