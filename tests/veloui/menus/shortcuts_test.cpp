#include <windows.h>

#include <gtest/gtest.h>

#include "menus_fixture.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/menus/menu_shortcuts.h"
#include "veloui/menus/menus.h"

namespace {

std::size_t EntriesOf(HWND window) {
  auto list = ShortcutTable().find(WindowKey(window));
  return list == ShortcutTable().end() ? 0 : list->second.size();
}

void HoldControl(bool held) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = held ? 0x80 : 0;
  keys[VK_LCONTROL] = held ? 0x80 : 0;
  SetKeyboardState(keys);
}

int CommandsWithId(WORD id) {
  int count = 0;
  for (const ReceivedCommand& command : ReceivedCommands()) count += command.Id == id ? 1 : 0;
  return count;
}

class ShortcutTest : public MenusTest {
 protected:
  void TearDown() override {
    HoldControl(false);
    MenusTest::TearDown();
  }
  // Peeks the posted key press without removing it, then takes it off the queue, as a
  // message loop does; returns what the loop received.
  MSG PeekThenRemove(HWND target, WPARAM key) {
    PostMessageW(target, WM_KEYDOWN, key, 1);
    MSG message{};
    PeekMessageW(&message, target, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE);
    PeekMessageW(&message, target, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE);
    MSG removed{};
    removed.message = 0xFFFF;
    for (int tries = 0; tries < 100; ++tries) {
      if (PeekMessageW(&removed, target, 0, 0, PM_REMOVE)) {
        if (removed.message == WM_KEYDOWN || removed.message == WM_NULL) break;
        DispatchMessageW(&removed);
      }
    }
    return removed;
  }
};

// A shortcut fires its command once and swallows the key: a bar item's at its top-level window,
// from a child of that window too; a popup item's in any window of the thread.
TEST_F(ShortcutTest, ShortcutsFireOnceAtTheirWindowAndAreSwallowed) {
  ASSERT_NE(BuildProgramMenuBar(Window), nullptr);
  AddMenuTitle(u"Edit");
  ASSERT_EQ(AddMenuItem(30, u"Copy$Ctrl+K", nullptr, nullptr, nullptr, 0), 1);
  AddMenuItem(44, u"Next$pgdn", nullptr, nullptr, nullptr, 0);
  CreateSkinnedPopupMenu(1, 0x1000000);
  AddMenuItem(31, u"Copy name$f7", nullptr, nullptr, nullptr, 0);
  ASSERT_NE(Toolkit.GetMessageHook, nullptr);
  EXPECT_EQ(EntriesOf(Window), 2u);
  EXPECT_EQ(EntriesOf(nullptr), 1u);
  HWND child = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 40, 100, 20, Window, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  HWND other = MakeWindow();
  ASSERT_TRUE(child != nullptr && other != nullptr);
  HoldControl(false);  // without Control the key passes through
  EXPECT_EQ(PeekThenRemove(Window, 'K').message, static_cast<UINT>(WM_KEYDOWN));
  EXPECT_EQ(CommandsWithId(30), 0);
  const struct {
    HWND Target;
    WPARAM Key;
    bool Control;
    WORD Id;
    HWND Receiver;  // nullptr: not checked
  } cases[] = {{Window, 'K', true, 30, Window}, {child, VK_NEXT, false, 44, Window}, {other, VK_F7, false, 31, nullptr}};
  for (const auto& c : cases) {
    HoldControl(c.Control);
    if (c.Target == other) SetActiveWindow(other);
    ReceivedCommands().clear();
    EXPECT_EQ(PeekThenRemove(c.Target, c.Key).message, static_cast<UINT>(WM_NULL)) << c.Id;
    ASSERT_EQ(ReceivedCommands().size(), 1u) << c.Id;
    EXPECT_EQ(ReceivedCommands()[0].Id, c.Id);
    if (c.Receiver != nullptr) { EXPECT_EQ(ReceivedCommands()[0].Window, c.Receiver); }
  }
}

TEST_F(ShortcutTest, DisabledAndRemovedItemsDoNotAnswerTheirShortcut) {
  CreateMenuBar(0, Window, 0x1000000);
  AddMenuTitle(u"Find");
  AddMenuItem(45, u"Find$ctrl-shift-f3", nullptr, nullptr, nullptr, 0);
  ASSERT_EQ(EntriesOf(Window), 1u);
  SetMenuItemDisabled(0, 45, true);
  EXPECT_EQ(EntriesOf(Window), 0u);
  SetMenuItemDisabled(0, 45, true);
  SetMenuItemDisabled(0, 45, false);
  EXPECT_EQ(EntriesOf(Window), 1u);

  CreateSkinnedPopupMenu(3, 0x1000000);
  AddMenuItem(6, u"Remove ban$del", nullptr, nullptr, nullptr, 0);
  ASSERT_EQ(EntriesOf(nullptr), 1u);
  RemoveMenuItems(3, 6, false);
  EXPECT_EQ(EntriesOf(nullptr), 0u);
}

TEST_F(ShortcutTest, ParseShortcutRejectsHandlesThatNameNoWindow) {
  EXPECT_EQ(ParseShortcut(reinterpret_cast<HWND>(0x7FFF0), 5, u"f5"), 0);
  EXPECT_EQ(ParseShortcut(Window, 5, u"f5"), 1);
  EXPECT_EQ(ParseShortcut(Window, 6, u"f6"), 1);
  EXPECT_EQ(EntriesOf(Window), 2u);
  EXPECT_EQ(ParseShortcut(Window, 0, u""), 1);
  EXPECT_EQ(EntriesOf(Window), 0u);
}

TEST_F(ShortcutTest, AltShortcutsArriveAsSystemKeys) {
  CreateMenuBar(0, Window, 0x1000000);
  AddMenuTitle(u"Tools");
  AddMenuItem(46, u"Options$alt+f2", nullptr, nullptr, nullptr, 0);
  HoldControl(false);
  // Without the Alt context bit the key is not an Alt chord.
  PostMessageW(Window, WM_SYSKEYDOWN, VK_F2, 1);
  MSG message{};
  ASSERT_TRUE(PeekMessageW(&message, Window, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_REMOVE));
  EXPECT_EQ(message.message, static_cast<UINT>(WM_SYSKEYDOWN));
  EXPECT_EQ(CommandsWithId(46), 0);
  PostMessageW(Window, WM_SYSKEYDOWN, VK_F2, 1 | (1 << 29));
  ASSERT_TRUE(PeekMessageW(&message, Window, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_REMOVE));
  EXPECT_EQ(message.message, static_cast<UINT>(WM_NULL));
  EXPECT_EQ(CommandsWithId(46), 1);
}

}  // namespace
