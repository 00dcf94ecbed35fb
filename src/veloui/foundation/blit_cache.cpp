#include "veloui/foundation/blit_cache.h"

#include <iterator>
#include <vector>

#include "veloui/foundation/core/blit_cache_rules.h"
#include "veloui/foundation/core/colour_helpers.h"
#include "veloui/foundation/core/debug_log.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/foundation/ui_colours.h"

namespace {

struct BlitCacheGlobals {
  MenuStyleSource MenuStyle = nullptr;
};

BlitCacheGlobals& BlitCaches() {
  static BlitCacheGlobals globals;
  return globals;
}

// The few flat GDI+ functions the painters call, with their own signatures.
struct GpPoint {
  INT X;
  INT Y;
};
using GdipCreateFromHDCProc = int(WINAPI*)(HDC, void**);
using GdipCreateLineBrushIProc = int(WINAPI*)(const GpPoint*, const GpPoint*, DWORD, DWORD, int, void**);
using GdipCreateSolidFillProc = int(WINAPI*)(DWORD, void**);
using GdipFillRectangleIProc = int(WINAPI*)(void*, void*, INT, INT, INT, INT);
using GdipDeleteProc = int(WINAPI*)(void*);

template <class Proc>
Proc Gdip(const char* name) {
  return reinterpret_cast<Proc>(reinterpret_cast<void*>(GdiPlusFunction(name)));
}

constexpr int kWrapTileFlipX = 1;

// GDI+ takes ARGB; a colour stored as a COLORREF is taken as opaque.
DWORD ArgbOf(std::uint32_t word) {
  if (IsArgbWord(word)) return word;
  return PackColourBytes(255, word & 0xFF, (word >> 8) & 0xFF, (word >> 16) & 0xFF);
}

void FillWithGdiPlus(HDC cacheDC, const BlitPaintStep& step, std::uint32_t colourStyle) {
  const auto createFromHdc = Gdip<GdipCreateFromHDCProc>("GdipCreateFromHDC");
  const auto createLineBrush = Gdip<GdipCreateLineBrushIProc>("GdipCreateLineBrushI");
  const auto createSolidFill = Gdip<GdipCreateSolidFillProc>("GdipCreateSolidFill");
  const auto fillRectangle = Gdip<GdipFillRectangleIProc>("GdipFillRectangleI");
  const auto deleteBrush = Gdip<GdipDeleteProc>("GdipDeleteBrush");
  const auto deleteGraphics = Gdip<GdipDeleteProc>("GdipDeleteGraphics");
  if (createFromHdc == nullptr || createLineBrush == nullptr || createSolidFill == nullptr ||
      fillRectangle == nullptr || deleteBrush == nullptr || deleteGraphics == nullptr) {
    return;
  }
  void* graphics = nullptr;
  if (createFromHdc(cacheDC, &graphics) != 0 || graphics == nullptr) return;
  const DWORD from = ArgbOf(GetUIColour(colourStyle, step.FromId, kUIColourStored));
  void* brush = nullptr;
  if (step.Type == BlitPaintStep::Kind::Solid) {
    createSolidFill(from, &brush);
  } else {
    const GpPoint first{step.X1, step.Y1};
    const GpPoint second{step.X2, step.Y2};
    const DWORD to = ArgbOf(GetUIColour(colourStyle, step.ToId, kUIColourStored));
    createLineBrush(&first, &second, from, to, kWrapTileFlipX, &brush);
  }
  if (brush != nullptr) {
    fillRectangle(graphics, brush, step.FillX, step.FillY, step.FillWidth, step.FillHeight);
    deleteBrush(brush);
  }
  deleteGraphics(graphics);
}

void FrameAndFill(HDC cacheDC, const BlitPaintStep& step, std::uint32_t style) {
  const MenuStyleSource menuStyle = BlitCaches().MenuStyle;
  // Without a current Office-styled menu the request's own style gives the colours, so the
  // frame is never painted with the empty colours of another style.
  const std::uint32_t current = menuStyle != nullptr ? menuStyle() : 0;
  const std::uint32_t brushStyle = BlitTableOfStyle(current) != BlitTable::None ? current : style;
  RECT whole{step.FillX, step.FillY, step.FillX + step.FillWidth, step.FillY + step.FillHeight};
  FrameRect(cacheDC, &whole, UIColourBrush(brushStyle, step.FromId));
  RECT inside{whole.left + 1, whole.top + 1, whole.right - 1, whole.bottom - 1};
  FillRect(cacheDC, &inside, UIColourBrush(brushStyle, step.ToId));
}

void PaintCache(HDC cacheDC, BlitTable table, std::uint32_t style, int colourId, int width, int height) {
  const std::uint32_t colourStyle = BlitColourStyle(table);
  for (const BlitPaintStep& step : BlitPaintSteps(colourId, width, height)) {
    if (step.Type == BlitPaintStep::Kind::FrameAndFill) {
      FrameAndFill(cacheDC, step, style);
    } else if (BindGdiPlus() != 0) {
      FillWithGdiPlus(cacheDC, step, colourStyle);
    }
  }
}

// The DC goes first: a bitmap that is still selected into a DC cannot be deleted.
void DropCache(std::uintptr_t& dc, std::uintptr_t& bitmap) {
  if (dc != 0) DeleteDC(reinterpret_cast<HDC>(dc));
  if (bitmap != 0) DeleteObject(reinterpret_cast<HGDIOBJ>(bitmap));
  dc = 0;
  bitmap = 0;
}

bool Remake(HDC dc, BlitTable table, std::uint32_t style, int colourId, int width, int height, std::uintptr_t& cacheDC,
            std::uintptr_t& cacheBitmap, std::int32_t& cacheWidth, std::int32_t& cacheHeight) {
  DropCache(cacheDC, cacheBitmap);
  cacheWidth = 0;
  cacheHeight = 0;
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = memory != nullptr ? CreateCompatibleBitmap(dc, width, height) : nullptr;
  if (bitmap == nullptr) {
    if (memory != nullptr) DeleteDC(memory);
    return false;
  }
  SelectObject(memory, bitmap);
  cacheDC = reinterpret_cast<std::uintptr_t>(memory);
  cacheBitmap = reinterpret_cast<std::uintptr_t>(bitmap);
  cacheWidth = width;
  cacheHeight = height;
  PaintCache(memory, table, style, colourId, width, height);
  WriteDebugLog(BlitCacheDebugLine(table, colourId, width, height));
  return true;
}

UIColourTable& TableOf(BlitTable table) {
  return table == BlitTable::Office2007 ? UIColours.Office2007 : UIColours.Office2003;
}

// The cache that serves the request, made or remade as needed; 0 when none could be made.
HDC ServingCache(HDC dc, BlitTable table, std::uint32_t style, int colourId, int width, int height,
                 std::uint32_t options) {
  BlitCache& cache = TableOf(table)[static_cast<std::size_t>(colourId)].Cache;
  if ((options & kBlitSizeList) == 0) {
    if (cache.CacheDC == 0 || !BlitCacheServes(options, cache.CacheWidth, cache.CacheHeight, width, height)) {
      Remake(dc, table, style, colourId, width, height, cache.CacheDC, cache.CacheBitmap, cache.CacheWidth,
             cache.CacheHeight);
    }
    return reinterpret_cast<HDC>(cache.CacheDC);
  }
  std::vector<BlitCacheSize> sizes;
  for (const BlitCacheEntry& entry : cache.CachedSizes) sizes.push_back({entry.Width, entry.Height});
  const BlitSizeChoice choice = ChooseSizedCache(sizes, options & ~kBlitSizeList, width, height);
  BlitCacheEntry* entry = nullptr;
  if (choice.Index < 0) {
    entry = &cache.CachedSizes.emplace_back();
  } else {
    entry = &*std::next(cache.CachedSizes.begin(), choice.Index);
  }
  if (choice.Index < 0 || choice.Remake || entry->DC == 0) {
    Remake(dc, table, style, colourId, width, height, entry->DC, entry->Bitmap, entry->Width, entry->Height);
  }
  return reinterpret_cast<HDC>(entry->DC);
}

void FreeCache(BlitCache& cache) {
  if (cache.CacheDC != 0) {
    DropCache(cache.CacheDC, cache.CacheBitmap);
    cache.CacheWidth = 0;
    cache.CacheHeight = 0;
  }
  for (BlitCacheEntry& entry : cache.CachedSizes) {
    if (entry.DC == 0) continue;
    DropCache(entry.DC, entry.Bitmap);
    entry.Width = 0;
    entry.Height = 0;
  }
}

}  // namespace

int DrawBlitCache(HDC dc, std::uint32_t style, int colourId, const RECT& rect, std::uint32_t options) {
  const BlitTable table = BlitTableOfStyle(style);
  if (table == BlitTable::None || colourId < 0 || colourId >= kUIColourCount) return 0;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return 0;
  HDC cacheDC = ServingCache(dc, table, style, colourId, width, height, options);
  if (cacheDC != nullptr) BitBlt(dc, rect.left, rect.top, width, height, cacheDC, 0, 0, SRCCOPY);
  return 0;
}

int FreeBlitCaches() {
  for (UIColourRecord& record : UIColours.Office2003) FreeCache(record.Cache);
  for (UIColourRecord& record : UIColours.Office2007) FreeCache(record.Cache);
  return 0;
}

void InstallMenuStyleSource(MenuStyleSource source) { BlitCaches().MenuStyle = source; }
