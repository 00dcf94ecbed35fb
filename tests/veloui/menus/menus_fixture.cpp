#include "menus_fixture.h"

#include "veloui/foundation/core/toolkit_facts.h"
#include "veloui/foundation/ui_colours.h"
#include "veloui/menus/host_state.h"
#include "veloui/toolkit/toolkit.h"
#include "veloui/toolkit/ui_colour_mode.h"

namespace {

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (OnTestWindowMessage) OnTestWindowMessage(message);
  if (message == WM_COMMAND) ReceivedCommands.push_back({window, LOWORD(wParam)});
  return DefWindowProcW(window, message, wParam, lParam);
}

// The step of the running WhileMenuOpen and its ticks.
std::function<bool()> ProbeStep;
int ProbeTicks = 0, ProbeMostTicks = 0;

void CALLBACK ProbeTick(HWND, UINT, UINT_PTR, DWORD) {
  if (!ProbeStep) return;
  ++ProbeTicks;
  if (ProbeStep() || ProbeTicks >= ProbeMostTicks) {
    ProbeStep = nullptr;
    EndMenu();
  }
}

BOOL CALLBACK FindPopup(HWND window, LPARAM found) {
  const bool ours = ClassOf(window) == L"#32768" && IsWindowVisible(window) &&
                    GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
  if (ours) *reinterpret_cast<HWND*>(found) = window;
  return ours ? FALSE : TRUE;
}

void FreeAll() {
  FreeSkinnedMenu(-1);
  FreeRebar(-1);
  FreeSkinnedToolbar(-1);
}

}  // namespace

MENUITEMINFOW ItemInfo(HMENU menu, UINT item, bool byPosition, UINT mask) {
  auto info = Sized<MENUITEMINFOW>(mask);
  if (!GetMenuItemInfoW(menu, item, byPosition ? TRUE : FALSE, &info)) info.fMask = 0;
  return info;
}

Text ButtonText(HWND toolbar, int index) {
  TBBUTTON button{};
  SendMessageW(toolbar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button));
  wchar_t text[64] = {};
  SendMessageW(toolbar, TB_GETBUTTONTEXTW, button.idCommand, reinterpret_cast<LPARAM>(text));
  return Text(reinterpret_cast<const char16_t*>(text));
}

REBARBANDINFOW BandInfo(HWND rebar, int index, UINT mask) {
  auto band = Sized<REBARBANDINFOW>(mask);
  EXPECT_TRUE(SendMessageW(rebar, RB_GETBANDINFOW, index, reinterpret_cast<LPARAM>(&band)));
  return band;
}

int WhileMenuOpen(const std::function<void()>& open, const std::function<bool()>& step, int mostTicks) {
  ProbeStep = step;
  ProbeTicks = 0;
  ProbeMostTicks = mostTicks;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, ProbeTick);
  open();
  KillTimer(nullptr, timer);
  ProbeStep = nullptr;
  return ProbeTicks;
}

HWND OpenPopupWindow() {
  HWND found = nullptr;
  EnumWindows(FindPopup, reinterpret_cast<LPARAM>(&found));
  return found;
}

void MenusTest::SetUp() {
  FreeAll();
  // Shadows cost seconds each to take down without a window manager: only the hook tests allow them.
  if (!Toolkit.Started) {
    InitToolkit();
    SystemFacts.SystemDropShadow = 0;
  }
  ResetAutoCommandID();
  ResetMenuTrackingForTesting();
  ResetHostWindowState();
  SetUIColourMode(UICOLOURMODE_DEFAULT_GREY);
  ReceivedCommands.clear();
  OnTestWindowMessage = nullptr;
  // The system's menu loop follows the real mouse: one left over a title by an earlier test (or
  // an earlier run) would switch the title a test opens.
  SetCursorPos(1200, 1000);
  RegisterClassNamed(kTestWindowClass, TestWindowProc);
  Window = MakeWindow();
  ASSERT_NE(Window, nullptr);
}

void MenusTest::TearDown() {
  OnTestWindowMessage = nullptr;
  FreeAll();
  for (HWND window : Extra) DestroyWindow(window);
  Extra.clear();
  PumpFor(0);
  ResetMenuTrackingForTesting();
}

HWND MenusTest::MakeWindow() {
  HWND window = CreateWindowExW(0, kTestWindowClass, L"Velo 2 DUro", WS_OVERLAPPEDWINDOW, 10, 10, 800, 600, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window != nullptr) Extra.push_back(window);
  return window;
}

HWND MenusTest::BuildMenuBar(HWND window) {
  SetMenuImageSize(16, 16);
  const auto bar = reinterpret_cast<HWND>(CreateMenuBar(0, window, UISTYLE_OFFICE2003));
  int id = 1;
  for (const char16_t* title : {u"Server", u"Commands", u"Database", u"Info"}) {
    AddMenuTitle(title);
    AddMenuItem(id, u"Item", nullptr, nullptr, nullptr, 0);
    AddMenuSeparator();
    AddMenuItem(id + 1, u"\\bLast", nullptr, nullptr, nullptr, 0);
    id += 10;
  }
  return bar;
}

HWND MenusTest::RebarCarrying(HWND bar, UINT width) {
  const auto rebar = reinterpret_cast<HWND>(CreateRebar(-1, Window, 0, UISTYLE_OFFICE2003 | 0x600, 0));
  SetCurrentRebar(reinterpret_cast<std::intptr_t>(rebar));
  AddRebarBand(bar, u"", width, 100, 0, nullptr, 0);
  return rebar;
}

LRESULT MenusTest::DropDown(HWND bar, int index) {
  TBBUTTON button{};
  SendMessageW(bar, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button));
  NMTOOLBARW notice{{bar, static_cast<UINT_PTR>(GetDlgCtrlID(bar)), static_cast<UINT>(TBN_DROPDOWN)}, button.idCommand,
                    {}, 0, nullptr, {}};
  return SendMessageW(GetParent(bar), WM_NOTIFY, notice.hdr.idFrom, reinterpret_cast<LPARAM>(&notice));
}
