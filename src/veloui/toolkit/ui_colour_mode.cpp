#include "veloui/toolkit/ui_colour_mode.h"

#include "veloui/foundation/blit_cache.h"
#include "veloui/foundation/ui_colours.h"
#include "veloui/menus/colour_refresh.h"
#include "veloui/menus/rebar_backgrounds.h"
#include "veloui/skins/skin_refresh.h"

std::int32_t SetUIColourMode(std::int32_t mode) {
  if (StoreUIColourMode(mode) == 0) return 0;
  EnumWindows(NotifyWindowColourProc, static_cast<LPARAM>(GetCurrentProcessId()));
  FreeBlitCaches();
  RenderRebarBackgrounds(1);
  RetintMenuImages(0, 0);
  ForgetMenuRenderSizes();
  SetColourModeName(ColourModeWord(mode));
  return 1;
}

std::int32_t SetUIColour(std::uint32_t style, std::int32_t id, std::uint32_t colour, std::int32_t mode,
                         std::uint8_t noRefresh) {
  if (StoreUIColour(style, id, colour, mode) == 0) return 0;
  if (noRefresh == 0) {
    FreeBlitCaches();
    RenderRebarBackgrounds(1);
    RetintMenuImages(0, 0);
    RepaintHostWindows();
    ForgetMenuRenderSizes();
  }
  return 1;
}

std::int32_t SetColourModeName(TextView name) {
  StoreColourModeName(name);
  ApplySkinToAllWindows(0);
  return 1;
}
