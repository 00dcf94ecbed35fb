#pragma once
// Run-time binding of the desktop window manager, the visual-styles library and GDI+.
// Every function is resolved by name; a missing library or function leaves its entry 0
// and every caller tests an entry before it calls it.
#include <windows.h>

#include <cstdint>
#include <cstring>

namespace binding {
// Our own declarations of the bound signatures (only what the toolkit passes).
using HTHEME_ = HANDLE;
using DwmIsCompositionEnabledProc = HRESULT(WINAPI*)(BOOL*);
using DwmEnableCompositionProc = HRESULT(WINAPI*)(UINT);
using DwmSetWindowAttributeProc = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
using DwmFlushProc = HRESULT(WINAPI*)();
using DwmSetPresentParametersProc = HRESULT(WINAPI*)(HWND, void*);

using OpenThemeDataProc = HTHEME_(WINAPI*)(HWND, LPCWSTR);
using CloseThemeDataProc = HRESULT(WINAPI*)(HTHEME_);
using GetThemeSysColorProc = COLORREF(WINAPI*)(HTHEME_, int);
using GetCurrentThemeNameProc = HRESULT(WINAPI*)(LPWSTR, int, LPWSTR, int, LPWSTR, int);
using GenericProc = FARPROC;

using GdiplusStatus = int;
using GdiplusNotificationHookProc = GdiplusStatus(WINAPI*)(ULONG_PTR*);
using GdiplusNotificationUnhookProc = void(WINAPI*)(ULONG_PTR);
}  // namespace binding

struct DwmBinding {
  HMODULE Library = nullptr;
  binding::DwmIsCompositionEnabledProc DwmIsCompositionEnabled = nullptr;
  binding::DwmEnableCompositionProc DwmEnableComposition = nullptr;
  binding::DwmSetWindowAttributeProc DwmSetWindowAttribute = nullptr;
  binding::DwmFlushProc DwmFlush = nullptr;
  binding::DwmSetPresentParametersProc DwmSetPresentParameters = nullptr;
  BOOL DwmCompositionEnabled = FALSE;
};

// The visual-styles functions in the order they are resolved; the ones the toolkit calls
// have their own typed entries, the others are kept as plain addresses for their callers.
struct UxThemeBinding {
  HMODULE Library = nullptr;
  binding::OpenThemeDataProc OpenThemeData = nullptr;
  binding::GenericProc IsThemeBackgroundPartiallyTransparent = nullptr;
  binding::GenericProc DrawThemeBackground = nullptr;
  binding::GenericProc DrawThemeBackgroundEx = nullptr;
  binding::GenericProc DrawThemeParentBackground = nullptr;
  binding::GenericProc DrawThemeParentBackgroundEx = nullptr;
  binding::GenericProc DrawThemeEdge = nullptr;
  binding::CloseThemeDataProc CloseThemeData = nullptr;
  binding::GenericProc GetThemeSysColorBrush = nullptr;
  binding::GetThemeSysColorProc GetThemeSysColor = nullptr;
  binding::GenericProc GetThemeColor = nullptr;
  binding::GenericProc GetThemeRect = nullptr;
  binding::GenericProc GetThemeFont = nullptr;
  binding::GenericProc SetWindowTheme = nullptr;
  bool NoVisualStyle = false;
  // The scrollbar handle is also UIColours.ThemeScrollbarData.
  binding::HTHEME_ ThemeScrollbarData = nullptr;
  binding::HTHEME_ ThemeExplorerBarData = nullptr;
  binding::HTHEME_ ThemeRebarData = nullptr;
  binding::HTHEME_ ThemeTabData = nullptr;
  binding::HTHEME_ ThemeToolbarData = nullptr;
  binding::HTHEME_ ThemeMenuData = nullptr;
  binding::HTHEME_ ThemeButtonData = nullptr;
};

constexpr int kGdiPlusFunctionCount = 41;

struct GdiPlusBinding {
  HMODULE Library = nullptr;
  ULONG_PTR GdiPlusToken = 0;
  ULONG_PTR NotificationToken = 0;
  binding::GdiplusNotificationHookProc NotificationHook = nullptr;
  binding::GdiplusNotificationUnhookProc NotificationUnhook = nullptr;
  // The painters' shared graphics handle.
  void* Graphics = nullptr;
  // The flat-API addresses in the order of GdiPlusFunctionName; cast by their callers.
  FARPROC Functions[kGdiPlusFunctionCount] = {};
};

// A bound address as the function type its caller declares.
template <class Procedure>
Procedure BoundProc(binding::GenericProc address) {
  static_assert(sizeof(Procedure) == sizeof(address));
  Procedure procedure = nullptr;
  std::memcpy(&procedure, &address, sizeof(procedure));
  return procedure;
}

extern DwmBinding Dwm;
extern UxThemeBinding UxTheme;
extern GdiPlusBinding GdiPlus;

// "GdipCreateFromHDC", "GdipCreateFromHWND", ... : the name of a flat-API entry.
const char* GdiPlusFunctionName(int index);
// The bound address of a flat-API function by name; nullptr when not bound.
FARPROC GdiPlusFunction(const char* name);

// Returns 0.
std::int32_t BindDwm();
// Returns the library, or 0 when there is none.
HMODULE BindUxTheme();
// Returns the GDI+ token, or 0 when there is no GDI+.
ULONG_PTR BindGdiPlus();
std::int32_t ReleaseDwm();

// After WM_THEMECHANGED: the seven theme handles opened afresh, the caption colour and the
// theme-colour word read again.
void ReopenThemeHandles();
// After WM_DWMCOMPOSITIONCHANGED: DwmCompositionEnabled read again (0 without DWM).
void ReadDwmComposition();
std::int32_t ReleaseUxTheme();
std::int32_t ReleaseGdiPlus();

// The library names the binders load; tests point them at libraries that do not exist.
struct BindingLibraryNames {
  const wchar_t* Dwm = L"dwmapi.dll";
  const wchar_t* UxTheme = L"UxTheme.dll";
  const wchar_t* GdiPlus = L"GDIPlus.DLL";
};
void SetBindingLibraryNamesForTesting(const BindingLibraryNames& names);

// The OS version code (50, 60, 70, 80, 90, 95, 100) of the running system, read through the
// version routine bound by name.
std::int32_t ReadOsVersionCode();
