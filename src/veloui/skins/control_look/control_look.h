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

struct ControlLook {
  COLORREF Background = CLR_INVALID;   // CLR_INVALID: nothing painted
  COLORREF GradientEnd = CLR_INVALID;  // a gradient from Background to this
  bool GradientVertical = true;
  HANDLE Image = nullptr;  // a bitmap or icon the skin holds (not ours to free), stretched over
  COLORREF Border = CLR_INVALID;
  COLORREF TextColour = 0;
  HFONT Font = nullptr;  // the skin's (not ours to free); nullptr: the menu font
  RECT TextPadding{};
  std::uint32_t TextOptions = kCodedCentreAcross | kCodedCentreDown;  // from "text position"
  RECT ImagePadding{};
  HANDLE OverlayImage = nullptr;  // drawn over the background, stretched (the skin's)
  HANDLE BorderImage = nullptr;
  HANDLE StateImage = nullptr;  // the "image" of the state, at its own size
  // "image position": an edge distance, or centred; from the right or bottom when so written.
  struct Place {
    std::int32_t Offset = 0;
    bool Centred = true, FromFar = false;
  } ImageX, ImageY;
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

// The image (bitmap or icon) a property of the skin holds, nullptr when none.
HANDLE ReadSkinImage(ControlSkin skin, TextView component, TextView state, TextView property);

// Per channel (second * weight + first * (256 - weight)) / 256.
COLORREF MixLookColours(COLORREF first, COLORREF second, std::int32_t weight);

// Paints background and border of a look into `area` of a 32-bit panel buffer, opaque.
void PaintLookBackground(HDC dc, const RECT& area, const ControlLook& look);
// Draws the look's state image at its place in `area`; returns the area left of it (all of
// `area` when the image stands right of the text or there is none).
RECT PaintLookImage(HDC dc, const RECT& area, const ControlLook& look);
// Draws text with the look's colour, font, padding and position.
void PaintLookText(HDC dc, const RECT& area, const ControlLook& look, const Text& text);

// Puts `procedure` above the window's present one and returns the one replaced.
WNDPROC SubclassControl(HWND window, WNDPROC procedure);

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
