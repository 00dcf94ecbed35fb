#pragma once
// The skin-refresh broadcast: every window of the process is told (message 0x9CA3) that the
// skin or the colour mode changed, and the visible children of visible top-level windows are
// repainted once afterwards. Windows of the calling thread get it straight from their procedure,
// with their drawing switched off meanwhile; windows of other threads as a sent message whose
// wait is bounded, and an invalidation instead of the switch.
#include <windows.h>

#include <cstdint>
#include <vector>

// skin 0: a colour change without a skin. 0 only for a non-zero handle that is no skin.
std::int32_t ApplySkinToAllWindows(std::uintptr_t skin);

struct SkinNotifyContext {
  DWORD ProcessId = 0;
  std::uintptr_t Skin = 0;
  HWND Parent = nullptr;
  std::vector<DWORD> HungThreads;  // threads that let a send time out: sent nothing more
};
BOOL CALLBACK NotifySkinWindowProc(HWND window, LPARAM context);
BOOL CALLBACK NotifySkinChildProc(HWND child, LPARAM context);
