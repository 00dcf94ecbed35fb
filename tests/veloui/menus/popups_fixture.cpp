#include "popups_fixture.h"

#include "veloui/foundation/core/toolkit_facts.h"
#include "veloui/foundation/toolkit.h"
#include "veloui/foundation/ui_colours.h"
#include "veloui/menus/host_state.h"
#include "veloui/menus/menu_tracking.h"

namespace {

struct Probe {
  std::function<bool()> Step;
  int MostTicks = 0;
  int Ticks = 0;
  bool Ended = false;
};
Probe* ActiveProbe = nullptr;

void CALLBACK ProbeTick(HWND, UINT, UINT_PTR, DWORD) {
  Probe* probe = ActiveProbe;
  if (probe == nullptr || probe->Ended) return;
  ++probe->Ticks;
  if (probe->Step() || probe->Ticks >= probe->MostTicks) {
    probe->Ended = true;
    EndMenu();
  }
}

BOOL CALLBACK FindPopup(HWND window, LPARAM found) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (lstrcmpW(name, L"#32768") == 0 && IsWindowVisible(window) &&
      GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

void PopupsTest::SetUp() {
  InitToolkit();
  // Shown shadow windows cost seconds each to take down on a display without a window
  // manager; the shadows have tests of their own.
  SystemFacts.SystemDropShadow = 0;
  MenusTest::SetUp();
  ResetMenuTrackingForTesting();
  HostWindows = HostWindowGlobals{};
  SetUIColourMode(UICOLOURMODE_DEFAULT_GREY);
}

void PopupsTest::TearDown() {
  MenusTest::TearDown();
  ResetMenuTrackingForTesting();
}

int WhileMenuOpen(const std::function<void()>& open, const std::function<bool()>& step, int mostTicks) {
  Probe probe{step, mostTicks};
  ActiveProbe = &probe;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, ProbeTick);
  open();
  KillTimer(nullptr, timer);
  ActiveProbe = nullptr;
  return probe.Ticks;
}

HWND OpenPopupWindow() {
  HWND found = nullptr;
  EnumWindows(FindPopup, reinterpret_cast<LPARAM>(&found));
  return found;
}
