#include "veloui/foundation/skin_images.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "runtime/win32/gui.h"
#include "veloui/foundation/core/pixel_runs.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/toolkit_state.h"

namespace {

struct ResourceImageRecord {
  HIMAGELIST Images = nullptr;
  std::int32_t References = 0;
};

// Resource key -> the shared image list; icon handle -> the resource key it came from.
ToolkitTextMap<ResourceImageRecord>& ResourceImages() {
  return ToolkitMap<ResourceImageRecord>(ToolkitMapId::ResourceImages);
}
ToolkitTextMap<Text>& ResourceIconKeys() { return ToolkitMap<Text>(ToolkitMapId::ResourceImageRecords); }

Text HandleKey(HANDLE handle) {
  return DecimalText(static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(handle)));
}

Text FolderText;

// The colour bitmap of an icon (a copy the caller deletes) or the bitmap itself.
struct ColourBitmap {
  explicit ColourBitmap(HANDLE image) {
    ICONINFO info{};
    if (GetIconInfo(static_cast<HICON>(image), &info)) {
      owned = true;
      mask = info.hbmMask;
      bitmap = info.hbmColor;
    } else {
      bitmap = static_cast<HBITMAP>(image);
    }
  }
  ~ColourBitmap() {
    if (!owned) return;
    if (bitmap != nullptr) DeleteObject(bitmap);
    if (mask != nullptr) DeleteObject(mask);
  }
  ColourBitmap(const ColourBitmap&) = delete;
  ColourBitmap& operator=(const ColourBitmap&) = delete;
  bool owned = false;
  HBITMAP bitmap = nullptr;
  HBITMAP mask = nullptr;
};

bool IsAllDigits(const Text& text) {
  if (text.empty()) return false;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return false;
  }
  return true;
}

// MAKEINTRESOURCE for "#12" and "12", else the name itself. A resource number has 16 bits: a
// larger one names no resource and gives nullptr (cut to 16 bits it would load another one).
LPCWSTR ResourceName(const Text& name) {
  const Text digits = !name.empty() && name[0] == u'#' ? name.substr(1) : name;
  if (!IsAllDigits(digits)) return reinterpret_cast<LPCWSTR>(name.c_str());
  std::uint32_t number = 0;
  for (char16_t c : digits) number = std::min<std::uint32_t>(number * 10 + (c - u'0'), 0x10000);
  return number <= 0xFFFF ? MAKEINTRESOURCEW(number) : nullptr;
}

// Never shared with the system or read from a file: the picture is copied and freed here.
UINT UsableLoadFlags(std::uint32_t loadFlags) { return loadFlags & ~static_cast<UINT>(LR_SHARED | LR_LOADFROMFILE); }

// The toolkit's own module when it runs as a library, else the program's.
HINSTANCE ResourceModule() { return Toolkit.Module != nullptr ? Toolkit.Module : GetModuleHandleW(nullptr); }

HIMAGELIST LoadIntoImageList(const Text& name, int size, std::uint32_t kind, std::uint32_t loadFlags) {
  const UINT type = kind == kResourceBitmap ? IMAGE_BITMAP : IMAGE_ICON;
  const LPCWSTR resource = ResourceName(name);
  if (resource == nullptr) return nullptr;
  HANDLE loaded = LoadImageW(ResourceModule(), resource, type, size, size, UsableLoadFlags(loadFlags));
  if (loaded == nullptr) return nullptr;
  int width = 0;
  int height = 0;
  GetImageHandleSize(loaded, &width, &height);
  HIMAGELIST list = width > 0 && height > 0 ? ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 1, 0) : nullptr;
  if (list != nullptr) {
    const int added = type == IMAGE_ICON ? ImageList_ReplaceIcon(list, -1, static_cast<HICON>(loaded))
                                         : ImageList_Add(list, static_cast<HBITMAP>(loaded), nullptr);
    if (added < 0) {
      ImageList_Destroy(list);
      list = nullptr;
    }
  }
  if (type == IMAGE_ICON) {
    DestroyIcon(static_cast<HICON>(loaded));
  } else {
    DeleteObject(loaded);
  }
  return list;
}

}  // namespace

std::int32_t GetImageHandleSize(HANDLE image, int* width, int* height) {
  int w = 0;
  int h = 0;
  if (image != nullptr) {
    ColourBitmap source(image);
    BITMAP shape{};
    HBITMAP measured = source.bitmap != nullptr ? source.bitmap : source.mask;
    if (measured != nullptr && GetObjectW(measured, sizeof(shape), &shape) != 0) {
      w = shape.bmWidth;
      // A monochrome icon keeps its AND and XOR masks one above the other.
      h = source.bitmap != nullptr ? shape.bmHeight : shape.bmHeight / 2;
    }
  }
  if (width != nullptr) *width = w;
  if (height != nullptr) *height = h;
  return w > 0 && h > 0 ? 1 : 0;
}

int GetImageHandleWidth(HANDLE image) {
  int width = 0;
  GetImageHandleSize(image, &width, nullptr);
  return width;
}

int GetImageHandleHeight(HANDLE image) {
  int height = 0;
  GetImageHandleSize(image, nullptr, &height);
  return height;
}

int ImageFromBitmap(HBITMAP bitmap, int depth) {
  DIBSECTION section{};
  if (bitmap == nullptr || GetObjectW(bitmap, sizeof(section), &section) != sizeof(section)) return 0;
  if (depth != 0 && depth != section.dsBm.bmBitsPixel) return 0;
  return StoreBitmap(-1, bitmap);
}

bool ReadImagePixels(HANDLE image, std::vector<std::uint32_t>& pixels, int& width, int& height) {
  if (image == nullptr) return false;
  ColourBitmap source(image);
  BITMAP shape{};
  if (source.bitmap == nullptr || GetObjectW(source.bitmap, sizeof(shape), &shape) == 0) return false;
  width = shape.bmWidth;
  height = shape.bmHeight;
  if (width <= 0 || height <= 0) return false;
  pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first, as the image stands
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC dc = GetDC(nullptr);
  const int rows = GetDIBits(dc, source.bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  return rows == height;
}

HRGN RegionFromRects(const std::vector<PixelRect>& rects) {
  if (rects.empty()) return CreateRectRgn(0, 0, 0, 0);
  RGNDATAHEADER header{};
  header.dwSize = sizeof(RGNDATAHEADER);
  header.iType = RDH_RECTANGLES;
  header.nCount = static_cast<DWORD>(rects.size());
  header.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
  header.rcBound = RECT{rects[0].Left, rects[0].Top, rects[0].Right, rects[0].Bottom};
  std::vector<RECT> out;
  out.reserve(rects.size());
  for (const PixelRect& rect : rects) {
    out.push_back(RECT{rect.Left, rect.Top, rect.Right, rect.Bottom});
    header.rcBound.left = std::min(header.rcBound.left, out.back().left);
    header.rcBound.top = std::min(header.rcBound.top, out.back().top);
    header.rcBound.right = std::max(header.rcBound.right, out.back().right);
    header.rcBound.bottom = std::max(header.rcBound.bottom, out.back().bottom);
  }
  std::vector<std::uint8_t> data(sizeof(header) + out.size() * sizeof(RECT));
  std::memcpy(data.data(), &header, sizeof(header));
  std::memcpy(data.data() + sizeof(header), out.data(), out.size() * sizeof(RECT));
  if (HRGN region = ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA*>(data.data())))
    return region;
  // A system that refuses a large region still takes the rectangles one by one.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  for (const PixelRect& rect : rects) {
    HRGN part = CreateRectRgn(rect.Left, rect.Top, rect.Right, rect.Bottom);
    CombineRgn(region, region, part, RGN_OR);
    DeleteObject(part);
  }
  return region;
}

HRGN RegionFromImage(HANDLE image, COLORREF key) {
  std::vector<std::uint32_t> pixels;
  int width = 0;
  int height = 0;
  if (!ReadImagePixels(image, pixels, width, height)) return nullptr;
  // DIB words are 0xAARRGGBB; the key is a colour word 0x00BBGGRR.
  for (std::uint32_t& pixel : pixels) {
    pixel = ((pixel & 0xFFu) << 16) | (pixel & 0xFF00u) | ((pixel >> 16) & 0xFFu);
  }
  return RegionFromRects(PixelRunsOtherThan(pixels, width, height, key));
}

std::int32_t SetImageFolder(const Text& path) {
  FolderText = path;
  if (FolderText.empty() || FolderText.back() != u'\\') FolderText.push_back(u'\\');
  return 1;
}

const Text& ImageFolder() { return FolderText; }

HICON LoadResourceIcon(const Text& name, int size, std::uint32_t kind, std::uint32_t loadFlags) {
  // The same resource loaded with other flags (monochrome, another colour depth) is another picture.
  const Text key = DecimalText(static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(ResourceModule()))) + u"|" +
                   name + u"|" + DecimalText(size) + u"|" + DecimalText(kind) + u"|" +
                   DecimalText(static_cast<std::int64_t>(UsableLoadFlags(loadFlags)));
  auto& images = ResourceImages();
  auto found = images.find(key);
  if (found == images.end()) {
    HIMAGELIST list = LoadIntoImageList(name, size, kind, loadFlags);
    if (list == nullptr) return nullptr;
    found = images.emplace(key, ResourceImageRecord{list, 0}).first;
  }
  HICON icon = ImageList_GetIcon(found->second.Images, 0, ILD_NORMAL);
  if (icon == nullptr) {
    if (found->second.References == 0) {
      ImageList_Destroy(found->second.Images);
      images.erase(found);
    }
    return nullptr;
  }
  ++found->second.References;
  ResourceIconKeys()[HandleKey(icon)] = key;
  return icon;
}

std::int32_t FreeImageHandle(HANDLE image) {
  if (image == nullptr) return 0;
  auto& keys = ResourceIconKeys();
  if (const auto link = keys.find(HandleKey(image)); link != keys.end()) {
    auto& images = ResourceImages();
    if (const auto record = images.find(link->second); record != images.end() && --record->second.References <= 0) {
      ImageList_Destroy(record->second.Images);
      images.erase(record);
    }
    keys.erase(link);
  }
  if (DestroyIcon(static_cast<HICON>(image))) return 1;
  return DeleteObject(image) ? 1 : 0;
}
