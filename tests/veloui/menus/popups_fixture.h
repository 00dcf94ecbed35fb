#pragma once
// The toolkit started for menu tests in the Office 2003 grey colours, and a probe that acts
// from inside the system's modal menu loop (a thread timer, which that loop dispatches).
#include <functional>

#include "menus_fixture.h"

class PopupsTest : public MenusTest {
 protected:
  void SetUp() override;
  void TearDown() override;
};

// Calls `step` every 20 ms while `open` runs (the menu loop dispatches the timer); the menu is
// ended once `step` returns true, and after `mostTicks` ticks at the latest. The number of ticks.
int WhileMenuOpen(const std::function<void()>& open, const std::function<bool()>& step, int mostTicks = 150);

// The visible popup-menu window of this thread, or nullptr.
HWND OpenPopupWindow();
