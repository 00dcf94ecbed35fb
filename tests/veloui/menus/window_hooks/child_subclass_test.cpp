#include <windows.h>
#include <commctrl.h>

#include <string>

#include "hooks_fixture.h"
#include "runtime/win32/platform/wide_text.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/menus/child_subclass.h"

namespace {
bool Subclassed(HWND window) { return ProcedureOf(window) == &ChildControlWindowProc; }

std::int32_t RecordedKind(HWND window) {
  const auto record = FindChildRecord(window);
  return record ? record->Kind : -1;
}

// A list view whose own procedure is watched: a superclass that forwards to the real one.
struct ListViewWatch {
  WNDPROC Real = nullptr;
  int Destroys = 0;
  int FinalDestroys = 0;
} Watch;

LRESULT CALLBACK WatchedListViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) ++Watch.Destroys;
  if (message == WM_NCDESTROY) ++Watch.FinalDestroys;
  return CallWindowProcW(Watch.Real, window, message, wParam, lParam);
}

void RegisterWatchedListView() {
  WNDCLASSEXW list_class{};
  list_class.cbSize = sizeof(list_class);
  ASSERT_TRUE(GetClassInfoExW(nullptr, WC_LISTVIEWW, &list_class));
  Watch.Real = list_class.lpfnWndProc;
  list_class.lpfnWndProc = WatchedListViewProc;
  list_class.hInstance = GetModuleHandleW(nullptr);
  list_class.lpszClassName = L"WindowClass_WatchedList";
  RegisterClassExW(&list_class);
}

// A procedure put above the toolkit's after creation.
WNDPROC BelowOuter = nullptr;
LRESULT CALLBACK OuterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(BelowOuter, window, message, wParam, lParam);
}

TEST_F(HooksTest, NewWindowsOfTheThreadAreSubclassedByKind) {
  // Kind -1: left with its own procedure. A combo's edit is made by the combo itself.
  const struct {
    const wchar_t* Class;
    DWORD Style;
    std::int32_t Kind;
  } cases[] = {{L"Edit", 0, ChildKindEdit},
               {L"Button", BS_GROUPBOX, ChildKindGroupBox},
               {L"Button", BS_PUSHBUTTON, ChildKindButton},
               {TOOLBARCLASSNAMEW, 0, ChildKindToolbar},
               {L"ComboBox", CBS_DROPDOWN, ChildKindComboBox},
               {L"Static", SS_LEFT, -1}};
  for (const auto& c : cases) {
    HWND child = MakeChild(c.Class, c.Style);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(Subclassed(child), c.Kind != -1) << c.Kind;
    EXPECT_EQ(RecordedKind(child), c.Kind);
    if (c.Kind == ChildKindToolbar) {
      EXPECT_NE(GetWindowLongW(child, GWL_STYLE) & CCS_NODIVIDER, 0);
    }
    if (c.Kind != ChildKindComboBox) continue;
    HWND edit = FindWindowExW(child, nullptr, L"Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(Subclassed(edit));
    EXPECT_EQ(RecordedKind(edit), ChildKindComboEdit);
    // The subclassed controls still do their work.
    SendMessageW(child, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Players"));
    SendMessageW(child, CB_SETCURSEL, 0, 0);
    wchar_t text[32] = {};
    GetWindowTextW(edit, text, 32);
    EXPECT_EQ(FromWide(text), u"Players");
  }
  // The test window itself was caught too, as a window of no particular kind; a message-only
  // window is left alone.
  EXPECT_TRUE(Subclassed(Window));
  EXPECT_EQ(RecordedKind(Window), ChildKindPassThrough);
  HWND hidden = CreateWindowExW(0, L"WindowClass_HooksTest", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(hidden, nullptr);
  EXPECT_FALSE(Subclassed(hidden));
  DestroyWindow(hidden);
}

// Makes a watched list view, optionally puts another procedure above the toolkit's, destroys
// it and checks that its own procedure saw the end and no record stays behind.
void DestroyWatchedList(HWND parent, bool wrapAbove) {
  RegisterWatchedListView();
  Watch.Destroys = Watch.FinalDestroys = 0;
  HWND list = CreateWindowExW(0, L"WindowClass_WatchedList", L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 10, 10, 150, 100,
                              parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(ProcedureOf(list), &ChildControlWindowProc);
  if (wrapAbove) {
    BelowOuter = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OuterProc)));
  }
  const Text key = WindowKey(list);
  DestroyWindow(list);
  EXPECT_EQ(Watch.Destroys, 1);
  EXPECT_EQ(Watch.FinalDestroys, 1);
  ToolkitLockGuard guard(ToolkitLock::Subclass);
  EXPECT_EQ(ToolkitMap<ChildSubclassRecord>(ToolkitMapId::ChildSubclass).count(key), 0u);
}

// Also when another procedure was put above the toolkit's.
TEST_F(HooksTest, ADestroyedListViewGetsItsLastMessagesAndLeavesNoRecord) {
  for (bool wrapAbove : {false, true}) DestroyWatchedList(Window, wrapAbove);
}

TEST_F(HooksTest, SizeLimitsHoldWhileMovesPassFreely) {
  HWND edit = MakeChild(L"Edit", 0);
  ASSERT_NE(edit, nullptr);
  {
    ToolkitLockGuard guard(ToolkitLock::Subclass);
    ChildSubclassRecord& record = ToolkitMap<ChildSubclassRecord>(ToolkitMapId::ChildSubclass)[WindowKey(edit)];
    record.MinimumWidth = 100;
    record.MinimumHeight = 40;
    record.MaximumWidth = 200;
    record.MaximumHeight = 0;  // no limit
  }
  SetWindowPos(edit, nullptr, 10, 10, 20, 300, SWP_NOZORDER);
  RECT area{};
  GetWindowRect(edit, &area);
  EXPECT_EQ(area.right - area.left, 100);
  EXPECT_EQ(area.bottom - area.top, 300);
  SetWindowPos(edit, nullptr, 60, 70, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
  GetWindowRect(edit, &area);
  MapWindowPoints(nullptr, Window, reinterpret_cast<POINT*>(&area), 2);
  EXPECT_EQ(area.left, 60);
  EXPECT_EQ(area.top, 70);
  EXPECT_EQ(area.right - area.left, 100);
  const auto record = FindChildRecord(edit);
  ASSERT_TRUE(record.has_value());
  EXPECT_EQ(record->Tracked, 0);
}
}  // namespace
