#include <cstring>

#include "veloui/foundation/binding_names.h"

GdiPlusBinding GdiPlus;

namespace {
constexpr const char* kFunctionNames[kGdiPlusFunctionCount] = {
    "GdipCreateFromHDC", "GdipCreateFromHWND", "GdipCreateLineBrushI", "GdipCreateSolidFill",
    "GdipFillRectangleI", "GdipFillEllipseI", "GdipDeleteGraphics", "GdipDeleteBrush",
    "GdipCreatePathGradientI", "GdipSetPathGradientCenterColor", "GdipSetPathGradientCenterPointI",
    "GdipDrawLineI", "GdipCreatePen1", "GdipDeletePen", "GdipDrawImage", "GdipDrawImageI",
    "GdipDrawImageRectI", "GdipDrawImageRectRect", "GdipDrawImageRectRectI", "GdipCreateImageAttributes",
    "GdipSetImageAttributesColorMatrix", "GdipDisposeImageAttributes", "GdipDisposeImage",
    "GdipCreateBitmapFromHBITMAP", "GdipCreateBitmapFromScan0", "GdipCreateBitmapFromGraphics",
    "GdipCreateBitmapFromGdiDib", "GdipBitmapSetPixel", "GdipBitmapLockBits", "GdipBitmapUnlockBits",
    "GdipImageRotateFlip", "GdipSetCompositingMode", "GdipSetCompositingQuality", "GdipSetPixelOffsetMode",
    "GdipSetSmoothingMode", "GdipSetLinePresetBlend", "GdipCreatePath", "GdipCreatePathGradientFromPath",
    "GdipAddPathEllipseI", "GdipDeletePath", "GdipSetPathGradientCenterPoint",
};

// The start-up records GDI+ reads and writes (its version 1 layout).
struct StartupInput {
  UINT32 GdiplusVersion = 1;
  void* DebugEventCallback = nullptr;
  BOOL SuppressBackgroundThread = TRUE;  // we run its notification hook ourselves
  BOOL SuppressExternalCodecs = FALSE;
};
struct StartupOutput {
  binding::GdiplusNotificationHookProc NotificationHook = nullptr;
  binding::GdiplusNotificationUnhookProc NotificationUnhook = nullptr;
};
using StartupProc = binding::GdiplusStatus(WINAPI*)(ULONG_PTR*, const StartupInput*, StartupOutput*);
using ShutdownProc = void(WINAPI*)(ULONG_PTR);
}  // namespace

const char* GdiPlusFunctionName(int index) {
  return index >= 0 && index < kGdiPlusFunctionCount ? kFunctionNames[index] : nullptr;
}

FARPROC GdiPlusFunction(const char* name) {
  for (int index = 0; index < kGdiPlusFunctionCount; ++index)
    if (std::strcmp(kFunctionNames[index], name) == 0) return GdiPlus.Functions[index];
  return nullptr;
}

// A start-up that failed is tried again at the next call (the painters call this before each
// use): a passing shortage must not leave the gradients unpainted for the rest of the run.
ULONG_PTR BindGdiPlus() {
  if (GdiPlus.GdiPlusToken != 0) return GdiPlus.GdiPlusToken;
  if (GdiPlus.Library == nullptr) GdiPlus.Library = LoadLibraryW(BoundLibraryNames().GdiPlus);
  if (GdiPlus.Library == nullptr) return 0;
  StartupProc startup = nullptr;
  Resolve(GdiPlus.Library, "GdiplusStartup", startup);
  StartupInput input;
  StartupOutput output;
  if (startup == nullptr || startup(&GdiPlus.GdiPlusToken, &input, &output) != 0) {
    GdiPlus.GdiPlusToken = 0;
    return 0;
  }
  GdiPlus.NotificationHook = output.NotificationHook;
  GdiPlus.NotificationUnhook = output.NotificationUnhook;
  if (GdiPlus.NotificationHook != nullptr) GdiPlus.NotificationHook(&GdiPlus.NotificationToken);
  for (int index = 0; index < kGdiPlusFunctionCount; ++index)
    GdiPlus.Functions[index] = GetProcAddress(GdiPlus.Library, kFunctionNames[index]);
  return GdiPlus.GdiPlusToken;
}

std::int32_t ReleaseGdiPlus() {
  if (GdiPlus.Library == nullptr) return 0;
  // Token 0 is a hook that was never set (no hook procedure, or it failed): nothing to unhook.
  if (GdiPlus.NotificationUnhook != nullptr && GdiPlus.NotificationToken != 0)
    GdiPlus.NotificationUnhook(GdiPlus.NotificationToken);
  ShutdownProc shutdown = nullptr;
  Resolve(GdiPlus.Library, "GdiplusShutdown", shutdown);
  if (shutdown != nullptr && GdiPlus.GdiPlusToken != 0) shutdown(GdiPlus.GdiPlusToken);
  FreeLibrary(GdiPlus.Library);
  GdiPlus = GdiPlusBinding{};
  return 0;
}
