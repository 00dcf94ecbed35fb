// The scroll thread of a held arrow and the GUI-thread side that carries out its steps.
#include "veloui/menus/core/menu_measure.h"
#include "veloui/menus/core/menu_navigation.h"
#include "veloui/menus/menu_scroll.h"
#include "veloui/menus/menu_tracking.h"

namespace {

constexpr UINT kCopyStepMessage = 0x8955;  // to the step window: wParam the phase, lParam the mode
constexpr UINT kStepTimeoutMs = 2000;
constexpr int kStopWaitRounds = 300;       // of 10 ms
constexpr wchar_t kStepClass[] = L"VeloMenuScrollSteps";

enum StepPhase : WPARAM { kPrepare = 1, kPixel, kSwap, kReselect };
// The answer to kPrepare that ends the scroll; any other is the count of pixel steps, which is
// 0 for an item less than one step high (a separator), swapped in all the same.
constexpr LRESULT kStopScroll = -1;
// The answer to kPrepare while the copy is between two showings: the thread waits a pause.
constexpr LRESULT kWaitForWindow = -2;

bool Closing = false;  // the copy is being freed: no further steps

bool SameRows(const CopyView& view) {
  return CopyRows(view, static_cast<int>(MenuScroll.ItemHeights.size())) == MenuScroll.Rows &&
         view.SpacerHeight == MenuScroll.View.SpacerHeight;
}

// The end a held arrow scrolls away from gets its arrow; nothing changes when it has one.
void ShowLeavingArrow(int mode) {
  const CopyView view = WithLeavingArrow(MenuScroll.View, CurrentCopyGeometry(), mode);
  if (!SameRows(view)) ApplyCopyView(view, false);
}

// One item in at the end the scroll moves to; the end reached finishes the scroll.
void SwapOneItem(int mode) {
  const CopyGeometry geometry = CurrentCopyGeometry();
  if (const auto next = CopyStep(MenuScroll.View, geometry, mode)) ApplyCopyView(*next, false);
  if (CopyScrollDone(MenuScroll.View, static_cast<int>(geometry.ItemHeights.size()), mode)) MenuScroll.Finished = true;
}

// The mouse on the copy but off the arrow it holds. Wine, which shows the copy again after each
// step, may never report that move as a selection; read from the mouse, the scroll still stops.
// A mouse outside the copy leaves the selection, and the scroll, as they are.
bool MouseLeftHeldArrow(int mode) {
  HWND window = MenuTracking.CopyWindow;
  POINT mouse{};
  RECT frame{};
  if (window == nullptr || !GetCursorPos(&mouse) || !GetWindowRect(window, &frame) || !PtInRect(&frame, mouse)) {
    return false;
  }
  const int count = static_cast<int>(MenuScroll.ItemHeights.size());
  const int position = CopyRowPosition(mode == 0 ? RowBottomArrow(count) : kRowTopArrow);
  RECT arrow{};
  if (position < 0 || !GetMenuItemRect(nullptr, MenuTracking.CopyMenu, static_cast<UINT>(position), &arrow) ||
      IsRectEmpty(&arrow)) {
    return false;
  }
  return !PtInRect(&arrow, mouse);
}

// The GUI thread's part of a step. The menu loop's capture is left alone: taking the mouse
// from it would end the loop.
LRESULT CarryOutStep(WPARAM phase, LPARAM parameter) {
  const int mode = static_cast<int>(parameter);
  if (phase == kReselect) {
    SelectCopyPosition(CopyRowPosition(static_cast<int>(parameter)));
    return 1;
  }
  if (Closing || MenuTracking.CopyMenu == nullptr) return phase == kPrepare ? kStopScroll : 0;
  // Between two showings of the copy (Wine) the system still holds the index of the row last
  // selected, reads it again as the copy shows, and no selection can be moved without a window:
  // no row may go until the copy is on screen again.
  if (MenuTracking.CopyWindow == nullptr && phase != kReselect) return phase == kPrepare ? kWaitForWindow : 1;
  switch (phase) {
    case kPrepare:
      if (MouseLeftHeldArrow(mode)) MenuScroll.Requested = false;
      if (!MenuScroll.Requested) return kStopScroll;
      ShowLeavingArrow(mode);
      return CopyPixelSteps(MenuScroll.View, CurrentCopyGeometry(), mode);
    case kPixel:
      ScrollCopyBand(mode);
      return 1;
    case kSwap:
      SwapOneItem(mode);
      return 1;
    default:
      return 0;
  }
}

LRESULT CALLBACK StepWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kCopyStepMessage) return CarryOutStep(wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND EnsureStepWindow() {
  if (MenuScroll.StepWindow != nullptr) return MenuScroll.StepWindow;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = StepWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kStepClass;
  RegisterClassExW(&windowClass);  // fails harmlessly once the class exists
  MenuScroll.StepWindow = CreateWindowExW(0, kStepClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                          GetModuleHandleW(nullptr), nullptr);
  return MenuScroll.StepWindow;
}

// Sent, so that the thread goes on only once the GUI thread has made the step. No lock is
// held here.
bool AskGui(HWND steps, WPARAM phase, int mode, LRESULT& result) {
  DWORD_PTR answer = 0;
  const LRESULT sent = SendMessageTimeoutW(steps, kCopyStepMessage, phase, mode, SMTO_NORMAL, kStepTimeoutMs, &answer);
  result = static_cast<LRESULT>(answer);
  return sent != 0;
}

DWORD WINAPI ScrollThreadProc(void* parameter) {
  const int mode = static_cast<int>(reinterpret_cast<std::intptr_t>(parameter));
  HWND steps = MenuScroll.StepWindow;
  while (MenuScroll.Requested && !MenuScroll.Finished) {
    LRESULT pixelSteps = kStopScroll;
    if (!AskGui(steps, kPrepare, mode, pixelSteps) || pixelSteps == kStopScroll) break;
    if (pixelSteps == kWaitForWindow) {
      Sleep(kCopyScrollStepMs);
      continue;
    }
    LRESULT done = 0;
    bool answered = true;
    for (LRESULT k = 0; k < pixelSteps && answered; ++k) {
      answered = AskGui(steps, kPixel, mode, done);
      Sleep(kCopyScrollStepMs);
    }
    if (!answered || !AskGui(steps, kSwap, mode, done)) break;
  }
  MenuScroll.Running = false;
  MenuScroll.Finished = false;
  MenuScroll.ThreadActive = false;
  return 0;
}

// Waits for the thread to end while serving what it sends; bounded.
void JoinScrollThread() {
  if (MenuScroll.Thread == nullptr) return;
  for (int round = 0; round < kStopWaitRounds; ++round) {
    if (MsgWaitForMultipleObjects(1, &MenuScroll.Thread, FALSE, 10, QS_SENDMESSAGE) == WAIT_OBJECT_0) break;
    MSG sent;
    PeekMessageW(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  CloseHandle(MenuScroll.Thread);
  MenuScroll.Thread = nullptr;
}

void StartScrollThread(int mode) {
  if (MenuScroll.ThreadActive || MenuScroll.Requested || MenuTracking.CopyMenu == nullptr) return;
  HWND steps = EnsureStepWindow();
  if (steps == nullptr) return;
  if (MenuScroll.Thread != nullptr) JoinScrollThread();  // the last one has ended already
  MenuScroll.Requested = true;
  MenuScroll.Finished = false;
  MenuScroll.ThreadActive = true;
  // The copy's selection and position stay frozen for the whole hold, not only while a step
  // edits it: the system must not move or select anything between the steps either. The
  // thread clears it when its loop ends.
  MenuScroll.Running = true;
  MenuScroll.Thread =
      CreateThread(nullptr, 0, ScrollThreadProc, reinterpret_cast<void*>(static_cast<std::intptr_t>(mode)), 0, nullptr);
  if (MenuScroll.Thread == nullptr) {
    MenuScroll.ThreadActive = false;
    MenuScroll.Requested = false;
    MenuScroll.Running = false;
  }
}

}  // namespace

void NoteCopySelection(std::int32_t kind) {
  if (MenuTracking.CopyMenu == nullptr) return;
  // The keyboard scrolls the copy a step per key by itself: it only ever stops a held arrow.
  if (MenuTracking.KeyboardNavigation) {
    if (kind != kMenuItemTopArrow && kind != kMenuItemBottomArrow) StopMenuScroll();
    return;
  }
  if (kind == kMenuItemBottomArrow) StartScrollThread(0);
  if (kind == kMenuItemTopArrow) StartScrollThread(1);
  if (kind == 0) MenuScroll.Requested = false;
}

void NoteCopySelectionOfCommand(std::uint16_t command) {
  NoteCopySelection(command == kCopyTopArrowId      ? kMenuItemTopArrow
                    : command == kCopyBottomArrowId ? kMenuItemBottomArrow
                    : command == kCopySpacerId      ? kMenuItemSpacer
                                                    : 0);
}

void StopMenuScroll() { MenuScroll.Requested = false; }

void MenuScrollThread(int mode) {
  if (MenuTracking.CopyMenu == nullptr) return;
  const CopyGeometry geometry = CurrentCopyGeometry();
  if (mode == 2) {
    ApplyCopyView(EndCopyView(geometry), true);
  } else if (mode == 3) {
    ApplyCopyView(StartCopyView(geometry), true);
  } else {
    ShowLeavingArrow(mode);
    SwapOneItem(mode);
    MenuScroll.Finished = false;  // a keyboard step holds nothing back
  }
}

void PostCopyReselect(int row) {
  if (EnsureStepWindow() != nullptr) PostMessageW(MenuScroll.StepWindow, kCopyStepMessage, kReselect, row);
}

void EndScrollSteps() {
  Closing = true;
  MenuScroll.Requested = false;
  JoinScrollThread();
  if (MenuScroll.StepWindow != nullptr) DestroyWindow(MenuScroll.StepWindow);
  MenuScroll.StepWindow = nullptr;
  Closing = false;
}
