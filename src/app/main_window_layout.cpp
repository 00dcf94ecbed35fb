#include "app/main_window_layout.h"

#include "app/gadget_ids.h"
#include "app/logic/embedded_images.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"
#include "runtime/win32/gui.h"
#include "veloui/menus/rebars.h"

void RelayoutPanelContents() {
  const int w = GadgetWidth(kTabPanel);
  const int h = GadgetHeight(kTabPanel);
  ResizeGadget(kPlayersList, kKeep, kKeep, w - 5, h - 55);
  ResizeGadget(kBansList, kKeep, kKeep, w - 5, h - 30);
  ResizeGadget(kMissionsList, kKeep, kKeep, w - 5, h - 30);
  ResizeGadget(kDatabaseList, kKeep, kKeep, w - 5, h - 50);
  ResizeGadget(kSearchFieldCombo, 5, h - 47, 150, 20);
  ResizeGadget(kSearchText, 160, h - 47, w - 265, 20);
  ResizeGadget(kExactMatchBox, w - 95, h - 47, 90, 20);
  const int cw = GadgetWidth(kLogContainer);
  const int ch = GadgetHeight(kLogContainer);
  ResizeGadget(kLogList, kKeep, kKeep, cw, ch - 20);
  ResizeGadget(kMessageField, kKeep, ch - 20, cw, 20);
  ResizeGadget(kRefreshButton, 0, h - 50, w - 10, 20);
}

void ResizeSplitterToMainWindow() {
  const int height =
      WindowInnerHeight(kMainWindow) - GetRebarHeight(kMainRebar) - StatusBarHeight(kMainStatusBar);
  ResizeGadget(kSplitterGadget, kKeep, kKeep, WindowInnerWidth(kMainWindow), height);
}
