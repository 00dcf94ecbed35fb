#include "veloui/menus/drop_shadow.h"

#include <cstring>

#include "veloui/foundation/core/toolkit_registry.h"
#include "runtime/win32/dib_section.h"

namespace {
// The last piece built for one orientation, kept in a memory DC.
struct ShadowPieceCache {
  HDC DC = nullptr;
  HBITMAP Bitmap = nullptr;
  HGDIOBJ PreviousBitmap = nullptr;
  ShadowPieceKey Key;
};

struct DropShadowState {
  bool ClassRegistered = false;
  ShadowPieceCache Vertical;
  ShadowPieceCache Horizontal;
  int PiecesBuilt = 0;
};
DropShadowState Shadows;

ToolkitRecordList<DropShadowRecord>& ShadowList() {
  return ToolkitList<DropShadowRecord>(ToolkitListId::DropShadows);
}

void FreePiece(ShadowPieceCache& cache) {
  if (cache.DC != nullptr) {
    SelectObject(cache.DC, cache.PreviousBitmap);
    DeleteDC(cache.DC);
  }
  if (cache.Bitmap != nullptr) DeleteObject(cache.Bitmap);
  cache = ShadowPieceCache{};
}

// A top-down 32-bit DIB section selected into a new memory DC.
HBITMAP MakeTopDownBitmap(HDC reference, int width, int height, void** bits) {
  return CreateTopDown32Dib(width, height, bits, reference);
}

bool RegisterShadowClass() {
  if (Shadows.ClassRegistered) return true;
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = DropShadowWindowProc;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = kDropShadowClass;
  Shadows.ClassRegistered =
      RegisterClassExW(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  return Shadows.ClassRegistered;
}

// The cached piece for this request, rebuilt when it cannot serve.
ShadowPieceCache* ServingPiece(HDC reference, bool vertical, const ShadowPieceKey& wanted) {
  ShadowPieceCache& cache = vertical ? Shadows.Vertical : Shadows.Horizontal;
  if (ShadowPieceServes(cache.Key, wanted)) return &cache;
  FreePiece(cache);
  const ShadowPieceImage image = BuildShadowPiece(wanted.Depth, wanted.Length, wanted.Colour, wanted.Alpha, vertical);
  void* bits = nullptr;
  cache.Bitmap = MakeTopDownBitmap(reference, image.Width, image.Height, &bits);
  cache.DC = CreateCompatibleDC(reference);
  if (cache.Bitmap == nullptr || cache.DC == nullptr || bits == nullptr) {
    FreePiece(cache);
    return nullptr;
  }
  std::memcpy(bits, image.Pixels.data(), image.Pixels.size() * sizeof(std::uint32_t));
  cache.PreviousBitmap = SelectObject(cache.DC, cache.Bitmap);
  cache.Key = wanted;
  ++Shadows.PiecesBuilt;
  return &cache;
}

void CopyStrip(HDC target, int width, int height, COLORREF colour, int alpha, std::uint32_t flags) {
  const bool vertical = (flags & kShadowVertical) != 0;
  const int depth = vertical ? width : height;
  const int length = vertical ? height : width;
  const ShadowPieceKey wanted{depth, ShadowPieceLength(length, depth, flags), colour & 0xFFFFFFu, alpha};
  const ShadowPieceCache* piece = ServingPiece(target, vertical, wanted);
  if (piece == nullptr) return;
  GdiFlush();
  for (const ShadowCopyRun& run : ShadowCopyPlan(length, depth, piece->Key.Length, flags)) {
    if (vertical) {
      BitBlt(target, 0, run.Target, width, run.Count, piece->DC, 0, run.Source, SRCCOPY);
    } else {
      BitBlt(target, run.Target, 0, run.Count, height, piece->DC, run.Source, 0, SRCCOPY);
    }
  }
  GdiFlush();
}

void ReleaseRecordDrawing(DropShadowRecord& record) {
  if (record.MemoryDC != nullptr) {
    SelectObject(record.MemoryDC, record.PreviousBitmap);
    DeleteDC(record.MemoryDC);
  }
  if (record.Bitmap != nullptr) DeleteObject(record.Bitmap);
  record.MemoryDC = nullptr;
  record.Bitmap = nullptr;
  record.Bits = nullptr;
}
}  // namespace

HWND CreateDropShadow(int x, int y, int width, int height, COLORREF colour, int alpha, std::uint32_t flags) {
  if ((flags & kShadowRebuildPieces) != 0) FreeDropShadowPieces();
  if (!RegisterShadowClass()) return nullptr;
  if (width <= 0 || height <= 0 || alpha <= 0) return nullptr;
  if (alpha > 255) alpha = 255;
  HWND window = CreateWindowExW(kDropShadowExStyle, kDropShadowClass, L"", 0, x, y, width, height, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) return nullptr;
  HDC window_dc = GetDC(window);
  DropShadowRecord record;
  record.Window = window;
  record.MemoryDC = CreateCompatibleDC(window_dc);
  record.Bitmap = MakeTopDownBitmap(window_dc, width, height, &record.Bits);
  if (record.MemoryDC == nullptr || record.Bitmap == nullptr) {
    ReleaseRecordDrawing(record);
    ReleaseDC(window, window_dc);
    DestroyWindow(window);
    return nullptr;
  }
  record.PreviousBitmap = SelectObject(record.MemoryDC, record.Bitmap);
  DropShadowRecord& stored = ShadowList().emplace_back(record);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&stored));

  CopyStrip(stored.MemoryDC, width, height, colour, alpha, flags);
  HDC screen = GetDC(nullptr);
  POINT position{x, y};
  SIZE size{width, height};
  POINT source{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  UpdateLayeredWindow(window, screen, &position, &size, stored.MemoryDC, &source, 0, &blend, ULW_ALPHA);
  ReleaseDC(nullptr, screen);
  ShowWindow(window, SW_SHOWNA);
  ReleaseDC(window, window_dc);
  return window;
}

LRESULT CALLBACK DropShadowWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    auto* record = reinterpret_cast<DropShadowRecord*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    auto& shadows = ShadowList();
    for (auto it = shadows.begin(); it != shadows.end(); ++it) {
      if (&*it != record) continue;
      ReleaseRecordDrawing(*it);
      shadows.erase(it);
      break;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

const DropShadowRecord* FindDropShadowRecord(HWND window) {
  for (const DropShadowRecord& record : ShadowList())
    if (record.Window == window) return &record;
  return nullptr;
}

void FreeDropShadowPieces() {
  FreePiece(Shadows.Vertical);
  FreePiece(Shadows.Horizontal);
  Shadows.PiecesBuilt = 0;
}

int DropShadowPiecesBuilt() { return Shadows.PiecesBuilt; }
