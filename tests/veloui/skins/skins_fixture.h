#pragma once
// The toolkit started once for the whole test program (its window hook sorts panels and
// pages), torn down at its end, where the free-alls must run in their order. A visible
// top-level window per test, and helpers to pump messages, press the real mouse and count
// the process's GDI and USER objects.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "../foundation/dib_canvas.h"
#include "runtime/portable/text.h"

class SkinsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // From now on the window keeps the WM_COMMAND and private messages it receives.
  void KeepMessages();
  // How many kept messages match (wParam -1: any).
  int Kept(UINT message, WPARAM wParam = static_cast<WPARAM>(-1)) const;
  HWND Window = nullptr;
};

// Dispatches waiting messages for about `milliseconds` (bounded), or until `done` says so.
void PumpFor(DWORD milliseconds, const std::function<bool()>& done = nullptr);
// A real mouse event at a point of a window's client area (button: 0 none, 1 down, 2 up).
void MouseAt(HWND window, int x, int y, int button);
// After `rounds` make/free rounds (after one warm-up round), the process's GDI and USER
// object counts are where they were.
void ExpectNoObjectsLeft(const std::function<void()>& makeAndFree, int rounds = 200);
