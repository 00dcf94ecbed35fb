// The main window's layout as the main loop keeps it: after the window grows taller only, and
// across minimising.
#include <windows.h>

#include "app/files/settings.h"
#include "app/gadget_ids.h"
#include "app/logic/embedded_images.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"
#include "app/main_window_layout.h"
#include "app/save_settings.h"
#include "main_window_fixture.h"
#include "runtime/portable/files.h"
#include "runtime/win32/gui.h"

TEST_F(MainWindowTest, AWindowThatOnlyGrowsTallerMovesTheMessageFieldToTheContainersBottom) {
  const int panelHeight = GadgetHeight(kTabPanel);
  ResizeWindow(kMainWindow, kKeep, kKeep, kKeep, WindowInnerHeight(kMainWindow) + 100);
  FollowMainWindowSize();
  RelayoutWhenResized();
  ASSERT_EQ(GadgetHeight(kTabPanel), panelHeight) << "the splitter keeps the panel's height";
  EXPECT_EQ(GadgetY(kMessageField), GadgetHeight(kLogContainer) - 20);
  EXPECT_EQ(GadgetHeight(kLogList), GadgetHeight(kLogContainer) - 20);
}

TEST_F(MainWindowTest, MinimisingKeepsTheSplitterAndQuittingMinimisedSavesIt) {
  const int position = GadgetState(kSplitterGadget);
  ShowWindow(WindowHandle(kMainWindow), SW_MINIMIZE);
  ASSERT_EQ(WindowState(kMainWindow), static_cast<std::int32_t>(kWindowMinimized));
  FollowMainWindowSize();
  RelayoutWhenResized();
  SaveSettings();
  std::string settings;
  ASSERT_TRUE(ReadWholeFile(AppSettings.SettingsFilePath, settings));
  EXPECT_NE(settings.find("Splitter = " + std::to_string(position) + "\r\n"), std::string::npos) << settings;
  ShowWindow(WindowHandle(kMainWindow), SW_RESTORE);
  FollowMainWindowSize();
  EXPECT_EQ(GadgetState(kSplitterGadget), position);
}
