#include <vector>

#include "runtime/win32/platform/wide_text.h"
#include "veloui/foundation/binding_names.h"
#include "veloui/foundation/core/ui_colour.h"

UxThemeBinding UxTheme;

namespace {
void ResolveThemeFunctions(HMODULE library) {
  Resolve(library, "OpenThemeData", UxTheme.OpenThemeData);
  Resolve(library, "IsThemeBackgroundPartiallyTransparent", UxTheme.IsThemeBackgroundPartiallyTransparent);
  Resolve(library, "DrawThemeBackground", UxTheme.DrawThemeBackground);
  Resolve(library, "DrawThemeBackgroundEx", UxTheme.DrawThemeBackgroundEx);
  Resolve(library, "DrawThemeParentBackground", UxTheme.DrawThemeParentBackground);
  Resolve(library, "DrawThemeParentBackgroundEx", UxTheme.DrawThemeParentBackgroundEx);
  Resolve(library, "DrawThemeEdge", UxTheme.DrawThemeEdge);
  Resolve(library, "CloseThemeData", UxTheme.CloseThemeData);
  Resolve(library, "GetThemeSysColorBrush", UxTheme.GetThemeSysColorBrush);
  Resolve(library, "GetThemeSysColor", UxTheme.GetThemeSysColor);
  Resolve(library, "GetThemeColor", UxTheme.GetThemeColor);
  Resolve(library, "GetThemeRect", UxTheme.GetThemeRect);
  Resolve(library, "GetThemeFont", UxTheme.GetThemeFont);
  Resolve(library, "SetWindowTheme", UxTheme.SetWindowTheme);
}

// An empty (or all-blank) theme name means that no visual style is active.
void ReadVisualStyleName(HMODULE library) {
  binding::GetCurrentThemeNameProc get_name = nullptr;
  Resolve(library, "GetCurrentThemeName", get_name);
  std::vector<wchar_t> buffer(128, L'\0');
  if (get_name != nullptr) get_name(buffer.data(), 100, nullptr, 0, nullptr, 0);
  buffer.back() = L'\0';
  Text name = FromWide(buffer.data());
  std::erase(name, u' ');
  if (name.empty()) UxTheme.NoVisualStyle = true;
}

binding::HTHEME_ Open(HWND window, const wchar_t* themeClass) {
  return UxTheme.OpenThemeData != nullptr ? UxTheme.OpenThemeData(window, themeClass) : nullptr;
}

void Close(binding::HTHEME_& theme) {
  if (theme != nullptr && UxTheme.CloseThemeData != nullptr) UxTheme.CloseThemeData(theme);
  theme = nullptr;
}

void CloseThemeHandles() {
  for (binding::HTHEME_* theme : {&UxTheme.ThemeScrollbarData, &UxTheme.ThemeExplorerBarData, &UxTheme.ThemeRebarData,
                                  &UxTheme.ThemeTabData, &UxTheme.ThemeToolbarData, &UxTheme.ThemeMenuData,
                                  &UxTheme.ThemeButtonData})
    Close(*theme);
}

void OpenThemeHandles() {
  const HWND window = GetForegroundWindow();
  UxTheme.ThemeScrollbarData = Open(window, L"scrollbar");
  UIColours.ThemeScrollbarData = reinterpret_cast<std::uintptr_t>(UxTheme.ThemeScrollbarData);
  if (UxTheme.ThemeScrollbarData != nullptr && UxTheme.GetThemeSysColor != nullptr) {
    UIColours.ThemeCaptionColour = UxTheme.GetThemeSysColor(UxTheme.ThemeScrollbarData, COLOR_ACTIVECAPTION);
    DetectThemeColourName(UIColours.ThemeCaptionColour);
  }
  UxTheme.ThemeExplorerBarData = Open(window, L"explorerbar");
  UxTheme.ThemeRebarData = Open(window, L"rebar");
  UxTheme.ThemeTabData = Open(window, L"tab");
  UxTheme.ThemeToolbarData = Open(window, L"toolbar");
  UxTheme.ThemeMenuData = Open(window, L"menu");
  UxTheme.ThemeButtonData = Open(window, L"button");
}
}  // namespace

HMODULE BindUxTheme() {
  if (UxTheme.Library != nullptr) return UxTheme.Library;
  UxTheme.Library = LoadLibraryW(BoundLibraryNames().UxTheme);
  if (UxTheme.Library == nullptr) return nullptr;
  ResolveThemeFunctions(UxTheme.Library);
  ReadVisualStyleName(UxTheme.Library);
  OpenThemeHandles();
  return UxTheme.Library;
}

// All seven, also when the new theme gives no scrollbar handle: a handle of the theme that was
// switched off would go on drawing in it, and would never be closed; without a theme the
// handles opened again are simply none.
void ReopenThemeHandles() {
  if (UxTheme.Library == nullptr) return;
  CloseThemeHandles();
  UIColours.ThemeScrollbarData = 0;
  OpenThemeHandles();
}

std::int32_t ReleaseUxTheme() {
  if (UxTheme.Library == nullptr) return 0;
  if (UxTheme.ThemeScrollbarData != nullptr) CloseThemeHandles();
  FreeLibrary(UxTheme.Library);
  UxTheme = UxThemeBinding{};
  UIColours.ThemeScrollbarData = 0;
  return 0;
}
