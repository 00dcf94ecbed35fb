#pragma once
// What the host window procedure keeps between messages: tooltip texts of toolbar buttons
// and the sizing, theme and paint flags.
// GUI thread only; the record lists are guarded by the menu lock.
#include <windows.h>

#include <cstdint>
#include <string>

#include "runtime/portable/text.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/system_binding.h"

struct ToolbarTooltipRecord {
  std::uint32_t Id = 0;
  Text Text;
  std::string AnsiText;  // made on each ANSI request
  HWND Toolbar = nullptr;  // the toolbar whose button it describes; its tips go with it
};

struct HostWindowGlobals {
  bool Sizing = false;
  bool Maximised = false;
  bool ClassicLook = false;  // the theme name is empty: classic drawing
  COLORREF ThemeCaptionColour = 0;
  bool RenderCacheOption = true;
  bool PaintPass = false;    // items of one menu are being drawn through a memory bitmap
};
extern HostWindowGlobals HostWindows;

// The start state (toolkit start-up, tests): nothing sizing or painting, and the classic look
// while the system has no visual style.
inline void ResetHostWindowState() {
  HostWindows = HostWindowGlobals{};
  HostWindows.ClassicLook = UxTheme.NoVisualStyle;
}

inline ToolkitRecordList<ToolbarTooltipRecord>& ToolbarTooltipList() {
  return ToolkitList<ToolbarTooltipRecord>(ToolkitListId::ToolbarTooltips);
}
