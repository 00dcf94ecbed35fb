// The skinned control families on a real window, pressed with the real mouse.
#include <windows.h>

#include "skins_fixture.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/skins/buttonex/buttonex.h"
#include "veloui/skins/core/skin_properties.h"
#include "veloui/skins/core/skin_records.h"
#include "veloui/skins/explorerbar/explorerbar.h"
#include "veloui/skins/panelex/panelex.h"
#include "veloui/skins/panelex/panelex_records.h"
#include "veloui/skins/splitterex/splitterex.h"
#include "veloui/skins/text_control/text_control.h"

namespace {
using ControlsTest = SkinsTest;

HWND Panes[2];  // the splitter's

struct Family {
  const char* Name;
  std::intptr_t (*Make)(std::intptr_t id, HWND parent);
  std::int32_t (*Free)(std::intptr_t control);
  ControlSkin (*Skin)(std::intptr_t control);  // the built-in skin worn when none is given
  const char16_t* SkinName;
};
const Family kFamilies[] = {
    {"ButtonEx", [](std::intptr_t id, HWND parent) { return CreateButtonEx(id, parent, 0, 0, 80, 24, u"\\bGo", 0, 0, u"Tip"); },
     FreeButtonEx, ButtonExSkin, u"sysButtonSkin"},
    {"ExplorerBar",
     [](std::intptr_t id, HWND parent) {
       const std::intptr_t bar = CreateExplorerBar(id, parent, 0, 0, 150, 200);
       AddExplorerBarItem(bar, AddExplorerBarGroup(bar, u"Group"), u"Item");
       return bar;
     },
     FreeExplorerBar, ExplorerBarSkin, u"sysXBarSkin"},
    {"SplitterEx", [](std::intptr_t id, HWND parent) { return CreateSplitterEx(id, parent, 10, 10, 300, 200, Panes[0], Panes[1]); },
     FreeSplitterEx, SplitterExSkin, u"sysSplitterSkin"},
    {"TextControl", [](std::intptr_t id, HWND parent) { return CreateTextControl(id, parent, 0, 0, 120, 40, u"\\bbold\\b text"); },
     FreeTextControl, nullptr, nullptr},
    {"PanelEx",
     [](std::intptr_t id, HWND parent) {
       const std::intptr_t panel = CreatePanelEx(id, parent, 0, 0, 120, 80);
       AddPanelExPage();
       SetPanelExPageScrolling(panel, 0, kPanelExHScroll | kPanelExVScroll, 1);
       return panel;
     },
     FreePanelEx, nullptr, nullptr},
};

void MakePanes(HWND parent) {
  for (HWND& pane : Panes)
    pane = CreateWindowExW(0, L"Edit", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr);
}

// Each family is a visible PanelEx child under an automatic number or the one asked for, and
// leaves no GDI or USER object behind after 200 rounds.
TEST_F(ControlsTest, EveryFamilyIsANumberedPanelWithItsSkinAndLeavesNoObjectsBehind) {
  MakePanes(Window);
  for (const Family& family : kFamilies) {
    SCOPED_TRACE(family.Name);
    const std::intptr_t control = family.Make(-1, Window);
    ASSERT_TRUE(control != 0 && control != -1);
    HWND window = GetPanelExWindow(control);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    EXPECT_STREQ(name, L"VeloUI_PanelEx");
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
    if (family.Skin != nullptr) { EXPECT_EQ(GetSkinName(family.Skin(control)), family.SkinName); }
    EXPECT_EQ(family.Free(control), 1);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(family.Make(77, Window), 77);
    EXPECT_EQ(family.Free(77), 1);
    ExpectNoObjectsLeft([&family, this] {
      const std::intptr_t made = family.Make(-1, Window);
      RedrawWindow(GetPanelExWindow(made), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      family.Free(made);
    });
  }
}

// Real input arrives when the X server delivers it: wait (bounded) for the state it causes.
Text StateAfterInput(std::intptr_t button, const char16_t* expected) {
  PumpFor(1000, [button, expected] { return ButtonExStateName(button) == expected; });
  return ButtonExStateName(button);
}

std::uint32_t PaintedPixel(std::intptr_t button) {
  HWND window = GetPanelExWindow(button);
  InvalidateRect(window, nullptr, FALSE);
  UpdateWindow(window);
  ToolkitLockGuard guard(ToolkitLock::PanelEx);
  return DibPixel(GetCurrentObject(PanelExBufferDC(button, 1, 1), OBJ_BITMAP), 6, 6);
}

TEST_F(ControlsTest, ARealPressShowsTheButtonsPressedLookAndTheReleaseClicks) {
  KeepMessages();
  const SkinHandle skin = CreateSkin(u"pressedTestSkin");
  ASSERT_EQ(SetSkinProperty(skin, u"buttonex", u"pressed", u"background", u"#102030;"), 1);
  const std::intptr_t button = CreateButtonEx(-1, Window, 10, 10, 100, 30, u"Toggle", kButtonExToggle, skin);
  HWND window = GetPanelExWindow(button);
  PumpFor(50);
  MouseAt(window, 20, 15, 0);
  EXPECT_EQ(StateAfterInput(button, u"hot"), u"hot");
  MouseAt(window, 20, 15, 1);
  EXPECT_EQ(StateAfterInput(button, u"pressed"), u"pressed");
  EXPECT_EQ(PaintedPixel(button), 0xFF102030u);
  MouseAt(window, 20, 15, 2);
  EXPECT_EQ(StateAfterInput(button, u"selected hot"), u"selected hot");
  EXPECT_EQ(Kept(WM_COMMAND), 1);
  EXPECT_NE(PaintedPixel(button), 0xFF102030u);
  MouseAt(Window, 300, 300, 0);
  EXPECT_EQ(StateAfterInput(button, u"selected"), u"selected");
  FreeButtonEx(button);
  FreeSkin(skin);
}

RECT PlaceOf(HWND window) {
  RECT area{};
  GetWindowRect(window, &area);
  return area;
}

// The splitter's low-level mouse hook lives only while it is dragged, even when it is freed mid-drag.
TEST_F(ControlsTest, ADraggedSplitterMovesItsPanesAndRemovesItsHook) {
  KeepMessages();
  MakePanes(Window);
  const std::intptr_t splitter = CreateSplitterEx(-1, Window, 10, 10, 300, 200, Panes[0], Panes[1]);
  HWND gripper = SplitterExGripper(splitter);
  const auto first_width = [] { return PlaceOf(Panes[0]).right - PlaceOf(Panes[0]).left; };
  EXPECT_EQ(GetParent(Panes[0]), GetPanelExWindow(splitter));
  EXPECT_EQ(GetSplitterExPosition(splitter), 150);
  EXPECT_TRUE(first_width() >= 140 && first_width() <= 150) << first_width();
  PumpFor(50);
  const int gap = GetSplitterExPosition(splitter) - first_width();
  EXPECT_EQ(SplitterExDragHook(), nullptr);
  MouseAt(gripper, 2, 50, 0);
  MouseAt(gripper, 2, 50, 1);
  PumpFor(1000, [] { return SplitterExDragHook() != nullptr; });
  EXPECT_NE(SplitterExDragHook(), nullptr);
  MouseAt(GetPanelExWindow(splitter), 80, 50, 0);
  PumpFor(1000, [splitter] { return GetSplitterExPosition(splitter) < 100; });
  // The gripper keeps the spot where it was grabbed (a pixel either way after the mouse's scaling).
  EXPECT_NEAR(GetSplitterExPosition(splitter), 78, 2);
  EXPECT_EQ(first_width(), GetSplitterExPosition(splitter) - gap);
  MouseAt(GetPanelExWindow(splitter), 80, 50, 2);
  PumpFor(1000, [] { return SplitterExDragHook() == nullptr; });
  EXPECT_EQ(SplitterExDragHook(), nullptr);
  PumpFor(50);
  EXPECT_EQ(Kept(0x8D3B), 2);  // a drag (wParam 1) and a drop (0)
  EXPECT_EQ(Kept(0x8D3B, 0), 1);

  MouseAt(gripper, 2, 50, 1);
  PumpFor(1000, [] { return SplitterExDragHook() != nullptr; });
  EXPECT_NE(SplitterExDragHook(), nullptr);
  EXPECT_EQ(FreeSplitterEx(splitter), 1);
  EXPECT_EQ(SplitterExDragHook(), nullptr);
  for (HWND pane : Panes) EXPECT_EQ(GetParent(pane), Window);
  MouseAt(Window, 20, 20, 2);
}

// The alpha of the page under a group's header, which the animation thread fades.
int ItemsAlpha(HWND group) {
  HWND items = FindWindowExW(group, nullptr, L"VeloUI_PanelEx", nullptr);
  HWND page = FindWindowExW(items, nullptr, L"VeloUI_PanelExPage", nullptr);
  ToolkitLockGuard guard(ToolkitLock::PanelEx);
  const PanelExPageRecord* record = FindPageRecordOfWindow(page);
  return record != nullptr ? record->Alpha : -1;
}

// Groups settle at their height even when the animation thread was still busy with them.
TEST_F(ControlsTest, AnExplorerBarGroupCollapsesAndExpandsThroughTheAnimationThread) {
  const std::intptr_t bar = CreateExplorerBar(-1, Window, 10, 10, 200, 300);
  ASSERT_EQ(AddExplorerBarGroup(bar, u"Tasks"), 0);
  ASSERT_EQ(AddExplorerBarGroup(bar, u"Places"), 1);
  for (const char16_t* item : {u"One", u"Two", u"Three"}) AddExplorerBarItem(bar, 0, item);
  HWND group = ExplorerBarGroupWindow(bar, 0);
  HWND next = ExplorerBarGroupWindow(bar, 1);
  ASSERT_TRUE(group && next);
  const auto height = [group] { return PlaceOf(group).bottom - PlaceOf(group).top; };
  const int full = height();
  const int next_top = PlaceOf(next).top;
  EXPECT_EQ(full, 20 + 3 * 22);
  PumpFor(50);

  for (int button : {0, 1, 2}) MouseAt(group, 30, 10, button);
  PumpFor(3000, [&] { return height() == 20; });
  PumpFor(300);
  EXPECT_EQ(height(), 20);
  EXPECT_EQ(PlaceOf(next).top, next_top - 3 * 22);  // the next group follows it up
  EXPECT_EQ(ItemsAlpha(group), 0);

  EXPECT_EQ(SetExplorerBarGroupCollapsed(bar, 0, 0), 1);
  PumpFor(3000, [&] { return height() == full; });
  EXPECT_EQ(height(), full);
  PumpFor(300);
  EXPECT_EQ(ItemsAlpha(group), 255);
  EXPECT_EQ(FreeExplorerBar(bar), 1);
  EXPECT_FALSE(IsWindow(group));
}

TEST_F(ControlsTest, ATextControlFitsItsTextAndReportsAClickedLink) {
  KeepMessages();
  const std::intptr_t control =
      CreateTextControl(-1, Window, 10, 10, 300, 10, u"\\l7first\\l and \\l8second\\l", kTextControlAutoHeight);
  HWND window = GetPanelExWindow(control);
  const auto height = [window] {
    RECT area{};
    GetClientRect(window, &area);
    return area.bottom;
  };
  const int one_line = height();
  EXPECT_GT(one_line, 10);
  SetTextControlText(control, u"one\\|two\\|three");
  EXPECT_GT(height(), 2 * one_line);
  SetTextControlText(control, u"\\l7first\\l and \\l8second\\l");
  UpdateWindow(window);
  MouseAt(window, 3, one_line / 2, 1);
  MouseAt(window, 3, one_line / 2, 2);
  PumpFor(1000, [this] { return Kept(0x8580) > 0; });
  EXPECT_EQ(Kept(0x8580), 1);
  EXPECT_EQ(Kept(0x8580, 7), 1);
  EXPECT_EQ(FreeTextControl(control), 1);
}
}  // namespace
