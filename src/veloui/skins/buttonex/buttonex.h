#pragma once
// ButtonEx: a skinned button made of a PanelEx panel. It shows the skin's look of its state
// (normal, hot, pressed, disabled, selected and in-between, each with hot and pressed
// twins), an image of the state and its caption, and tells its parent of a click with
// WM_COMMAND / BN_CLICKED. A toggle button keeps its selected state between clicks; a
// three-state one goes from normal to selected to in-between and back.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstdint>

#include "runtime/portable/text.h"
#include "veloui/skins/control_look/control_look.h"

constexpr std::uint32_t kButtonExToggle = 0x1;
constexpr std::uint32_t kButtonExThreeState = 0x2;

// The states SetButtonExState sets.
constexpr std::int32_t kButtonExNormal = 0, kButtonExSelected = 1, kButtonExInbetween = 2;

enum class ButtonExState : int {
  Normal, Hot, Pressed, Disabled, Selected, SelectedHot, SelectedPressed, Inbetween, InbetweenHot, InbetweenPressed, Count
};

struct ButtonExRecord {
  std::intptr_t Id = 0;
  HWND Window = nullptr;
  std::array<HIMAGELIST, 7> ImageLists{};  // the images of the first seven states
  HWND ToolTip = nullptr;
  ControlSkin Skin = 0;
  Text Caption;
  std::uint32_t Style = 0;
  bool Hot = false, Pressed = false, Selected = false, Inbetween = false;
  std::array<ControlLook, static_cast<int>(ButtonExState::Count)> Looks{};
};

// id -1 asks for an automatic number; skin 0 takes "sysButtonSkin". Returns the id, or 0.
std::intptr_t CreateButtonEx(std::intptr_t id, HWND parent, std::int32_t x, std::int32_t y, std::int32_t width,
                             std::int32_t height, const Text& caption, std::uint32_t style = 0, ControlSkin skin = 0,
                             const Text& toolTip = u"");
// Wears the skin (marked in use, so that a property set on it later reaches the button).
std::int32_t LoadButtonExSkin(std::intptr_t button, ControlSkin skin);
// Sets normal, selected or in-between and repaints; 1, or 0 for no button or another state.
std::int32_t SetButtonExState(std::intptr_t button, std::int32_t state);
LRESULT CALLBACK ButtonExWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The state shown now ("normal", "selected hot" ...); "" for no button.
Text ButtonExStateName(std::intptr_t button);
ControlSkin ButtonExSkin(std::intptr_t button);
// One button by id or window, or -1 for all; 1 when something was freed or -1 was given.
std::int32_t FreeButtonEx(std::intptr_t button);
