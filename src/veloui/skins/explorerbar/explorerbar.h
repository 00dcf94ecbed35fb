#pragma once
// ExplorerBar: a PanelEx panel whose page holds groups, each a panel of its own with a header
// over a panel of items (inset by the skin's "group padding", each item's look by its "item
// padding"). A click on a header collapses or expands the group: the animation
// thread eases the items panel's bottom edge to its new place while fading its page, and the
// bar stacks its groups again after every frame.
#include <windows.h>

#include <array>
#include <cstdint>
#include <list>
#include <vector>

#include "runtime/portable/text.h"
#include "veloui/skins/control_look/control_look.h"

constexpr std::uint32_t kExplorerBarOffice2007 = 0x1;  // the Office 2007 skin when none is given

struct ExplorerBarGroup {
  HWND Window = nullptr;      // the group's panel: its header and, below it, its items panel
  HWND ItemsPanel = nullptr;  // the panel the animation thread eases and fades
  HWND ItemsPage = nullptr;
  Text Title;
  std::vector<Text> Items;
  bool Collapsed = false;
  bool HeaderHot = false, HeaderPressed = false;
  std::int32_t HotItem = -1;
};

struct ExplorerBarRecord {
  std::intptr_t Id = 0;
  HWND Window = nullptr;
  HWND Page = nullptr;  // the bar's page, on which the groups stand
  ControlSkin Skin = 0;
  std::uint32_t Style = 0;
  std::list<ExplorerBarGroup> Groups;
  ControlLook Bar, Group;
  std::array<ControlLook, 6> Header{};  // normal, hot, pressed; the same for an open group
  std::array<ControlLook, 3> Item{};    // normal, hot, pressed
  std::int32_t Margin = 8, GroupMargin = 8, HeaderHeight = 20, ItemHeight = 22;
  RECT GroupPadding{}, ItemPadding{};
};

// id -1 asks for an automatic number; skin 0 takes the built-in skin of the style.
std::intptr_t CreateExplorerBar(std::intptr_t id, HWND parent, std::int32_t x, std::int32_t y, std::int32_t width,
                                std::int32_t height, std::uint32_t style = 0, ControlSkin skin = 0);
std::int32_t LoadExplorerBarSkin(std::intptr_t bar, ControlSkin skin);
// The new group's index, or -1.
std::int32_t AddExplorerBarGroup(std::intptr_t bar, const Text& title);
// The new item's index within the group, or -1.
std::int32_t AddExplorerBarItem(std::intptr_t bar, std::int32_t group, const Text& text);
// Collapses (1) or expands (0) a group, animated when the animation thread runs.
std::int32_t SetExplorerBarGroupCollapsed(std::intptr_t bar, std::int32_t group, std::int32_t collapsed);
HWND ExplorerBarGroupWindow(std::intptr_t bar, std::int32_t group);
ControlSkin ExplorerBarSkin(std::intptr_t bar);
LRESULT CALLBACK ExplorerBarWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ExplorerBarPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The procedure of a group's panel (its header) and of its items' page.
LRESULT CALLBACK ExplorerBarGroupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// One bar by id or window, or -1 for all; 1 when something was freed or -1 was given.
std::int32_t FreeExplorerBar(std::intptr_t bar);
