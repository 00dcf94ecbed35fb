#include <algorithm>

#include "veloui/foundation/coded_text.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/skins/core/panelex_rules.h"
#include "veloui/skins/panelex/panelex_records.h"
#include "veloui/skins/panelex/panelex_support.h"

namespace {
struct BufferPixels {
  std::uint32_t* Bits = nullptr;
  std::int32_t Width = 0, Height = 0;
  bool TopDown = false;
  std::uint32_t& At(std::int32_t x, std::int32_t y) const {
    return Bits[static_cast<std::size_t>(TopDown ? y : Height - 1 - y) * Width + x];
  }
};

// The pixels of the panel buffer selected in dc; empty when dc draws into no panel buffer.
BufferPixels PanelBufferOf(HDC dc) {
  const auto selected = static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
  if (selected == nullptr) return {};
  {
    ToolkitLockGuard guard(ToolkitLock::PanelEx);
    const auto& panels = PanelExPanels();
    if (std::none_of(panels.begin(), panels.end(), [&](const PanelExRecord& p) { return p.BufferImage == selected; }))
      return {};
  }
  DIBSECTION section{};
  if (GetObjectW(selected, sizeof(section), &section) != sizeof(section) || section.dsBm.bmBitsPixel != 32) return {};
  return {static_cast<std::uint32_t*>(section.dsBm.bmBits), section.dsBm.bmWidth, section.dsBm.bmHeight,
          section.dsBmih.biHeight < 0};
}

bool EnsureTextImage(PanelExState& state, std::int32_t width, std::int32_t height) {
  if (state.PanelExTextImage != nullptr && state.PanelExTextImageWidth >= width && state.PanelExTextImageHeight >= height) return true;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = std::max(width, state.PanelExTextImageWidth);
  info.bmiHeader.biHeight = -std::max(height, state.PanelExTextImageHeight);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP image = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (image == nullptr) return false;
  if (state.PanelExTextImage != nullptr) DeleteObject(state.PanelExTextImage);
  state.PanelExTextImage = image;
  state.PanelExTextPixels = static_cast<std::uint32_t*>(bits);
  state.PanelExTextImageWidth = info.bmiHeader.biWidth;
  state.PanelExTextImageHeight = -info.bmiHeader.biHeight;
  return true;
}

// White text on opaque black: the blue byte becomes the text's coverage.
void DrawTextMask(PanelExState& state, const Text& text, std::int32_t width, std::int32_t height, HFONT font,
                  std::uint32_t options) {
  for (std::int32_t y = 0; y < height; ++y)
    std::fill_n(state.PanelExTextPixels + static_cast<std::size_t>(y) * state.PanelExTextImageWidth, width, 0xFF000000u);
  HDC scratch = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(scratch, state.PanelExTextImage);
  SetTextColor(scratch, RGB(255, 255, 255));
  SetBkMode(scratch, TRANSPARENT);
  RECT area{2, 0, width, height};
  // The mask is drawn in the scratch image's co-ordinates: it must not record links over the
  // ones the real drawing recorded.
  DrawCodedText(scratch, text, area, font, (options & ~kCodedRecordLinks) | DT_NOCLIP);
  GdiFlush();
  SelectObject(scratch, previous);
  DeleteDC(scratch);
}
}  // namespace

std::uint32_t PanelExRegionHitProc(std::int32_t x, std::int32_t y, std::uint32_t source, std::uint32_t target) {
  PanelExState& state = PanelEx();
  if (x >= state.RepairRight || y >= state.RepairBottom) return target;
  if (state.RepairRegion != nullptr && !PtInRegion(state.RepairRegion, x, y)) return target;
  const auto alpha = RepairedTextAlpha(static_cast<std::uint8_t>(target >> 24), static_cast<std::uint8_t>(source >> 24),
                                       static_cast<std::uint8_t>(source & 0xFF), state.PanelExLastAlpha);
  return (target & 0x00FFFFFFu) | (static_cast<std::uint32_t>(alpha) << 24);
}

void RepairPanelExTextAlpha(HDC dc, const Text& text, const RECT& rect, HFONT font, std::uint32_t options) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  const BufferPixels buffer = PanelBufferOf(dc);
  if (buffer.Bits == nullptr) return;
  PanelExState& state = PanelEx();  // the GUI thread's alone: only it paints panels
  const std::int32_t width = rect.right - rect.left + 2;
  const std::int32_t height = rect.bottom - rect.top;
  POINT origin{};
  GetWindowOrgEx(dc, &origin);
  const std::int32_t left = rect.left - origin.x - 2;
  const std::int32_t top = rect.top - origin.y;
  if (!EnsureTextImage(state, width, height)) return;
  DrawTextMask(state, text, width, height, font, options);
  state.RepairRight = left + width;
  state.RepairBottom = top + height;
  state.RepairRegion = CreateRectRgn(left, top, left + width, top + height);
  if (GetClipRgn(dc, state.RepairRegion) != 1) SetRectRgn(state.RepairRegion, left, top, left + width, top + height);
  // Only the part of the text that lies on the buffer is visited.
  const std::int32_t first_x = std::max(0, -left), last_x = std::min(width, buffer.Width - left);
  const std::int32_t first_y = std::max(0, -top), last_y = std::min(height, buffer.Height - top);
  for (std::int32_t y = first_y; y < last_y; ++y)
    for (std::int32_t x = first_x; x < last_x; ++x) {
      std::uint32_t& target = buffer.At(left + x, top + y);
      target = PanelExRegionHitProc(left + x, top + y,
                                    state.PanelExTextPixels[static_cast<std::size_t>(y) * state.PanelExTextImageWidth + x], target);
    }
  DeleteObject(state.RepairRegion);
  state.RepairRegion = nullptr;
}
