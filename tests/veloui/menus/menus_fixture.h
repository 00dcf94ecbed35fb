#pragma once
// A top-level test window, a clean toolkit state before each test and the program's own
// menu bar as a realistic set of titles and items.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "runtime/portable/text.h"

struct ReceivedCommand {
  HWND Window = nullptr;
  WORD Id = 0;
};

class MenusTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Another top-level window of the same class.
  HWND MakeWindow();
  // The main window's menu bar of the program: four titles, 27 items and separators.
  HWND BuildProgramMenuBar(HWND window);
  // Dispatches what is waiting; never blocks.
  static void PumpMessages();

  HWND Window = nullptr;
  std::vector<HWND> Extra;
};

// Every WM_COMMAND the test windows received, in order.
std::vector<ReceivedCommand>& ReceivedCommands();
// The item's info for `mask` (cbSize set; fType etc. zero when the item is missing).
MENUITEMINFOW ItemInfo(HMENU menu, UINT item, bool byPosition, UINT mask);
// A 16 x 16 32-bit bitmap filled with one opaque colour; the caller deletes it.
HBITMAP SolidBitmap(COLORREF colour);
// The toolkit style word of the Office 2003 look.
constexpr std::uint32_t kOffice2003 = 0x1000000;
// The toolbar's button at `index`, and its text.
TBBUTTON ButtonAt(HWND toolbar, int index);
Text ButtonText(HWND toolbar, int index);
// The window's outer height.
int HeightOf(HWND window);
