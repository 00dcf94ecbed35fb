#include <windows.h>

#include "skins_fixture.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/skins/buttonex/buttonex.h"
#include "veloui/skins/core/skin_properties.h"
#include "veloui/skins/core/skin_records.h"
#include "veloui/skins/panelex/panelex.h"

namespace {
using ButtonExTest = SkinsTest;

Text ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return Text(reinterpret_cast<const char16_t*>(name));
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
  return BufferPixel(PanelExBufferDC(button, 1, 1), 6, 6);
}

TEST_F(ButtonExTest, IsAPanelWithAnAutomaticNumber) {
  const std::intptr_t button = CreateButtonEx(-1, Window, 10, 10, 100, 30, u"OK");
  ASSERT_NE(button, 0);
  EXPECT_NE(button, -1);
  HWND window = GetPanelExWindow(button);
  EXPECT_EQ(ClassOf(window), u"VeloUI_PanelEx");
  EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
  EXPECT_EQ(GetSkinName(ButtonExSkin(button)), u"sysButtonSkin");
  EXPECT_EQ(CreateButtonEx(77, Window, 10, 50, 100, 30, u"Cancel"), 77);
  EXPECT_EQ(FreeButtonEx(77), 1);
  EXPECT_EQ(FreeButtonEx(button), 1);
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(ButtonExTest, ARealPressShowsThePressedLookAndTheReleaseClicks) {
  CountMessagesOf(Window);
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
  EXPECT_EQ(Received().Clicks, 1);
  EXPECT_NE(PaintedPixel(button), 0xFF102030u);
  MouseAt(Window, 300, 300, 0);
  EXPECT_EQ(StateAfterInput(button, u"selected"), u"selected");
  FreeButtonEx(button);
  FreeSkin(skin);
}

TEST_F(ButtonExTest, ButtonsLeaveNoObjectsBehind) {
  ExpectNoObjectsLeft([this] {
    const std::intptr_t button = CreateButtonEx(-1, Window, 0, 0, 80, 24, u"\\bGo", 0, 0, u"Tip");
    UpdateWindow(GetPanelExWindow(button));
    FreeButtonEx(button);
  });
}
}  // namespace
