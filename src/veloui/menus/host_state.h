#pragma once
// What the host window procedure keeps between messages: tooltip texts of toolbar buttons
// and the sizing, theme and paint flags.
// GUI thread only; the record lists are guarded by the menu lock.
#include <windows.h>

#include <cstdint>
#include <string>

#include "runtime/portable/text.h"
#include "veloui/foundation/core/toolkit_registry.h"

struct ToolbarTooltipRecord {
  std::uint32_t Id = 0;
  Text Text;
  std::string AnsiText;  // made on each ANSI request
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

inline ToolkitRecordList<ToolbarTooltipRecord>& ToolbarTooltipList() {
  return ToolkitList<ToolbarTooltipRecord>(ToolkitListId::ToolbarTooltips);
}
