#include "veloui/foundation/fonts.h"

#include "runtime/win32/platform/wide_text.h"
#include "veloui/foundation/core/font_steps.h"

static_assert(ANTIALIASED_QUALITY == 4 && NONANTIALIASED_QUALITY == 3 && CLEARTYPE_QUALITY == 5);

int GetScreenDPI(int horizontal) {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return 0;
  const int dpi = GetDeviceCaps(screen, horizontal != 0 ? LOGPIXELSX : LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

HFONT CreateFontByPointSize(const Text& faceName, int pointSize, std::uint32_t styleFlags) {
  const FontStyleRequest style = DecodeFontStyleFlags(styleFlags);
  return CreateFontW(-MulDiv(pointSize, GetScreenDPI(0), 72), 0, 0, 0, style.Weight, style.Italic, style.Underline,
                     style.StrikeOut, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     static_cast<DWORD>(style.Quality), VARIABLE_PITCH, Wide(faceName));
}

int FreeFontHandle(HFONT font) { return DeleteObject(font) ? 1 : 0; }

int SetWindowFontHandle(HWND window, HFONT font) {
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), 1);
  return 0;
}

namespace {

bool ReadFont(HFONT font, LOGFONTW& log) {
  return font != nullptr && GetObjectW(font, sizeof(log), &log) > 0;
}

}  // namespace

int GetFontPointSize(HFONT font) {
  LOGFONTW log{};
  if (!ReadFont(font, log)) return 0;
  return PointSizeOfHeight(log.lfHeight, GetScreenDPI(0));
}

Text GetFontFaceName(HFONT font) {
  LOGFONTW log{};
  if (!ReadFont(font, log)) return Text();
  log.lfFaceName[LF_FACESIZE - 1] = L'\0';
  return FromWide(log.lfFaceName);
}
