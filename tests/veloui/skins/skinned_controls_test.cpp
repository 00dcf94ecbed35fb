// Skinned controls on a real window, some pressed with the real mouse; the toolkit is started once
// (its window hook sorts panels and pages) and freed at the end over live controls of every family.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <functional>
#include <string>
#include <tuple>
#include <thread>
#include <utility>
#include <vector>

#include "../foundation/dib_canvas.h"
#include "veloui/foundation/coded_text.h"
#include "veloui/foundation/core/debug_log.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/image_store_states.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/skins/buttonex/buttonex.h"
#include "veloui/skins/core/skin_properties.h"
#include "veloui/skins/core/skin_records.h"
#include "veloui/skins/explorerbar/explorerbar.h"
#include "veloui/skins/panelex/panelex.h"
#include "veloui/skins/panelex/panelex_records.h"
#include "veloui/skins/splitterex/splitterex.h"
#include "veloui/skins/text_control/text_control.h"
#include "veloui/toolkit/skin_windows.h"
#include "veloui/toolkit/toolkit.h"

namespace {
HWND TopWindow() {
  return TestWindow(L"WindowClass_SkinsTest", DefWindowProcW, nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 400);
}

HWND Panes[2];  // the splitter's

// Each family made on `parent` under number `id` (-1: an automatic one) with some content, and freed.
struct Family {
  const char* Name;
  std::intptr_t (*Make)(std::intptr_t id, HWND parent);
  std::int32_t (*Free)(std::intptr_t control);
  ControlSkin (*Skin)(std::intptr_t control);  // the built-in skin worn when none is given
  const char16_t* SkinName;
};
using Id = std::intptr_t;
const Family kFamilies[] = {
    {"ButtonEx", [](Id id, HWND parent) { return CreateButtonEx(id, parent, 0, 0, 80, 24, u"\\bGo", 0, 0, u"Tip"); },
     FreeButtonEx, ButtonExSkin, u"sysButtonSkin"},
    {"ExplorerBar", [](Id id, HWND parent) {
       const Id bar = CreateExplorerBar(id, parent, 0, 0, 150, 200);
       AddExplorerBarItem(bar, AddExplorerBarGroup(bar, u"Group"), u"Item");
       return bar;
     }, FreeExplorerBar, ExplorerBarSkin, u"sysXBarSkin"},
    {"SplitterEx", [](Id id, HWND parent) { return CreateSplitterEx(id, parent, 10, 10, 300, 200, Panes[0], Panes[1]); },
     FreeSplitterEx, SplitterExSkin, u"sysSplitterSkin"},
    {"TextControl", [](Id id, HWND parent) { return CreateTextControl(id, parent, 0, 0, 120, 40, u"\\bbold\\b text"); },
     FreeTextControl, nullptr, nullptr},
    {"PanelEx", [](Id id, HWND parent) {
       const Id panel = CreatePanelEx(id, parent, 0, 0, 120, 80);
       AddPanelExPage();
       SetPanelExPageScrolling(panel, 0, kPanelExHScroll | kPanelExVScroll, 1);
       return panel;
     }, FreePanelEx, nullptr, nullptr},
};

void MakePanes(HWND parent) {
  for (HWND& pane : Panes) pane = ChildWindow(L"Edit", parent, 0, 0, 10, 10, WS_BORDER);
}

class ToolkitEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    ASSERT_EQ(InitToolkit(), 0);
    ASSERT_EQ(StartToolkitHooks(), 0);
  }
  // The free-alls' order is checked by the toolkit's life test.
  void TearDown() override {
    HWND window = TopWindow();
    MakePanes(window);
    std::vector<std::intptr_t> made;
    for (const Family& family : kFamilies) made.push_back(family.Make(-1, window));
    EXPECT_EQ(FreeToolkit(), 0);
    EXPECT_FALSE(IsWindow(window));
    for (std::intptr_t control : made) EXPECT_EQ(GetPanelExWindow(control), nullptr);
  }
};

const auto* const Environment = ::testing::AddGlobalTestEnvironment(new ToolkitEnvironment);

// Counts a window and, for a top-level one, every descendant.
BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
  ++*reinterpret_cast<DWORD*>(count);
  if ((GetWindowLongW(window, GWL_STYLE) & WS_CHILD) == 0) EnumChildWindows(window, CountWindow, count);
  return TRUE;
}

// The windows of this thread: the USER objects the controls make (hooks are checked where made).
DWORD UserObjectCount() {
  if (const DWORD count = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS); count != 0) return count;
  DWORD count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

std::vector<std::pair<UINT, WPARAM>> KeptMessages;

LRESULT CALLBACK KeepingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND || message >= 0x8000) KeptMessages.emplace_back(message, wParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

// A real mouse event at a point of a window's client area (button: 0 none, 1 down, 2 up).
void MouseAt(HWND window, int x, int y, int button) {
  POINT at{x, y};
  ClientToScreen(window, &at);
  SetCursorPos(at.x, at.y);
  const DWORD press = button == 1 ? MOUSEEVENTF_LEFTDOWN : button == 2 ? MOUSEEVENTF_LEFTUP : 0;
  INPUT input{INPUT_MOUSE, {}};
  input.mi = {at.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1), at.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1), 0,
              MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | press, 0, 0};
  SendInput(1, &input, sizeof(input));
  PumpFor(100);
}

// After a warm-up and 200 make/free rounds the process's GDI and USER object counts are where they were.
void ExpectNoObjectsLeft(const std::function<void()>& makeAndFree) {
  makeAndFree();
  PumpFor(0);
  const DWORD gdi = GdiObjectCount(), user = UserObjectCount();
  ASSERT_TRUE(gdi > 0 && user > 0);  // counts that cannot be read would prove nothing
  for (int k = 0; k < 200; ++k) makeAndFree();
  PumpFor(0);
  EXPECT_EQ(GdiObjectCount(), gdi);
  EXPECT_EQ(UserObjectCount(), user);
}

// A skin of that name with the properties {component, state, property, value}.
SkinHandle SkinOf(const char16_t* name, std::initializer_list<std::array<const char16_t*, 4>> properties) {
  const SkinHandle skin = CreateSkin(name);
  for (const auto& p : properties) SetSkinProperty(skin, p[0], p[1], p[2], p[3]);
  return skin;
}

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Window = TopWindow();
    ASSERT_NE(Window, nullptr);
    SetForegroundWindow(Window);
    PumpFor(50);
  }
  void TearDown() override {
    DestroyWindow(Window);
    PumpFor(0);
  }
  // From now on the window keeps the WM_COMMAND and private messages it receives.
  void KeepMessages() {
    KeptMessages.clear();
    SetWindowLongPtrW(Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(KeepingProc));
  }
  // How many kept messages match (wParam -1: any).
  static int Kept(UINT message, WPARAM wParam = static_cast<WPARAM>(-1)) {
    int count = 0;
    for (const auto& [kept, w] : KeptMessages) count += kept == message && (wParam == static_cast<WPARAM>(-1) || w == wParam);
    return count;
  }
  HWND Window = nullptr;
};
using PanelExTest = ControlsTest;

// Each family: a visible PanelEx child under an automatic or asked number, leaving no objects behind.
TEST_F(ControlsTest, EveryFamilyIsANumberedPanelWithItsSkinAndLeavesNoObjectsBehind) {
  MakePanes(Window);
  for (const Family& family : kFamilies) {
    SCOPED_TRACE(family.Name);
    const std::intptr_t control = family.Make(-1, Window);
    ASSERT_TRUE(control != 0 && control != -1);
    HWND window = GetPanelExWindow(control);
    EXPECT_EQ(ClassOf(window), L"VeloUI_PanelEx");
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
    if (family.Skin != nullptr) { EXPECT_EQ(GetSkinName(family.Skin(control)), family.SkinName); }
    EXPECT_TRUE(family.Free(control) == 1 && !IsWindow(window));
    EXPECT_TRUE(family.Make(77, Window) == 77 && family.Free(77) == 1);
    ExpectNoObjectsLeft([&family, this] {
      const std::intptr_t made = family.Make(-1, Window);
      RedrawWindow(GetPanelExWindow(made), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      family.Free(made);
    });
  }
}

// Real input arrives when the X server delivers it: wait (bounded) for the state it causes.
Text StateAfter(std::intptr_t button, HWND where, int x, int y, int action, const char16_t* expected) {
  MouseAt(where, x, y, action);
  PumpFor(3000, [button, expected] { return ButtonExStateName(button) == expected; });
  return ButtonExStateName(button);
}

// A pixel of the panel's buffer right after the window (a panel, or a page of it) was painted anew.
std::uint32_t PaintedPixel(HWND window, int x = 6, int y = 6, HWND panel = nullptr) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
  ToolkitLockGuard guard(ToolkitLock::PanelEx);
  const auto id = reinterpret_cast<std::intptr_t>(panel != nullptr ? panel : window);
  return DibPixel(GetCurrentObject(PanelExBufferDC(id, 1, 1), OBJ_BITMAP), x, y);
}
std::uint32_t PaintedPixel(std::intptr_t button, int x = 6, int y = 6) { return PaintedPixel(GetPanelExWindow(button), x, y); }

TEST_F(ControlsTest, ARealPressShowsTheButtonsPressedLookAndTheReleaseClicks) {
  KeepMessages();
  const SkinHandle skin = SkinOf(u"pressedTestSkin", {{u"buttonex", u"pressed", u"background", u"#102030;"}});
  const std::intptr_t button = CreateButtonEx(-1, Window, 10, 10, 100, 30, u"Toggle", kButtonExToggle, skin);
  HWND window = GetPanelExWindow(button);
  PumpFor(50);
  EXPECT_EQ(StateAfter(button, window, 20, 15, 0, u"hot"), u"hot");
  EXPECT_EQ(StateAfter(button, window, 20, 15, 1, u"pressed"), u"pressed");
  EXPECT_EQ(PaintedPixel(button), 0xFF102030u);
  EXPECT_EQ(StateAfter(button, window, 20, 15, 2, u"selected hot"), u"selected hot");
  EXPECT_EQ(Kept(WM_COMMAND), 1);
  EXPECT_NE(PaintedPixel(button), 0xFF102030u);
  EXPECT_EQ(StateAfter(button, Window, 300, 300, 0, u"selected"), u"selected");
  EXPECT_TRUE(FreeButtonEx(button) == 1 && FreeSkin(skin) == 1);
}

// Clicks take a three-state button from normal to selected to in-between and back; SetButtonExState
// sets one; each state shows its skin, and a property set anew on the worn skin shows at once.
TEST_F(ControlsTest, AThreeStateButtonCyclesItsStatesAndFollowsItsSkin) {
  const SkinHandle skin = SkinOf(u"threeStateSkin", {{u"buttonex", u"normal", u"background", u"#102030"},
      {u"buttonex", u"selected", u"background", u"#405060"}, {u"buttonex", u"inbetween", u"background", u"#708090"}});
  const std::intptr_t button = CreateButtonEx(-1, Window, 10, 10, 100, 30, u"", kButtonExThreeState, skin);
  const std::pair<const char16_t*, std::uint32_t> cycle[] = {{u"selected", 0xFF405060}, {u"inbetween", 0xFF708090}, {u"normal", 0xFF102030}};
  for (const auto& [state, pixel] : cycle) {
    SendMessageW(GetPanelExWindow(button), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(GetPanelExWindow(button), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(std::pair(ButtonExStateName(button), PaintedPixel(button)), std::pair(Text(state), pixel));
  }
  EXPECT_TRUE(SetButtonExState(button, kButtonExInbetween) == 1 && SetButtonExState(button, 3) == 0);
  EXPECT_EQ(PaintedPixel(button), 0xFF708090u);
  SetSkinProperty(skin, u"buttonex", u"inbetween", u"background", u"#a0b0c0");
  EXPECT_EQ(PaintedPixel(button), 0xFFA0B0C0u);
  EXPECT_TRUE(FreeButtonEx(button) == 1 && FreeSkin(skin) == 1);
}

// Background image and its position words, overlay, mask and border mask on a 40 x 30 button over
// #102030: {property, image, position property, position, two pixels and the colours they show}.
TEST_F(ControlsTest, ButtonExLooksFollowTheSkinsPositionAndMaskVocabulary) {
  std::vector<std::uint32_t> cut(81, 0xFF000000);
  cut[0] = 0;  // the mask's top-left pixel leaves the corner out
  void* bits = nullptr;
  HBITMAP dot = Bitmap32(2, 2, Solid(4, 0xFF00FF00)), keyed = DibSection(4, 4, &bits, 24), mask = Bitmap32(9, 9, cut);
  for (int i = 0; i < 48; ++i) static_cast<std::uint8_t*>(bits)[i] = i % 3 == 1 || i == 47 ? 0 : 0xFF;  // magenta, last blue
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const std::uint32_t back = 0x102030, green = 0x00FF00, faceRgb = GetRValue(face) << 16 | GetGValue(face) << 8 | GetBValue(face);
  const struct { const char16_t* Property; HBITMAP Image; const char16_t *Placement, *Place; int X1, Y1; std::uint32_t C1; int X2, Y2; std::uint32_t C2; } cases[] = {
      {u"background image", dot, nullptr, nullptr, 20, 15, green, 3, 3, green},  // stretched
      {u"background image", dot, u"background position", u"x: 5; y: 5;", 5, 6, green, 8, 8, back},
      {u"background image", dot, u"background position", u"tile;", 8, 8, green, 21, 13, green},
      {u"background image", dot, u"background position", u"centre;", 20, 15, green, 10, 10, back},
      {u"background image", dot, u"background position", u"left: 4; bottom: 4;", 4, 25, green, 4, 22, back},
      {u"overlay image", dot, u"overlay position", u"right: 3; bottom: 3;", 36, 26, green, 20, 15, back},
      {u"background image", keyed, u"background position", u"x: 10; y: 10; masked;", 10, 10, back, 13, 13, 0x0000FF},
      {u"background image", keyed, u"background position", u"x: 10; y: 10;", 10, 10, 0xFF00FF, 13, 13, 0x0000FF},
      {u"border mask", mask, nullptr, nullptr, 0, 0, faceRgb, 20, 15, back},
  };
  for (const auto& c : cases) {
    const SkinHandle skin = SkinOf(u"lookSkin", {{u"buttonex", u"normal", u"background", u"#102030"}});
    SetSkinPropertyValue(skin, u"buttonex", u"normal", c.Property, reinterpret_cast<std::uintptr_t>(c.Image));
    if (c.Placement != nullptr) SetSkinProperty(skin, u"buttonex", u"normal", c.Placement, c.Place);
    const std::intptr_t button = CreateButtonEx(-1, Window, 10, 10, 40, 30, u"", 0, skin);
    EXPECT_EQ(std::pair(PaintedPixel(button, c.X1, c.Y1) & 0xFFFFFF, PaintedPixel(button, c.X2, c.Y2) & 0xFFFFFF), std::pair(c.C1, c.C2))
        << TextToUtf8(c.Property) << " " << (c.Place != nullptr ? TextToUtf8(c.Place) : "");
    EXPECT_TRUE(FreeButtonEx(button) == 1 && FreeSkin(skin) == 1);
  }
  for (HBITMAP image : {dot, keyed, mask}) DeleteObject(image);
}

// "noclip" lets a coded caption run into the right padding (else cut at it); the "font" property
// sizes it. Returns the rightmost inked column and the count of inked rows.
std::pair<int, int> CaptionInk(HWND parent, const char16_t* property = u"noclip", const char16_t* value = u"") {
  const SkinHandle skin = SkinOf(u"captionSkin", {{u"buttonex", u"normal", u"background", u"#ffffff"},
      {u"buttonex", u"normal", u"colour", u"#000000"}, {u"buttonex", u"normal", u"text padding", u"left: 2; right: 30;"},
      {u"buttonex", u"normal", u"text position", u"x: 0; y: centre;"}, {u"buttonex", u"normal", property, value}});
  const std::intptr_t button = CreateButtonEx(-1, parent, 10, 10, 60, 40, u"\\bWWWWWWWWWW", 0, skin);
  std::pair<int, int> ink{0, 0};
  PaintedPixel(button);
  {
    ToolkitLockGuard guard(ToolkitLock::PanelEx);
    const HGDIOBJ bits = GetCurrentObject(PanelExBufferDC(button, 1, 1), OBJ_BITMAP);
    for (int y = 2; y < 38; ++y) {
      bool inked = false;
      for (int x = 2; x < 58; ++x)
        if ((DibPixel(bits, x, y) & 0xFF) < 0x80) inked = true, ink.first = std::max(ink.first, x);
      ink.second += inked ? 1 : 0;
    }
  }
  EXPECT_TRUE(FreeButtonEx(button) == 1 && FreeSkin(skin) == 1);
  return ink;
}

TEST_F(ControlsTest, ButtonExCaptionFollowsNoclipAndFont) {
  const auto plain = CaptionInk(Window), big = CaptionInk(Window, u"font", u"font: Arial, 20");
  EXPECT_LT(plain.first, 30);
  EXPECT_GE(CaptionInk(Window, u"noclip", u"true;").first, 40);
  EXPECT_GT(big.second, plain.second + 5) << plain.second;
}

// The padded style wears "syssplitter2skin"; panes keep the skin's "width"; a disabled splitter shows
// its "disabled" look and cannot be dragged.
TEST_F(ControlsTest, SplitterStyleSkinSmallestPanesAndDisabledLook) {
  MakePanes(Window);
  const std::intptr_t padded = CreateSplitterEx(-1, Window, 10, 10, 300, 200, Panes[0], Panes[1], kSplitterExPadded);
  EXPECT_EQ(GetSkinName(SplitterExSkin(padded)), u"sysSplitter2Skin");
  FreeSplitterEx(padded);
  const SkinHandle skin = SkinOf(u"splitterLimits", {{u"splitterex", u"normal", u"width", u"40;"},
      {u"splitterex", u"normal", u"gripper background", u"#445566"}, {u"splitterex", u"disabled", u"gripper background", u"#112233"}});
  const std::intptr_t splitter = CreateSplitterEx(-1, Window, 10, 10, 300, 200, Panes[0], Panes[1], 0, skin);
  for (const auto& [asked, kept] : {std::pair{5, 40}, {100, 100}, {290, 300 - 5 - 40}}) {
    SetSplitterExPosition(splitter, asked);
    EXPECT_EQ(GetSplitterExPosition(splitter), kept);
  }
  HWND gripper = SplitterExGripper(splitter);
  EXPECT_EQ(PaintedPixel(gripper, 2, 50), 0xFF445566u);
  EnableWindow(GetPanelExWindow(splitter), FALSE);
  EXPECT_EQ(PaintedPixel(gripper, 2, 50), 0xFF112233u);
  SendMessageW(gripper, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 50));
  EXPECT_EQ(SplitterExDragHook(), nullptr);
  EXPECT_TRUE(FreeSplitterEx(splitter) == 1 && FreeSkin(skin) == 1);
}

// The splitter's low-level mouse hook lives only while it is dragged, even when it is freed mid-drag.
TEST_F(ControlsTest, ADraggedSplitterMovesItsPanesAndRemovesItsHook) {
  KeepMessages();
  MakePanes(Window);
  const std::intptr_t splitter = CreateSplitterEx(-1, Window, 10, 10, 300, 200, Panes[0], Panes[1]);
  HWND gripper = SplitterExGripper(splitter);
  EXPECT_EQ(GetParent(Panes[0]), GetPanelExWindow(splitter));
  EXPECT_EQ(GetSplitterExPosition(splitter), 150);
  EXPECT_TRUE(WidthOf(Panes[0]) >= 140 && WidthOf(Panes[0]) <= 150) << WidthOf(Panes[0]);
  PumpFor(50);
  const int gap = GetSplitterExPosition(splitter) - WidthOf(Panes[0]);
  EXPECT_EQ(SplitterExDragHook(), nullptr);
  MouseAt(gripper, 2, 50, 0);
  MouseAt(gripper, 2, 50, 1);
  EXPECT_TRUE(PumpFor(3000, [] { return SplitterExDragHook() != nullptr; }));
  MouseAt(GetPanelExWindow(splitter), 80, 50, 0);
  PumpFor(3000, [splitter] { return GetSplitterExPosition(splitter) < 100; });
  // The gripper keeps the spot where it was grabbed (a pixel either way after the mouse's scaling).
  EXPECT_NEAR(GetSplitterExPosition(splitter), 78, 2);
  EXPECT_EQ(WidthOf(Panes[0]), GetSplitterExPosition(splitter) - gap);
  MouseAt(GetPanelExWindow(splitter), 80, 50, 2);
  EXPECT_TRUE(PumpFor(3000, [] { return SplitterExDragHook() == nullptr; }));
  PumpFor(50);
  EXPECT_TRUE(Kept(0x8D3B) == 2 && Kept(0x8D3B, 0) == 1);  // a drag (wParam 1) and a drop (0)

  MouseAt(gripper, 2, 50, 1);
  EXPECT_TRUE(PumpFor(3000, [] { return SplitterExDragHook() != nullptr; }));
  EXPECT_EQ(FreeSplitterEx(splitter), 1);
  EXPECT_EQ(SplitterExDragHook(), nullptr);
  for (HWND pane : Panes) EXPECT_EQ(GetParent(pane), Window);
  MouseAt(Window, 20, 20, 2);
}

// The alpha of the page under a group's header, which the animation thread fades.
int ItemsAlpha(HWND group) {
  HWND page = FindWindowExW(FindWindowExW(group, nullptr, L"VeloUI_PanelEx", nullptr), nullptr, L"VeloUI_PanelExPage", nullptr);
  ToolkitLockGuard guard(ToolkitLock::PanelEx);
  const PanelExPageRecord* record = FindPageRecordOfWindow(page);
  return record != nullptr ? record->Alpha : -1;
}

// Groups settle at their height even when the animation thread was still busy with them.
TEST_F(ControlsTest, AnExplorerBarGroupCollapsesAndExpandsThroughTheAnimationThread) {
  const std::intptr_t bar = CreateExplorerBar(-1, Window, 10, 10, 200, 300);
  ASSERT_TRUE(AddExplorerBarGroup(bar, u"Tasks") == 0 && AddExplorerBarGroup(bar, u"Places") == 1);
  for (const char16_t* item : {u"One", u"Two", u"Three"}) AddExplorerBarItem(bar, 0, item);
  HWND group = ExplorerBarGroupWindow(bar, 0), next = ExplorerBarGroupWindow(bar, 1);
  ASSERT_TRUE(group && next);
  const int full = HeightOf(group), next_top = RectOf(next).top;
  EXPECT_EQ(full, 20 + 6 + 3 * 22 + 6);  // the header, then the items inside the group padding
  PumpFor(50);

  for (int button : {0, 1, 2}) MouseAt(group, 30, 10, button);
  PumpFor(3000, [&] { return HeightOf(group) == 20; });
  PumpFor(300);
  EXPECT_EQ(HeightOf(group), 20);
  EXPECT_EQ(RectOf(next).top, next_top - (full - 20));  // the next group follows it up
  EXPECT_EQ(ItemsAlpha(group), 0);

  EXPECT_EQ(SetExplorerBarGroupCollapsed(bar, 0, 0), 1);
  EXPECT_TRUE(PumpFor(3000, [&] { return HeightOf(group) == full; }));
  PumpFor(300);
  EXPECT_EQ(ItemsAlpha(group), 255);
  EXPECT_EQ(FreeExplorerBar(bar), 1);
  EXPECT_FALSE(IsWindow(group));
}

// Items stand inside the group padding, each look inside its item padding.
TEST_F(ControlsTest, ExplorerBarItemsStandInsideTheGroupAndItemPadding) {
  const SkinHandle skin = SkinOf(u"paddedBar", {{u"explorerbar", u"normal", u"group padding", u"top: 4; left: 10; bottom: 4; right: 10;"},
      {u"explorerbar", u"normal", u"item padding", u"left: 5;"}, {u"explorerbar", u"normal", u"group background", u"#010203"},
      {u"explorerbar group item", u"hot", u"background", u"#0a0b0c"}});
  const std::intptr_t bar = CreateExplorerBar(-1, Window, 10, 10, 200, 300, 0, skin);
  AddExplorerBarItem(bar, AddExplorerBarGroup(bar, u"Tasks"), u"One");
  HWND items = FindWindowExW(ExplorerBarGroupWindow(bar, 0), nullptr, L"VeloUI_PanelEx", nullptr),
       page = FindWindowExW(items, nullptr, L"VeloUI_PanelExPage", nullptr);
  EXPECT_EQ(HeightOf(items), 4 + 22 + 4);
  SendMessageW(page, WM_MOUSEMOVE, 0, MAKELPARAM(20, 6));  // item 0 becomes hot
  EXPECT_EQ(PaintedPixel(page, 14, 10, items), 0xFF010203u);
  EXPECT_EQ(PaintedPixel(page, 16, 10, items), 0xFF0A0B0Cu);  // 15 is the hot item's frame
  EXPECT_TRUE(FreeExplorerBar(bar) == 1 && FreeSkin(skin) == 1);
}

TEST_F(ControlsTest, ATextControlFitsItsTextAndReportsAClickedLink) {
  KeepMessages();
  const auto font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  const std::intptr_t control = CreateTextControl(-1, Window, 10, 10, 300, 10, u"\\l7first\\l and \\l8second\\l",
                                                  kTextControlAutoHeight, font);
  HWND window = GetPanelExWindow(control);
  const int one_line = HeightOf(window);
  EXPECT_GT(one_line, 10);
  SetTextControlText(control, u"one\\|two\\|three");
  EXPECT_GT(HeightOf(window), 2 * one_line);
  SetTextControlText(control, u"\\l7first\\l and \\l8second\\l");
  UpdateWindow(window);
  MouseAt(window, 3, one_line / 2, 1);
  MouseAt(window, 3, one_line / 2, 2);
  EXPECT_TRUE(PumpFor(3000, [] { return Kept(0x8580) > 0; }));
  EXPECT_TRUE(Kept(0x8580) == 1 && Kept(0x8580, 7) == 1);
  // A link's first and last pixel report it, the pixels just outside do not.
  HDC dc = CreateCompatibleDC(nullptr);
  SIZE before{}, link{};
  SelectObject(dc, font);  // a stock font: nothing to restore before the DC goes
  GetTextExtentPoint32W(dc, L"first and ", 10, &before);
  GetTextExtentPoint32W(dc, L"second", 6, &link);
  DeleteDC(dc);
  for (const auto& [x, reported] : {std::pair{before.cx - 1, 0}, {before.cx, 1}, {before.cx + link.cx - 1, 1}, {before.cx + link.cx, 0}}) {
    KeptMessages.clear();
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, one_line / 2));
    EXPECT_EQ(Kept(0x8580, 8), reported) << x;
  }
}

PanelExPageRecord PageCopy(std::intptr_t panel, std::intptr_t page = 0) {
  ToolkitLockGuard guard(ToolkitLock::PanelEx);
  const PanelExRecord* found = FindPanelExRecord(panel);
  const PanelExPageRecord* record = found != nullptr ? FindPanelExPageRecord(found->Window, page) : nullptr;
  return record != nullptr ? *record : PanelExPageRecord{};
}

// Without panels the free-alls succeed; a freed panel moves only its pages' direct children out; a
// panel destroyed with its parent drops its records.
TEST_F(PanelExTest, FreedOrDestroyedPanelsLeaveTheirPagesChildrenAndNoRecords) {
  for (std::int32_t (*free_all)(std::intptr_t) : {FreeButtonEx, FreeTextControl, FreeSplitterEx, FreePanelEx})
    EXPECT_EQ(free_all(-1), 1);
  const auto not_a_panel = reinterpret_cast<std::intptr_t>(Window);
  EXPECT_EQ(std::tuple(FreePanelEx(not_a_panel), FreeButtonEx(1234), SetPanelExPageAlpha(not_a_panel, 0, 100, 0), RefreshPanelExOf(Window)),
            std::tuple(0, 0, 0, 0));
  EXPECT_EQ(FindPanelExPageOfWindow(Window), Window);

  const std::intptr_t panel = CreatePanelEx(-1, Window, 10, 10, 300, 200);
  HWND page = AddPanelExPage();
  ASSERT_TRUE(panel && page);
  EXPECT_EQ(FindPanelExPageOfWindow(page), page);
  HWND combo = ChildWindow(L"ComboBox", page, 0, 0, 120, 100, CBS_DROPDOWN);
  HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(FindPanelExPageOfWindow(edit), page);
  EXPECT_EQ(FreePanelEx(panel), 1);
  EXPECT_EQ(std::tuple(IsWindow(page), GetParent(combo), GetParent(edit), FreePanelEx(panel)), std::tuple(FALSE, Window, combo, 0));

  HWND holder = ChildWindow(L"Button", Window, 0, 0, 200, 100);
  const std::intptr_t held = CreatePanelEx(-1, holder, 0, 0, 100, 50);
  ASSERT_NE(AddPanelExPage(), nullptr);
  DestroyWindow(holder);
  EXPECT_EQ(std::tuple(GetPanelExWindow(held), PageCopy(held).Window, FreePanelEx(held)), std::tuple(HWND{}, HWND{}, 0));
}

// The bar decisions and geometry are tested natively; here the windows that show them.
TEST_F(PanelExTest, BothBarsMakeTwoScrollBarsAndASizeBoxThatFollowTheContent) {
  const std::intptr_t panel = CreatePanelEx(-1, Window, 0, 0, 400, 300);
  HWND page = AddPanelExPage();
  HWND wide = ChildWindow(L"Button", page, 0, 0, 600, 500);
  ASSERT_TRUE(panel && page && wide);
  static std::vector<Text> lines;
  lines.clear();
  SetDebugLogSinkForTesting([](const Text& line) { lines.push_back(line); });
  ASSERT_EQ(SetPanelExPageScrolling(panel, 0, kPanelExHScroll | kPanelExVScroll | kPanelExAutoScroll, 1), 1);
  SetDebugLogSinkForTesting(nullptr);
  for (const char16_t* line : {u"hscroll true", u"vscroll true", u"autoscroll true"})
    EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << Text(line).size();
  PanelExPageRecord record = PageCopy(panel);
  for (HWND shown : {record.HScrollBar, record.VScrollBar, record.SizeBox}) EXPECT_TRUE(IsWindowVisible(shown));
  // Range 0 to the content, a page of the panel less the crossing bar; the bars' messages scroll.
  SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(record.HScrollBar, SB_CTL, &info);
  EXPECT_EQ(std::tuple(info.nMin, info.nMax, info.nPage), std::tuple(0, 600, 400u - GetSystemMetrics(SM_CXHTHUMB)));
  HWND panel_window = GetPanelExWindow(panel);
  const auto scrolled = [&] {  // the page's left and top, the positions kept
    const auto at = Corners(RectOf(page, panel_window));
    return std::array<LONG, 4>{at[0], at[1], PageCopy(panel).HScrollPos, PageCopy(panel).VScrollPos};
  };
  SendMessageW(panel_window, WM_HSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(record.HScrollBar));
  SendMessageW(panel_window, WM_VSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(record.VScrollBar));
  const LONG bottom = 500 - (300 - GetSystemMetrics(SM_CYVTHUMB)) + 1;  // as far as the bar goes
  EXPECT_EQ(scrolled(), (std::array<LONG, 4>{-16, -bottom, 16, bottom}));
  // Without its bar the page goes back to the start, where nothing could scroll it back.
  SetPanelExPageScrolling(panel, 0, kPanelExHScroll, 0);
  EXPECT_EQ(scrolled(), (std::array<LONG, 4>{0, -bottom, 0, bottom}));

  // The content shrinks below the panel: the bars and the box go, and the page is back at the top.
  SetWindowPos(wide, nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
  for (HWND hidden : {record.HScrollBar, record.VScrollBar, record.SizeBox}) EXPECT_FALSE(IsWindowVisible(hidden));
  EXPECT_EQ(scrolled(), (std::array<LONG, 4>{0, 0, 0, 0}));
  EXPECT_EQ(FreePanelEx(panel), 1);
}

// A page not shown keeps its scroll parts hidden until it is; a page destroyed alone takes them along.
// A family's procedure left without its record passes messages on to what it replaced, the child
// subclass (which keeps size limits) included.
TEST_F(PanelExTest, ScrollPartsFollowTheirPageAndAFamilyProcedureWithoutItsRecordPassesMessagesOn) {
  const std::intptr_t panel = CreatePanelEx(-1, Window, 0, 0, 200, 100);
  HWND first = AddPanelExPage(), second = AddPanelExPage();
  SubclassControl(first, ExplorerBarGroupProc);  // a page no group owns
  SetWindowSizeLimits(first, 50, 40, 0, 0);
  SetWindowPos(first, nullptr, 0, 0, 10, 10, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(std::pair(WidthOf(first), HeightOf(first)), std::pair(50, 40));
  ASSERT_EQ(SetPanelExPageScrolling(panel, 1, kPanelExHScroll | kPanelExVScroll, 1), 1);
  const PanelExPageRecord record = PageCopy(panel, 1);
  for (HWND part : {record.HScrollBar, record.VScrollBar, record.SizeBox}) EXPECT_FALSE(IsWindowVisible(part));
  ShowPanelExPage(panel, 1);
  for (HWND part : {record.HScrollBar, record.VScrollBar}) EXPECT_TRUE(IsWindowVisible(part));
  DestroyWindow(second);
  for (HWND part : {record.HScrollBar, record.VScrollBar, record.SizeBox}) EXPECT_FALSE(IsWindow(part));
  EXPECT_EQ(FreePanelEx(panel), 1);
}

int ChildPaints = 0;
LRESULT CALLBACK CountingPaintProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) ++ChildPaints;
  return DefWindowProcW(window, message, wParam, lParam);
}

// With a theme a panel prepares its page body and paints it behind a page without a colour of its own.
// A page with one paints its colour, its background image and its image list's first image tiled (a
// tile's transparent pixel shows the image below), then has its children repainted with their styles kept.
TEST_F(PanelExTest, APagePaintsTheThemeOrItsColourAndImagesAndRepaintsItsChildrenKeepingTheirStyles) {
  const std::intptr_t panel = CreatePanelEx(-1, Window, 0, 0, 100, 60);
  HWND plain = AddPanelExPage(), page = AddPanelExPage(RGB(1, 2, 3)), panel_window = GetPanelExWindow(panel);
  const HIMAGELIST parts = [panel] { ToolkitLockGuard guard(ToolkitLock::PanelEx); return FindPanelExRecord(panel)->ThemeParts; }();
  ASSERT_EQ(parts != nullptr, UxTheme.ThemeTabData != nullptr && UxTheme.DrawThemeBackground != nullptr);
  if (parts != nullptr) {
    DibCanvas body(64, 64);
    ImageList_Draw(parts, 0, body.Dc(), 0, 0, ILD_NORMAL);
    const std::uint32_t painted = PaintedPixel(plain, 50, 30, panel_window);
    EXPECT_TRUE(NearColour(ColourOf(painted), body.Colour(32, 32), 4)) << std::hex << painted;
  }
  ShowPanelExPage(panel, 1);
  EXPECT_EQ(PaintedPixel(page, 5, 5, panel_window), 0xFF010203u);
  std::vector<std::uint32_t> tile = Solid(16, 0xFF00FF00);
  tile[0] = 0xFFFF0000;
  tile[5] = 0;  // (1, 1)
  HBITMAP tile_bitmap = Bitmap32(4, 4, tile), below = Bitmap32(4, 4, Solid(16, 0xFF0000FF));
  HIMAGELIST images = ImageList_Create(4, 4, ILC_COLOR32, 1, 0);
  ImageList_Add(images, tile_bitmap, nullptr);
  const ImageStoreHandle background = AddImageStoreEntry();
  BuildStateImageLists(background, u"normal", below, 1, 1, kEdgesStretched);
  for (HBITMAP copied : {tile_bitmap, below}) DeleteObject(copied);
  ASSERT_EQ(SetPanelExPageImages(panel, 1, background, images), 1);
  HWND child = TestWindow(L"PaintCountProbe", CountingPaintProc, page, WS_CHILD | WS_VISIBLE, 30, 20);
  const LONG style = GetWindowLongW(child, GWL_STYLE);
  PumpFor(50);
  ChildPaints = 0;
  const std::pair<POINT, std::uint32_t> pixels[] = {{{4, 8}, 0xFFFF0000}, {{6, 4}, 0xFF00FF00}, {{5, 5}, 0xFF0000FF}};
  for (const auto& [at, pixel] : pixels) EXPECT_EQ(PaintedPixel(page, at.x, at.y, panel_window), pixel) << at.x;
  PumpFor(50);
  EXPECT_GT(ChildPaints, 0);
  EXPECT_EQ(GetWindowLongW(child, GWL_STYLE), style);
  EXPECT_EQ(FreePanelEx(panel), 1);
}

// An alpha change from another thread never redraws under the lock: the repaint is posted.
TEST_F(PanelExTest, PageAlphaSetFromAnotherThreadIsSafe) {
  const std::intptr_t panel = CreatePanelEx(-1, Window, 0, 0, 200, 100);
  ASSERT_NE(AddPanelExPage(), nullptr);
  int found = 0;
  std::atomic<bool> done = false;
  std::thread fader([&] {
    for (int alpha = 0; alpha < 100; ++alpha) found += SetPanelExPageAlpha(panel, 0, static_cast<std::uint16_t>(alpha), 0);
    done = true;
  });
  PumpFor(5000, [&] { return done.load(); });  // the posted repaints are served meanwhile
  fader.join();
  PumpFor(50);
  EXPECT_EQ(found, 100);
  EXPECT_EQ(PageCopy(panel).Alpha, 99);
  EXPECT_EQ(FreePanelEx(panel), 1);
}

TEST_F(PanelExTest, TextOnATransparentBufferGetsItsAlphaBackWithinTheBuffer) {
  const std::intptr_t panel = CreatePanelEx(-1, Window, 0, 0, 100, 20);
  ToolkitLockGuard guard(ToolkitLock::PanelEx);
  HDC buffer = PanelExBufferDC(panel, 100, 20);
  ASSERT_NE(buffer, nullptr);
  const HGDIOBJ bits = GetCurrentObject(buffer, OBJ_BITMAP);
  PatBlt(buffer, 0, 0, 100, 20, BLACKNESS);  // alpha 0 everywhere
  SetTextColor(buffer, RGB(255, 255, 255));
  SetBkMode(buffer, TRANSPARENT);
  // The text runs far past the buffer's right edge: nothing may land outside it.
  RECT text{80, 0, 400, 20};
  DrawCodedText(buffer, u"WWWWWWWWWWWWWWWWWWWW", text, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), 0);
  int touched = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 70; ++x) ASSERT_EQ(DibPixel(bits, x, y), 0u) << x << "," << y;
    for (int x = 80; x < 100; ++x) {
      const std::uint32_t alpha = DibPixel(bits, x, y) >> 24;
      EXPECT_LE(alpha, 183u);
      touched += alpha > 0 ? 1 : 0;
    }
  }
  EXPECT_GT(touched, 0);
  FreePanelEx(panel);
}
}  // namespace
