#include "veloui/menus/menu_shadows.h"

#include <optional>

#include "veloui/foundation/core/toolkit_facts.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/menus/core/menu_shadow_geometry.h"
#include "veloui/menus/drop_shadow.h"
#include "veloui/foundation/core/ui_colour_ids.h"

namespace {
constexpr int kClassicShadowAlpha = 0x28;

ToolkitRecordList<PopupShadowRecord>& PopupShadows() {
  return ToolkitList<PopupShadowRecord>(ToolkitListId::PopupShadows);
}
ToolkitRecordList<TitleShadowRecord>& TitleShadows() {
  return ToolkitList<TitleShadowRecord>(ToolkitListId::TitleShadows);
}

ShadowRect FromRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

HWND CastStrip(const ShadowStrip& strip, const MenuShadowColour& shade) {
  if (strip.Area.Empty()) return nullptr;
  return CreateDropShadow(strip.Area.Left, strip.Area.Top, strip.Area.Right - strip.Area.Left,
                          strip.Area.Bottom - strip.Area.Top, shade.Colour, shade.Alpha, strip.Flags);
}

// Every strip of the parent's shadow that a submenu lies over (beside the parent and at its
// corner, when the submenu reaches below it) would darken the submenu: each is hidden while
// the submenu shows, and noted in `hidden`.
void HideParentShadowsUnder(HWND parentPopup, const RECT& submenu, HWND (&hidden)[3]) {
  int count = 0;
  for (const PopupShadowRecord& parent : PopupShadows()) {
    if (parent.Popup != parentPopup) continue;
    for (HWND shadow : parent.Shadows) {
      RECT strip{}, common{};
      if (shadow == nullptr || !IsWindowVisible(shadow) || !GetWindowRect(shadow, &strip)) continue;
      if (!IntersectRect(&common, &strip, &submenu) || count >= 3) continue;
      ShowWindow(shadow, SW_HIDE);
      hidden[count++] = shadow;
    }
  }
}

void DestroyIfWindow(HWND window) {
  if (window != nullptr && IsWindow(window)) DestroyWindow(window);
}

}  // namespace

MenuShadowColour MenuShadowColourOf(std::uint32_t style) {
  std::uint32_t word = 0;
  if (IsOfficeStyle(style)) {
    word = GetUIColour(style, UIColour::menudropshadow, kUIColourStored);
  } else if (style == UISTYLE_WHIDBEY) {
    word = GetModeColour(style, UIColour::menudropshadow);
  }
  const std::uint32_t alpha = word >> 24;
  if (alpha == 0) return {RGB(0, 0, 0), kClassicShadowAlpha};
  // An ARGB word: the colour's red is its third byte.
  return {RGB((word >> 16) & 0xFF, (word >> 8) & 0xFF, word & 0xFF), static_cast<int>(alpha)};
}

int CastPopupMenuShadows(HWND popup, std::uint32_t style, HWND parentPopup) {
  if (SystemFacts.SystemDropShadow == 0 || popup == nullptr || FindPopupShadowRecord(popup) != nullptr) return 0;
  RECT bounds{};
  if (!GetWindowRect(popup, &bounds)) return 0;
  std::optional<ShadowRect> avoid;
  RECT parent_bounds{};
  if (parentPopup != nullptr && GetWindowRect(parentPopup, &parent_bounds)) avoid = FromRect(parent_bounds);
  const MenuShadowColour shade = MenuShadowColourOf(style);
  PopupShadowRecord record;
  record.Popup = popup;
  if (parentPopup != nullptr) HideParentShadowsUnder(parentPopup, bounds, record.HiddenParentShadows);
  int made = 0;
  const std::vector<ShadowStrip> strips = PopupShadowStrips(FromRect(bounds), kMenuShadowDepth, avoid);
  for (std::size_t k = 0; k < strips.size() && k < 3; ++k) {
    record.Shadows[k] = CastStrip(strips[k], shade);
    if (record.Shadows[k] != nullptr) ++made;
  }
  PopupShadows().push_back(record);
  return made;
}

int DestroyPopupMenuShadows(HWND popup) {
  int destroyed = 0;
  auto& records = PopupShadows();
  for (auto it = records.begin(); it != records.end();) {
    if (it->Popup != popup) {
      ++it;
      continue;
    }
    const PopupShadowRecord record = *it;
    it = records.erase(it);
    for (HWND hidden : record.HiddenParentShadows) {
      if (hidden != nullptr && IsWindow(hidden)) ShowWindow(hidden, SW_SHOWNA);
    }
    for (HWND shadow : record.Shadows) {
      if (shadow == nullptr || !IsWindow(shadow)) continue;
      DestroyWindow(shadow);
      ++destroyed;
    }
  }
  return destroyed;
}

const PopupShadowRecord* FindPopupShadowRecord(HWND popup) {
  for (const PopupShadowRecord& record : PopupShadows())
    if (record.Popup == popup) return &record;
  return nullptr;
}

int CastTitleShadows(HWND toolbar, const RECT& title, std::uint32_t style) {
  if (SystemFacts.SystemDropShadow == 0) return 0;
  // Each repaint of a pressed title asks; its shadows are made once per press.
  for (const TitleShadowRecord& record : TitleShadows()) {
    if (record.Toolbar == toolbar && EqualRect(&record.Around, &title)) return 0;
  }
  DestroyTitleShadows(toolbar);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (!GetMonitorInfoW(MonitorFromRect(&title, MONITOR_DEFAULTTONEAREST), &monitor)) return 0;
  const MenuShadowColour shade = MenuShadowColourOf(style);
  const std::vector<ShadowStrip> strips = TitleShadowStrips(FromRect(title), kMenuShadowDepth, FromRect(monitor.rcWork));
  TitleShadowRecord record;
  record.Toolbar = toolbar;
  record.Around = title;
  record.Beside = CastStrip(strips[0], shade);
  record.Below = CastStrip(strips[1], shade);
  TitleShadows().push_back(record);
  return 1;
}

int DestroyTitleShadows(HWND toolbar) {
  int removed = 0;
  auto& records = TitleShadows();
  for (auto it = records.begin(); it != records.end();) {
    if (toolbar != nullptr && it->Toolbar != toolbar) {
      ++it;
      continue;
    }
    const TitleShadowRecord record = *it;
    it = records.erase(it);
    DestroyIfWindow(record.Beside);
    DestroyIfWindow(record.Below);
    ++removed;
  }
  return removed;
}
