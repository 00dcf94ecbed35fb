#pragma once
// SplitterEx: two pane windows side by side (or one above the other) with a gripper between
// them, all inside a PanelEx panel; the gripper is a second panel. Dragging the gripper moves
// the border between the panes, which keep the skin's "width" (side by side) or "height"
// (stacked) at least; while it is dragged (and only then) a low-level mouse hook follows the
// mouse. A disabled splitter shows its skin's "disabled" look and is not dragged. The splitter's top-level window hears of a drag's start and end
// (0x8D3B, wParam 1 and 0), of every move (0x8D3C, lParam the position) and of every new
// placement of the panes (0x8D3D).
#include <windows.h>

#include <array>
#include <cstdint>

#include "veloui/skins/control_look/control_look.h"

constexpr std::uint32_t kSplitterExVertical = 0x1;     // panes above each other
constexpr std::uint32_t kSplitterExOffice2007 = 0x2;   // the Office 2007 skin when none is given
constexpr std::uint32_t kSplitterExPadded = 0x4;       // the padded system skin ("syssplitter2skin")
constexpr UINT kSplitterExDragMessage = 0x8D3B;
constexpr UINT kSplitterExMovedMessage = 0x8D3C;
constexpr UINT kSplitterExLayoutMessage = 0x8D3D;

struct SplitterExRecord {
  std::intptr_t Id = 0;
  HWND Window = nullptr;
  HWND Gripper = nullptr;  // the second panel
  HWND First = nullptr, Second = nullptr;
  ControlSkin Skin = 0;
  std::uint32_t Style = 0;
  std::int32_t Position = 0;  // the gripper's left (top when vertical) edge
  std::int32_t GripperSize = 5;
  std::int32_t FirstPadding = 0, SecondPadding = 0;
  std::int32_t SmallestPane = 0;  // the skin's "width" or "height"
  bool Hot = false, Dragging = false;
  std::int32_t GrabOffset = 0;
  std::array<ControlLook, 4> Looks{}, GripperLooks{};  // normal, hot, pressed, disabled
};

// id -1 asks for an automatic number; skin 0 takes the built-in skin of the style.
std::intptr_t CreateSplitterEx(std::intptr_t id, HWND parent, std::int32_t x, std::int32_t y, std::int32_t width,
                               std::int32_t height, HWND first, HWND second, std::uint32_t style = 0,
                               ControlSkin skin = 0);
std::int32_t LoadSplitterExSkin(std::intptr_t splitter, ControlSkin skin);
std::int32_t SetSplitterExPosition(std::intptr_t splitter, std::int32_t position);
std::int32_t GetSplitterExPosition(std::intptr_t splitter);
ControlSkin SplitterExSkin(std::intptr_t splitter);
HWND SplitterExGripper(std::intptr_t splitter);
// The low-level mouse hook of the drag in progress, nullptr when nothing is dragged.
HHOOK SplitterExDragHook();
LRESULT CALLBACK SplitterExWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK SplitterExGripperProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// One splitter by id or window, or -1 for all; 1 when something was freed or -1 was given.
// The panes live on under the splitter's former parent.
std::int32_t FreeSplitterEx(std::intptr_t splitter);
