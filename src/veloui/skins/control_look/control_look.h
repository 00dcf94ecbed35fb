#pragma once
// What the skinned control families share: the look of one state of a component read from a
// skin (background colour or vertical gradient, border, text colour and font, paddings,
// cursor), its painting into a panel buffer, and the family subclass that sits above the
// panel's own procedure.
#include <windows.h>

#include <cstdint>

#include "runtime/portable/text.h"
#include "veloui/foundation/core/coded_text_layout.h"

using ControlSkin = std::uintptr_t;

// Where an image sits in an area, as a "position" property gives it: "stretch" (the default,
// corners kept), "tile" or "repeat", or at its own size placed by "centre", "left", "top",
// "right", "bottom" or "x"/"y" offsets; "masked" keys out the colour of its top-left pixel.
struct ImagePlacement {
  struct Place {
    std::int32_t Offset = 0;
    bool Centred = true, FromFar = false;  // centred, else Offset from the near or the far edge
  };
  enum class Fit : std::uint8_t { Stretch, Tile, OwnSize } Fit = Fit::Stretch;
  Place X, Y;
  bool Masked = false;
};

struct ControlLook {
  COLORREF Background = CLR_INVALID;   // CLR_INVALID: nothing painted
  COLORREF GradientEnd = CLR_INVALID;  // a gradient from Background to this
  bool GradientVertical = true;
  HANDLE Image = nullptr;  // the background image, a bitmap or icon the skin holds (not ours to free)
  ImagePlacement ImagePlace;
  COLORREF Border = CLR_INVALID;
  HANDLE BorderImage = nullptr;  // drawn over the edges, corners kept
  HANDLE BorderMask = nullptr;   // where its alpha is 0 the control shows what lies behind it
  HANDLE OverlayImage = nullptr;  // drawn over the background (the skin's)
  ImagePlacement OverlayPlace;
  COLORREF TextColour = 0;
  HFONT Font = nullptr;  // the skin's (not ours to free); nullptr: the menu font
  RECT TextPadding{};
  std::uint32_t TextOptions = kCodedCentreAcross | kCodedCentreDown;  // from "text position"
  bool NoClip = false;  // "noclip": the text may run into the right and bottom padding
  RECT ImagePadding{};
  HANDLE StateImage = nullptr;  // the "image" of the state, at its own size
  ImagePlacement StatePlace{ImagePlacement::Fit::OwnSize, {}, {}, false};  // "image position"
  HCURSOR Cursor = nullptr;
};
// The look of component/state in the skin; `prefix` picks a sub-look ("gripper ", "group ").
// Properties the skin lacks keep the system look of the state.
ControlLook ReadControlLook(ControlSkin skin, TextView component, TextView state, TextView prefix = u"");

// Overlays the properties the skin gives for component/state on a look.
void ApplySkinLook(ControlLook& look, ControlSkin skin, TextView component, TextView state, TextView prefix);

// A number property of the skin ("20;", or the first declaration's: "width: 5;"), or fallback
// when the skin lacks it.
std::int32_t ReadSkinNumber(ControlSkin skin, TextView component, TextView state, TextView property,
                            std::int32_t fallback);

// "top: 6; left: 12; bottom: 6; right: 12;" as a rectangle of edge distances; sides the skin
// does not give are 0.
RECT ReadSkinPadding(ControlSkin skin, TextView component, TextView state, TextView property);

// The image (bitmap or icon) a property of the skin holds, nullptr when none.
HANDLE ReadSkinImage(ControlSkin skin, TextView component, TextView state, TextView property);


// Paints background, overlay and border of a look into `area` of a 32-bit panel buffer, opaque;
// where the border mask leaves the control out, `behind` shows.
void PaintLookBackground(HDC dc, const RECT& area, const ControlLook& look, COLORREF behind = CLR_INVALID);
// Draws the look's state image at its place in `area`; returns the area left of it (all of
// `area` when the image stands right of the text or there is none).
RECT PaintLookImage(HDC dc, const RECT& area, const ControlLook& look);
// Draws text with the look's colour, font, padding and position.
void PaintLookText(HDC dc, const RECT& area, const ControlLook& look, const Text& text);

// Puts a family's procedure above the window's present one. The one replaced is kept with the
// window, not in the family's record, so that messages still reach it once the record is gone.
void SubclassControl(HWND window, WNDPROC procedure);
WNDPROC ReplacedProcedure(HWND window);
// Passes a message on to the procedure SubclassControl replaced.
LRESULT CallReplacedProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The built-in skin of that name (made on first use), 0 when none can be made.
ControlSkin BuiltInControlSkin(TextView name);
// The window's family record among `records` (Window field), or nullptr.
template <class Records>
auto* FindControlRecord(Records& records, std::intptr_t control) {
  for (auto& record : records)
    if (control != 0 && (record.Id == control || reinterpret_cast<std::intptr_t>(record.Window) == control))
      return &record;
  return static_cast<typename Records::value_type*>(nullptr);
}
