// Window hook, child subclassing, shadows, animation thread: the toolkit started once, freed at the end.
#include "../menus_fixture.h"
#include "veloui/foundation/core/toolkit_facts.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/menus/animation_thread.h"
#include "veloui/menus/child_subclass.h"
#include "veloui/menus/drop_shadow.h"
#include "veloui/menus/menu_shadows.h"
#include "veloui/menus/popup_window.h"
#include "veloui/menus/track_windows_hook.h"
#include "veloui/toolkit/toolkit.h"

namespace {

constexpr wchar_t kPlainClass[] = L"WindowClass_Plain";

int StepsServed = 0;
LRESULT CALLBACK StepCountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == AnimationStepMessage) ++StepsServed;
  return DefWindowProcW(window, message, wParam, lParam);
}

// A second thread, started by hand, is left blocked sending to this (sleeping) thread: ending it
// must serve that message while it waits.
void EndASecondThreadThatWaitsOnUs() {
  Toolkit.AnimationStopRequested = false;
  Toolkit.AnimationThreadHandle = CreateThread(nullptr, 0, AnimationThread, nullptr, 0, nullptr);
  ASSERT_NE(Toolkit.AnimationThreadHandle, nullptr);
  for (int k = 0; k < 500 && Toolkit.AnimationWindow == nullptr; ++k) Sleep(2);
  HWND windows[3] = {};  // a page, its parent and grandparent
  for (int k = 0; k < 3; ++k) {
    windows[k] = CreateWindowExW(0, kPlainClass, L"", k == 0 ? WS_OVERLAPPEDWINDOW : WS_CHILD, 0, 0, 300, 300,
                                 k == 0 ? nullptr : windows[k - 1], nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(windows[k], nullptr);
  }
  SetWindowLongPtrW(windows[0], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StepCountingProc));
  AnimationRecord request;
  request.Window = windows[2];
  request.Right = request.TargetRight = request.Bottom = 100;
  request.TargetBottom = 0;
  StepsServed = 0;
  ASSERT_TRUE(PostAnimationRequest(request));
  Sleep(200);  // serves nothing: the thread's first frame now waits for this thread
  EXPECT_TRUE(EndAnimationThread());
  EXPECT_GE(StepsServed, 1);
  DestroyWindow(windows[0]);
}

// The toolkit as the program starts it; its teardown must stop the animation thread within its bound.
class ToolkitEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    RegisterClassNamed(kPlainClass);
    ASSERT_EQ(InitToolkit(), 0);
    // Menu shadows on (Wine's default is off) in the toolkit's copy, not the session-wide setting.
    SystemFacts.SystemDropShadow = 1;
    ASSERT_EQ(StartToolkitHooks(), 0);
  }
  void TearDown() override {
    // Bounded: a thread that does not start within a second fails the checks below.
    for (int k = 0; k < 500 && Toolkit.AnimationWindow == nullptr; ++k) Sleep(2);
    const HANDLE thread = Toolkit.AnimationThreadHandle;
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(FreeToolkit(), 0);
    DWORD exitCode = STILL_ACTIVE;
    EXPECT_TRUE(GetExitCodeThread(thread, &exitCode) && exitCode != STILL_ACTIVE);
    EXPECT_EQ(Toolkit.AnimationWindow, nullptr);
    EndASecondThreadThatWaitsOnUs();
  }
};

const auto* const Environment = ::testing::AddGlobalTestEnvironment(new ToolkitEnvironment);

class HooksTest : public MenusTest {};

bool Subclassed(HWND window) { return ProcedureOf(window) == &ChildControlWindowProc; }

std::int32_t RecordedKind(HWND window) {
  const auto record = FindChildRecord(window);
  return record ? record->Kind : -1;
}

TEST_F(HooksTest, NewWindowsOfTheThreadAreSubclassedByKind) {
  // Kind -1: left with its own procedure. A combo's edit is made by the combo itself.
  const struct { const wchar_t* Class; DWORD Style; std::int32_t Kind; } cases[] = {
      {L"Edit", 0, ChildKindEdit}, {L"Button", BS_GROUPBOX, ChildKindGroupBox}, {L"Button", BS_PUSHBUTTON, ChildKindButton},
      {TOOLBARCLASSNAMEW, 0, ChildKindToolbar}, {L"ComboBox", CBS_DROPDOWN, ChildKindComboBox}, {L"Static", SS_LEFT, -1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Kind);
    HWND child = MakeChild(c.Class, c.Style);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(Subclassed(child), c.Kind != -1);
    EXPECT_EQ(RecordedKind(child), c.Kind);
    if (c.Kind == ChildKindToolbar) { EXPECT_NE(GetWindowLongW(child, GWL_STYLE) & CCS_NODIVIDER, 0); }
    if (c.Kind != ChildKindComboBox) continue;
    HWND edit = FindWindowExW(child, nullptr, L"Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(Subclassed(edit));
    EXPECT_EQ(RecordedKind(edit), ChildKindComboEdit);
  }
  // The test window is caught too, of no particular kind; a message-only window is left alone.
  EXPECT_TRUE(Subclassed(Window));
  EXPECT_EQ(RecordedKind(Window), ChildKindPassThrough);
  HWND hidden = CreateWindowExW(0, kPlainClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(hidden, nullptr);
  EXPECT_FALSE(Subclassed(hidden));
  DestroyWindow(hidden);
}

// A list view watched through a forwarding superclass, and a procedure put above the toolkit's.
struct ListViewWatch {
  WNDPROC Real = nullptr, BelowOuter = nullptr;
  int Destroys = 0, FinalDestroys = 0;
} Watch;

LRESULT CALLBACK WatchedListViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Watch.Destroys += message == WM_DESTROY ? 1 : 0;
  Watch.FinalDestroys += message == WM_NCDESTROY ? 1 : 0;
  return CallWindowProcW(Watch.Real, window, message, wParam, lParam);
}

LRESULT CALLBACK OuterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(Watch.BelowOuter, window, message, wParam, lParam);
}

// Also when another procedure was put above the toolkit's.
TEST_F(HooksTest, ADestroyedListViewGetsItsLastMessagesAndLeavesNoRecord) {
  WNDCLASSW listClass{};
  ASSERT_TRUE(GetClassInfoW(nullptr, WC_LISTVIEWW, &listClass));
  Watch.Real = listClass.lpfnWndProc;
  listClass.lpfnWndProc = WatchedListViewProc;
  listClass.hInstance = GetModuleHandleW(nullptr);
  listClass.lpszClassName = L"WindowClass_WatchedList";
  RegisterClassW(&listClass);
  for (bool wrapAbove : {false, true}) {
    SCOPED_TRACE(wrapAbove);
    Watch.Destroys = Watch.FinalDestroys = 0;
    HWND list = MakeChild(L"WindowClass_WatchedList", LVS_REPORT);
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(Subclassed(list));
    if (wrapAbove)
      Watch.BelowOuter = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OuterProc)));
    const Text key = WindowKey(list);
    DestroyWindow(list);
    EXPECT_EQ(Watch.Destroys, 1);
    EXPECT_EQ(Watch.FinalDestroys, 1);
    ToolkitLockGuard guard(ToolkitLock::Subclass);
    EXPECT_EQ(ToolkitMap<ChildSubclassRecord>(ToolkitMapId::ChildSubclass).count(key), 0u);
  }
}

int NonClientPaints = 0;
HWND PaintedToolbar = nullptr;
LRESULT CALLBACK CountNonClientPaints(int code, WPARAM wParam, LPARAM lParam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && sent->hwnd == PaintedToolbar && sent->message == WM_NCPAINT) ++NonClientPaints;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

class ChildPaintingTest : public MenusTest {};

TEST_F(ChildPaintingTest, AComboInAnOfficeToolbarTracksItsHotStateAndKeepsItsEditInsideTheFrame) {
  const auto toolbarId = CreateSkinnedToolbar(-1, Window, 16, 16, UISTYLE_OFFICE2003);
  HWND toolbar = GetToolbarWindow(toolbarId);
  ASSERT_NE(toolbar, nullptr);
  HWND combo = MakeChild(L"ComboBox", CBS_DROPDOWN, toolbar);
  ASSERT_NE(combo, nullptr);
  auto& buttons = ToolkitList<ToolbarButtonRecord>(ToolkitListId::ToolbarButtons);
  ToolbarButtonRecord& button = buttons.emplace_back();
  button.ToolbarId = toolbarId;
  button.ToolbarWindow = toolbar;
  button.GadgetWindow = combo;
  HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
  ASSERT_NE(edit, nullptr);
  // Going hot repaints the combo's place in the toolbar at once, not the toolbar's frame.
  ShowWindow(Window, SW_SHOWNOACTIVATE);
  UpdateWindow(Window);
  NonClientPaints = 0;
  PaintedToolbar = toolbar;
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, CountNonClientPaints, nullptr, GetCurrentThreadId());
  SendMessageW(edit, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(button.Flags & 1, 1u);
  EXPECT_EQ(NonClientPaints, 0);
  EXPECT_FALSE(GetUpdateRect(toolbar, nullptr, FALSE));
  ShowWindow(Window, SW_HIDE);
  SetCursorPos(1200, 1000);
  SendMessageW(combo, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(button.Flags & 1, 0u);

  InvalidateRect(combo, nullptr, TRUE);
  SendMessageW(combo, WM_PAINT, 0, 0);  // the test window is hidden
  RECT client{};
  GetClientRect(combo, &client);
  EXPECT_EQ(Corners(RectOf(edit, combo)), Corners({5, 3, client.right - 13, client.bottom - 1}));
  buttons.clear();
}

TEST_F(ChildPaintingTest, APageLeavesItsOpaqueChildrenOutOfItsBackground) {
  RegisterClassNamed(L"VeloUI_PanelExPage");
  HWND page = MakeChild(L"VeloUI_PanelExPage", 0);
  ASSERT_NE(page, nullptr);
  SetWindowPos(page, nullptr, 0, 0, 300, 200, SWP_NOZORDER);
  // An opaque edit, a transparent one (the page paints behind it) and a hidden one.
  HWND opaque = ChildWindow(L"Edit", page, 10, 10, 50, 20);
  HWND clear = ChildWindow(L"Edit", page, 100, 10, 50, 20, 0, WS_EX_TRANSPARENT);
  HWND hidden = ChildWindow(L"Edit", page, 200, 10, 50, 20);
  ASSERT_TRUE(opaque && clear && ShowWindow(hidden, SW_HIDE));
  HDC dc = GetDC(page);
  HRGN all = CreateRectRgn(0, 0, 300, 200);
  SelectClipRgn(dc, all);
  DeleteObject(all);
  EnumChildWindows(page, ExcludeChildClipProc, reinterpret_cast<LPARAM>(dc));
  HRGN clip = CreateRectRgn(0, 0, 0, 0);
  ASSERT_EQ(GetClipRgn(dc, clip), 1);
  EXPECT_FALSE(PtInRegion(clip, 30, 20));
  EXPECT_TRUE(PtInRegion(clip, 120, 20));
  EXPECT_TRUE(PtInRegion(clip, 220, 20));
  EXPECT_TRUE(PtInRegion(clip, 30, 150));  // the page itself
  DeleteObject(clip);
  ReleaseDC(page, dc);
}

// The second is made while a toolkit menu is tracked.
TEST_F(HooksTest, TheSystemMenuShadowGoesOnlyWhileAToolkitMenuIsTracked) {
  RegisterClassNamed(L"SysShadow");
  HWND made[2] = {};
  for (HWND& shadow : made) {
    shadow = CreateWindowExW(WS_EX_TOOLWINDOW, L"SysShadow", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    MenuTrackingHook.TrackedMenu = reinterpret_cast<HMENU>(1);
  }
  MenuTrackingHook.TrackedMenu = nullptr;
  EXPECT_TRUE(IsWindow(made[0]));
  EXPECT_FALSE(made[1] != nullptr && IsWindow(made[1]));
  DestroyWindow(made[0]);
}

// Tracks a system popup menu as a toolkit menu; `look` is called in the menu loop once it shows.
void TrackAsToolkitMenu(HWND owner, const std::function<void(HWND popup)>& look) {
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 1, L"Refresh");
  AppendMenuW(menu, MF_STRING, 2, L"Reassign");
  MenuTrackingHook.TrackedMenu = menu;
  SetForegroundWindow(owner);
  WhileMenuOpen([&] { TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_VERTICAL, 100, 100, owner, nullptr); },
                [&] {
                  HWND popup = MenuTrackingHook.OpenPopupWindow;
                  if (popup == nullptr || !IsWindowVisible(popup)) return false;
                  look(popup);
                  return true;
                });
  ResetMenuTrackingHook();
  DestroyMenu(menu);
}

int PopupMessages = 0;
LRESULT CALLBACK TestPopupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ++PopupMessages;
  return CallWindowProcW(MenuTrackingHook.SystemPopupProcedure, window, message, wParam, lParam);
}

// Three shown layered shadows of the toolkit's class go with the popup, which saves the screen beneath.
TEST_F(HooksTest, ATrackedPopupMenuGetsTheToolkitProcedureAndShadowsThatGoWithIt) {
  ASSERT_EQ(SystemFacts.SystemDropShadow, 1);
  ASSERT_FALSE(Dwm.DwmCompositionEnabled);
  HWND popup = nullptr;
  HWND shadows[3] = {};
  PopupMessages = 0;
  ResetMenuTrackingHook();
  MenuTrackingHook.PopupWindowProcedure = TestPopupProc;
  TrackAsToolkitMenu(Window, [&](HWND open) {
    popup = open;
    EXPECT_EQ(ClassOf(popup), L"#32768");
    EXPECT_EQ(ProcedureOf(popup), &TestPopupProc);
    EXPECT_NE(GetClassLongPtrW(popup, GCL_STYLE) & CS_SAVEBITS, 0u);
    ASSERT_EQ(CastPopupMenuShadows(popup, UISTYLE_OFFICE2003, nullptr), 3);
    for (int k = 0; k < 3; ++k) {
      HWND shadow = shadows[k] = FindPopupShadowRecord(popup)->Shadows[k];
      EXPECT_EQ(ClassOf(shadow), L"VeloUI_DropShadow");
      EXPECT_EQ(GetWindowLongPtrW(shadow, GWL_EXSTYLE) & kDropShadowExStyle, static_cast<LONG_PTR>(kDropShadowExStyle));
      EXPECT_TRUE(IsWindowVisible(shadow));
    }
  });
  ASSERT_NE(popup, nullptr);
  EXPECT_GT(PopupMessages, 0);
  for (HWND shadow : shadows) EXPECT_FALSE(shadow != nullptr && IsWindow(shadow));
  EXPECT_EQ(FindPopupShadowRecord(popup), nullptr);
}

// A submenu opened to the right lies over its parent's right shadow: hidden while it shows.
TEST_F(HooksTest, TheParentsShadowUnderASubmenuIsHiddenWhileItShowsAndShownAgainWhenItGoes) {
  HWND parent = MakeWindow(), submenu = MakeWindow(), elsewhere = MakeWindow();
  MoveWindow(parent, 100, 100, 200, 150, FALSE);
  MoveWindow(submenu, 299, 120, 150, 100, FALSE);   // over the parent's right strip (300..305)
  MoveWindow(elsewhere, 100, 400, 150, 100, FALSE);  // over none of its strips
  ASSERT_EQ(CastPopupMenuShadows(parent, UISTYLE_OFFICE2003, nullptr), 3);
  const PopupShadowRecord shadows = *FindPopupShadowRecord(parent);
  const auto visible = [&] { return std::vector<bool>{IsWindowVisible(shadows.Shadows[0]) != FALSE,
                                                      IsWindowVisible(shadows.Shadows[1]) != FALSE,
                                                      IsWindowVisible(shadows.Shadows[2]) != FALSE}; };
  CastPopupMenuShadows(elsewhere, UISTYLE_OFFICE2003, parent);
  EXPECT_EQ(visible(), (std::vector<bool>{true, true, true}));
  CastPopupMenuShadows(submenu, UISTYLE_OFFICE2003, parent);
  EXPECT_EQ(visible(), (std::vector<bool>{false, true, true})) << "the right strip under the submenu";
  DestroyPopupMenuShadows(submenu);
  EXPECT_EQ(visible(), (std::vector<bool>{true, true, true}));
  for (HWND popup : {parent, elsewhere}) DestroyPopupMenuShadows(popup);
}

// A submenu reaching below its parent lies over the parent's right strip and its corner: both hidden.
TEST_F(HooksTest, EveryStripOfTheParentsShadowUnderASubmenuIsHiddenWhileItShows) {
  HWND parent = MakeWindow(), submenu = MakeWindow();
  MoveWindow(parent, 100, 100, 200, 150, FALSE);
  MoveWindow(submenu, 302, 200, 150, 100, FALSE);  // over the right strip (300..305) and the corner (250..255)
  ASSERT_EQ(CastPopupMenuShadows(parent, UISTYLE_OFFICE2003, nullptr), 3);
  const PopupShadowRecord shadows = *FindPopupShadowRecord(parent);
  const auto visible = [&] { return std::vector<bool>{IsWindowVisible(shadows.Shadows[0]) != FALSE,
                                                      IsWindowVisible(shadows.Shadows[1]) != FALSE,
                                                      IsWindowVisible(shadows.Shadows[2]) != FALSE}; };
  CastPopupMenuShadows(submenu, UISTYLE_OFFICE2003, parent);
  EXPECT_EQ(visible(), (std::vector<bool>{false, true, false})) << "the right strip and the corner under the submenu";
  DestroyPopupMenuShadows(submenu);
  EXPECT_EQ(visible(), (std::vector<bool>{true, true, true}));
  DestroyPopupMenuShadows(parent);
}

// A popup window that hides as its cascade closes casts no shadow on its late position change.
TEST_F(HooksTest, AClosingPopupWindowCastsNoShadowAndTheNextCascadeCastsAgain) {
  const auto change = [](HWND window, UINT flags) {
    WINDOWPOS position{window, nullptr, 100, 100, 120, 80, SWP_NOZORDER | SWP_NOACTIVATE | flags};
    PopupMenuWindowProc(window, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&position));
    PopupMenuWindowProc(window, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
  };
  HWND closing = MakeWindow();
  change(closing, 0);
  change(closing, SWP_HIDEWINDOW);
  EXPECT_EQ(FindPopupShadowRecord(closing), nullptr);
  PopupMenuWindowProc(closing, WM_DESTROY, 0, 0);
  HWND next = MakeWindow();
  change(next, 0);
  change(next, 0);
  EXPECT_NE(FindPopupShadowRecord(next), nullptr) << "a new cascade is not torn down";
  PopupMenuWindowProc(next, WM_DESTROY, 0, 0);
  EXPECT_EQ(FindPopupShadowRecord(next), nullptr);
}

TEST_F(HooksTest, APressedTitleCastsTwoShadowsOnceThatAnotherTitleReplacesAndThatAreDestroyed) {
  const RECT title{100, 30, 160, 52};
  ASSERT_EQ(CastTitleShadows(Window, title, UISTYLE_OFFICE2003), 1);
  const auto& records = ToolkitList<TitleShadowRecord>(ToolkitListId::TitleShadows);
  ASSERT_EQ(records.size(), 1u);
  const TitleShadowRecord first = records.front();
  EXPECT_EQ(Corners(RectOf(first.Beside)), Corners({160, 35, 165, 52}));
  EXPECT_EQ(Corners(RectOf(first.Below)), Corners({105, 52, 160, 57}));
  // Every repaint of the pressed title asks again: the shadows it has stay.
  EXPECT_EQ(CastTitleShadows(Window, title, UISTYLE_OFFICE2003), 0);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records.front().Beside, first.Beside);
  EXPECT_TRUE(IsWindow(first.Beside));
  ASSERT_EQ(CastTitleShadows(Window, RECT{160, 30, 230, 52}, UISTYLE_OFFICE2003), 1);
  EXPECT_EQ(records.size(), 1u);
  EXPECT_FALSE(IsWindow(first.Beside));
  EXPECT_EQ(DestroyTitleShadows(nullptr), 1);
  EXPECT_TRUE(records.empty());
}

// The popup a title switch opens makes its title hot and saves no screen (it replaces another).
TEST_F(HooksTest, APopupATitleSwitchOpensMakesItsTitleHotAndSavesNoScreen) {
  HWND bar = BuildMenuBar(Window);
  ResetMenuTrackingHook();
  MenuTrackingHook.MenuBarToolbar = bar;
  MenuTrackingHook.TitleSwitchPending = true;
  MenuTrackingHook.SwitchHotIndex = 2;
  MenuTrackingHook.LastIndexShown = 0;
  ULONG_PTR classStyle = 0;
  LRESULT hotTitle = -2;
  int lastIndexShown = -1;
  TrackAsToolkitMenu(Window, [&](HWND popup) {
    classStyle = GetClassLongPtrW(popup, GCL_STYLE);
    hotTitle = SendMessageW(bar, TB_GETHOTITEM, 0, 0);
    lastIndexShown = MenuTrackingHook.LastIndexShown;
  });
  EXPECT_EQ(classStyle & CS_SAVEBITS, 0u);
  EXPECT_EQ(hotTitle, 2);
  EXPECT_EQ(lastIndexShown, 2);
}

}  // namespace
