#include "veloui/menus/rebar_backgrounds.h"

#include <commctrl.h>

#include "veloui/foundation/core/debug_log.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/ui_colours.h"
#include "veloui/menus/core/rebar_background_rules.h"
#include "veloui/menus/rebars.h"
#include "veloui/menus/toolbars.h"

namespace {

constexpr std::int32_t kRebarBackgroundTop = 31;     // rebarbackground1
constexpr std::int32_t kRebarBackgroundBottom = 32;  // rebarbackground2
constexpr std::uint32_t kColourAsColorref = 2;

struct StyleImage {
  HBITMAP Bitmap = nullptr;
  RebarBackgroundSize Size;
  bool Marked = false;
};

struct BackgroundState {
  int WidestMonitor = 0;
  StyleImage Office2003;
  StyleImage Office2007;
};
BackgroundState Backgrounds;

StyleImage* ImageOf(std::uint32_t style) {
  if (style == UISTYLE_OFFICE2003 || style == 6) return &Backgrounds.Office2003;
  if (style == UISTYLE_OFFICE2007) return &Backgrounds.Office2007;
  return nullptr;
}

BOOL CALLBACK NoteMonitor(HMONITOR, HDC, LPRECT rect, LPARAM) {
  Backgrounds.WidestMonitor = GrowWidestMonitor(Backgrounds.WidestMonitor, rect->right - rect->left);
  return TRUE;
}

COLOR16 Channel(BYTE value) { return static_cast<COLOR16>(value << 8); }

// A 24-bit image with a left-to-right gradient between the style's two rebar colours.
HBITMAP DrawStyleImage(std::uint32_t style, RebarBackgroundSize size) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = size.Width;
  info.bmiHeader.biHeight = size.Height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr) return nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  const COLORREF from = GetUIColour(style, kRebarBackgroundTop, kColourAsColorref);
  const COLORREF to = GetUIColour(style, kRebarBackgroundBottom, kColourAsColorref);
  TRIVERTEX vertices[2] = {
      {0, 0, Channel(GetRValue(from)), Channel(GetGValue(from)), Channel(GetBValue(from)), 0},
      {size.Width, size.Height, Channel(GetRValue(to)), Channel(GetGValue(to)), Channel(GetBValue(to)), 0},
  };
  GRADIENT_RECT rect{0, 1};
  GradientFill(dc, vertices, 2, &rect, 1, GRADIENT_FILL_RECT_H);
  SelectObject(dc, previous);
  DeleteDC(dc);
  return bitmap;
}

void RenderStyle(std::uint32_t style, StyleImage& image, const char16_t* debugLine, std::int32_t force,
                 RebarBackgroundSize want) {
  if (!RebarBackgroundNeedsRendering(force, image.Bitmap != nullptr, image.Marked, image.Size, want)) return;
  WriteDebugLog(debugLine);
  HBITMAP fresh = DrawStyleImage(style, want);
  if (fresh == nullptr) return;
  HBITMAP old = image.Bitmap;
  image = StyleImage{fresh, want, false};
  SetRebarBandBackgrounds(style, fresh);
  if (old != nullptr) DeleteObject(old);
}

}  // namespace

HBITMAP RebarBackgroundImage(std::uint32_t style) {
  const StyleImage* image = ImageOf(style);
  return image != nullptr ? image->Bitmap : nullptr;
}

void MarkRebarBackgroundForRendering(std::uint32_t style) {
  if (StyleImage* image = ImageOf(style)) image->Marked = true;
}

std::int32_t RenderRebarBackgrounds(std::int32_t force) {
  if (ToolkitList<RebarRecord>(ToolkitListId::Rebars).empty()) return 0;
  EnumDisplayMonitors(nullptr, nullptr, NoteMonitor, 0);
  const RebarBackgroundSize want = RebarBackgroundSizeFor(Backgrounds.WidestMonitor);
  RenderStyle(UISTYLE_OFFICE2003, Backgrounds.Office2003, u"Office2003 background needs rendering!", force, want);
  RenderStyle(UISTYLE_OFFICE2007, Backgrounds.Office2007, u"Office2007 background needs rendering!", force, want);
  return 1;
}

void SetRebarBandBackgrounds(std::uint32_t style, HBITMAP bitmap) {
  const auto& bands = ToolkitList<RebarBandRecord>(ToolkitListId::RebarBands);
  for (RebarRecord& rebar : ToolkitList<RebarRecord>(ToolkitListId::Rebars)) {
    if (rebar.Style != style || !IsWindow(rebar.Window)) continue;
    SendMessageW(rebar.Window, WM_SETREDRAW, FALSE, 0);
    for (const RebarBandRecord& band : bands) {
      if (band.Rebar != rebar.Window || band.Background != nullptr) continue;
      const auto index = SendMessageW(rebar.Window, RB_IDTOINDEX, band.BandId, 0);
      if (index < 0) continue;
      REBARBANDINFOW info{};
      info.cbSize = sizeof(info);
      info.fMask = RBBIM_STYLE | RBBIM_BACKGROUND;
      if (!SendMessageW(rebar.Window, RB_GETBANDINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info))) continue;
      info.hbmBack = bitmap;
      info.fStyle |= RBBS_FIXEDBMP;
      SendMessageW(rebar.Window, RB_SETBANDINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
    }
    SendMessageW(rebar.Window, WM_SETREDRAW, TRUE, 0);
  }
}
