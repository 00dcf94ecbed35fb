#pragma once
// What the host window procedure paints on bars, decided without a window: the gripper
// dots of a rebar band, the colour ids of a toolbar button by its custom-draw state and the
// visual-style state of a button of the themed look.
#include <cstdint>
#include <vector>

// The top edges of the 2 x 2 gripper dots of a gripper `height` pixels high, relative to
// its top: dots 4 pixels apart, centred, n + 1 of them with n = height / 8 at most 3 (at
// most 2, one pixel lower, for the band of a menu bar when the gripper is 26 pixels or less).
std::vector<int> GripperDotTops(int height, bool menuBarBand);

// Custom-draw item states of a toolbar button.
constexpr std::uint32_t kButtonHot = 0x40;
constexpr std::uint32_t kButtonHotPressed = 0x41;
constexpr std::uint32_t kButtonChecked = 0x8;
constexpr std::uint32_t kButtonHotChecked = 0x48;
constexpr std::uint32_t kButtonHotCheckedPressed = 0x49;

// The gradient colour ids (top, bottom) of an Office-style button; {-1, -1} for a state
// drawn without a gradient. `titleMenuOpen`: a title's menu of the bar is open.
struct GradientIds {
  int Top = -1;
  int Bottom = -1;
};
GradientIds ButtonGradientIds(std::uint32_t itemState, bool titleMenuOpen);

// The state of the "toolbar" theme's button part (part 1) that a themed-look button of
// custom-draw state `itemState` is drawn in; 0 for a state drawn without a background.
int ThemedButtonState(std::uint32_t itemState);
