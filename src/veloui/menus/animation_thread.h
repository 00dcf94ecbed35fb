#pragma once
// The toolkit's animation thread: a message-only window of class "VeloUI_Animation Thread"
// that slides windows (PanelEx pages) open or closed by easing their bottom edge at 60
// frames a second while fading their alpha. StartToolkitHooks starts it; teardown posts
// WM_CLOSE to its window and waits a bounded time (EndAnimationThread). A window asks for
// an animation with PostAnimationRequest; the window's grandparent receives WM_SIZE and
// AnimationStepMessage after every frame.
#include <windows.h>

#include <cstdint>

constexpr UINT AnimationRequestMessage = 0x8539;
constexpr UINT AnimationStepMessage = 0x86A6;

struct AnimationRecord {
  HWND Window = nullptr;
  std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  std::int32_t TargetLeft = 0, TargetTop = 0, TargetRight = 0, TargetBottom = 0;
  std::int32_t Reserved[2] = {};  // the poster's own words; the thread does not read them
  float Step = 2.0f;
  float Alpha = 0;
  float WorkLeft = 0, WorkTop = 0, WorkRight = 0, WorkBottom = 0;
  float WorkTargetLeft = 0, WorkTargetTop = 0, WorkTargetRight = 0, WorkTargetBottom = 0;
  std::uint8_t Started = 0;
  std::uint8_t Done = 0;
};

// Gives a PanelEx page (by window) its alpha for the frame, from the animation thread. The
// pages live in a layer above this one, which installs its change when it starts (before
// the thread runs); until then frames move the windows only.
using PageAlphaChange = std::int32_t (*)(std::intptr_t panel, std::intptr_t page, std::uint16_t alpha,
                                         std::uint8_t noRefresh);
void InstallPageAlphaChange(PageAlphaChange change);

DWORD WINAPI AnimationThread(LPVOID unused);
LRESULT CALLBACK AnimationWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Posts a copy of `request` (its integers filled) to the animation thread, which frees it.
// false when the thread has no window.
bool PostAnimationRequest(const AnimationRecord& request);

// Asks the thread to end (WM_CLOSE to its window, or the stop flag before it has one) up to
// 101 times, 10 ms apart, serving messages sent to this thread meanwhile: the animation
// thread sends to the GUI thread's windows every frame. true when the thread has ended.
bool EndAnimationThread();
