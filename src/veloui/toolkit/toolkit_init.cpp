#include <shlwapi.h>

#include <cstddef>

#include "runtime/portable/jpeg_decode.h"
#include "veloui/foundation/core/named_colours.h"
#include "veloui/foundation/core/toolkit_facts.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/core/ui_colour_tables.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/foundation/toolkit_glyphs.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/foundation/ui_colours.h"
#include "veloui/menus/animation_thread.h"
#include "veloui/menus/host_state.h"
#include "veloui/menus/menu_tracking_hooks.h"
#include "veloui/menus/menus.h"
#include "veloui/menus/menu_hooks.h"
#include "veloui/menus/rebars.h"
#include "veloui/menus/toolbars.h"
#include "veloui/menus/track_windows_hook.h"
#include "veloui/skins/panelex/panelex_support.h"
#include "veloui/skins/skin_services.h"
#include "veloui/toolkit/toolkit.h"

namespace {
// Brushes of an earlier start-up would otherwise be forgotten with the old tables.
void RenewColourTables() {
  for (ColourBrushCacheEntry& entry : UIColours.ColourBrushCache)
    if (entry.Brush != 0) DeleteObject(reinterpret_cast<HGDIOBJ>(static_cast<std::uintptr_t>(entry.Brush)));
  UIColours.Whidbey = {};
  UIColours.Office2003 = {};
  UIColours.Office2007 = {};
  UIColours.ColourBrushCache = {};
  InitColourTables();
}

void LoadToolkitCursors() {
  Toolkit.ArrowCursor = LoadCursorW(nullptr, IDC_ARROW);
  Toolkit.RebarSizeCursor = LoadCursorW(nullptr, IDC_SIZENS);
  Toolkit.RebarDragCursor = LoadCursorW(nullptr, IDC_SIZENS);
  Toolkit.HandCursor = LoadCursorW(nullptr, IDC_HAND);
  Toolkit.SplitterCursor = LoadCursorW(nullptr, IDC_SIZEWE);
}

void ResetBuilderState() {
  ResetMenuBuilderState();
  ResetRebarBuilderState();
  ResetToolbarBuilderState();
}

void MakeMenuFont() {
  // The structure as systems before the padded border knew it, which every system accepts.
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) return;
  if (Toolkit.MenuFont != nullptr) DeleteObject(Toolkit.MenuFont);
  Toolkit.MenuFont = CreateFontIndirectW(&metrics.lfMenuFont);
}

void ReadDropShadowSetting() {
  BOOL shadow = FALSE;
  SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &shadow, 0);
  SystemFacts.SystemDropShadow = shadow ? 1 : 0;
}

void ReadCommonControlsVersion() {
  SystemFacts.CommonControlsMajor = SystemFacts.CommonControlsMinor = SystemFacts.CommonControlsBuild = 0;
  HMODULE library = LoadLibraryW(L"Comctl32.dll");
  if (library == nullptr) return;
  auto get_version = reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(GetProcAddress(library, "DllGetVersion")));
  DLLVERSIONINFO version{};
  version.cbSize = sizeof(version);
  if (get_version != nullptr && SUCCEEDED(get_version(&version))) {
    SystemFacts.CommonControlsMajor = version.dwMajorVersion;
    SystemFacts.CommonControlsMinor = version.dwMinorVersion;
    SystemFacts.CommonControlsBuild = version.dwBuildNumber;
  }
  FreeLibrary(library);
}

}  // namespace

std::int32_t InitToolkit() {
  if (Toolkit.Started) return 0;
  ResetToolkitGlobalLists();
  CreateToolkitMutexSet();
  RenewColourTables();
  BindColourServices();
  BindSkinServices();
  InstallPanelExHooks();
  InstallMenuHooks();
  // PNG is the image library's own first choice; JPEG joins it here, before any image is made.
  RegisterImageDecoder(DecodeJpeg);
  CreateToolkitGlyphs();
  LoadToolkitCursors();
  ResetBuilderState();
  MakeMenuFont();
  ReadDropShadowSetting();
  SystemFacts.OsVersionCode = ReadOsVersionCode();
  ReadCommonControlsVersion();
  // GdiAlphaBlend is not bound by name: the painters import it from Gdi32.dll, which the
  // process loads before any of our code runs, so a binding could never find it missing.
  BindUxTheme();
  ResetHostWindowState();
  BindDwm();
  return 0;
}

std::int32_t StartToolkitHooks() {
  if (Toolkit.Started) return 0;
  if (Toolkit.CallWndProcHook == nullptr)
    Toolkit.CallWndProcHook = SetWindowsHookExW(WH_CALLWNDPROC, TrackWindowsHookProc, nullptr, GetCurrentThreadId());
  BindGdiPlus();
  Toolkit.Started = true;
  Toolkit.AnimationStopRequested = false;
  Toolkit.AnimationThreadHandle = CreateThread(nullptr, 0, AnimationThread, nullptr, 0, nullptr);
  return 0;
}
