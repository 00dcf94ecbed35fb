#pragma once
// The toolkit started once for the whole test program (its window hook sorts panels and
// pages), torn down at its end, where the free-alls must run in their order. A visible
// top-level window per test, and helpers to pump messages, press the real mouse and count
// the process's GDI and USER objects.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "../foundation/dib_canvas.h"
#include "runtime/portable/text.h"

// Counts the messages the test window receives from the controls on it.
struct ReceivedMessages {
  int Clicks = 0;  // WM_COMMAND / BN_CLICKED
  int Links = 0;   // 0x8580, the last link number in LastLink
  WPARAM LastLink = 0;
  int SplitterDrags = 0;  // 0x8D3B with wParam 1
  int SplitterDrops = 0;  // 0x8D3B with wParam 0
};
ReceivedMessages& Received();

class SkinsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Makes the window count into Received() (zeroed now).
  void CountMessages();
  HWND Window = nullptr;
};

// Dispatches waiting messages for about `milliseconds` (bounded), or until `done` says so.
void PumpFor(DWORD milliseconds, const std::function<bool()>& done = nullptr);
// A real mouse event at a point of a window's client area (button: 0 none, 1 down, 2 up).
void MouseAt(HWND window, int x, int y, int button);
// After `rounds` make/free rounds (after one warm-up round), the process's GDI and USER
// object counts are where they were.
void ExpectNoObjectsLeft(const std::function<void()>& makeAndFree, int rounds = 200);
