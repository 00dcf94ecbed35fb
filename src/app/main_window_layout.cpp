#include "app/main_window_layout.h"

#include "app/gadget_ids.h"
#include "app/logic/embedded_images.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"
#include "runtime/win32/gui.h"
#include "veloui/menus/rebars.h"

namespace {

struct Size {
  int Width = 0;
  int Height = 0;
  bool operator==(const Size&) const = default;
};

struct LayoutState {
  // The tab panel's and the log container's sizes at the last layout.
  Size Panel;
  Size Container;
};
LayoutState g_layout;

Size GadgetSize(int gadget) { return {GadgetWidth(gadget), GadgetHeight(gadget)}; }

}  // namespace

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

void RelayoutWhenResized() {
  const Size panel = GadgetSize(kTabPanel);
  const Size container = GadgetSize(kLogContainer);
  if (panel == g_layout.Panel && container == g_layout.Container) return;
  RelayoutPanelContents();
  g_layout.Panel = panel;
  g_layout.Container = container;
}

void ResizeSplitterToMainWindow() {
  const int height =
      WindowInnerHeight(kMainWindow) - GetRebarHeight(kMainRebar) - StatusBarHeight(kMainStatusBar);
  ResizeGadget(kSplitterGadget, kKeep, kKeep, WindowInnerWidth(kMainWindow), height);
}

void FollowMainWindowSize() {
  if (WindowState(kMainWindow) == static_cast<std::int32_t>(kWindowMinimized)) return;
  ResizeSplitterToMainWindow();
}

void LayOutMainWindow() {
  FollowMainWindowSize();
  RelayoutWhenResized();
}

void ResetMainWindowLayout() { g_layout = LayoutState(); }
