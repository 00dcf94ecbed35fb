// The program's first and last steps around the main window: the libraries it starts before
// anything else, the window opened maximised, and the end routine.
#include "main_window_fixture.h"  // windows.h first

#include <objbase.h>

#include "app/save_settings.h"
#include "app/startup.h"
#include "listsort/listsort.h"
#include "runtime/portable/end_routine.h"
#include "runtime/portable/files.h"
#include "runtime/portable/sockets.h"

namespace {

// The saved position is taken against the maximised window, and saved as it was.
TEST_F(MainWindowTest, AWindowOpenedMaximisedGetsItsSavedSplitterPositionAgainstItsMaximisedSize) {
  const int normalHeight = 400;
  const struct {
    const char* Splitter;
    std::function<int()> Expected;
  } cases[] = {
      {"600", [] { return 600; }},
      {"-1", [] { return WindowInnerHeight(kMainWindow) - GetRebarHeight(kMainRebar) - 70; }},
  };
  for (const auto& c : cases) {
    Build(std::string("[GUI]\r\nWindowState = 16777216\r\nWindowWidth = 600\r\nWindowHeight = ") +
              std::to_string(normalHeight) + "\r\nSplitter = " + c.Splitter + "\r\n",
          0);
    ASSERT_EQ(WindowState(kMainWindow), static_cast<std::int32_t>(kWindowMaximized));
    ASSERT_GT(WindowInnerHeight(kMainWindow), 700) << "the screen has room for the position";
    EXPECT_EQ(GadgetState(kSplitterGadget), c.Expected()) << c.Splitter;
    EXPECT_EQ(GadgetHeight(kTabPanel), c.Expected()) << c.Splitter;
    SaveSettings();
    std::string settings;
    ASSERT_TRUE(ReadWholeFile(AppSettings.SettingsFilePath, settings));
    EXPECT_NE(settings.find("\r\nSplitter = " + std::to_string(c.Expected()) + "\r\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("\r\nWindowHeight = " + std::to_string(normalHeight) + "\r\n"), std::string::npos);
  }
}

// A requester or web page on this thread finds COM started in its single-threaded apartment.
TEST_F(MainWindowTest, TheProgramsFirstStepStartsComOnTheGuiThread) {
  StartProgramLibraries();
  const HRESULT asMultithreaded = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  if (SUCCEEDED(asMultithreaded)) CoUninitialize();
  EXPECT_EQ(asMultithreaded, RPC_E_CHANGED_MODE);
}

// The order itself is tested natively (EndRoutine); here that the program's libraries are in it.
TEST_F(MainWindowTest, TheEndRoutineEndsTheListSortingAndTheNetworkLibrary) {
  ASSERT_TRUE(StartNetworkLibrary());
  const PlatformSocket before = OpenUdpSocket();
  ASSERT_NE(before, kInvalidSocket);
  CloseSocket(before);
  ASSERT_EQ(SetColumnSortType(kPlayersList, 5, kSortTextIgnoringCase), SortResult::Done);
  RunEndRoutine();
  EXPECT_EQ(SetColumnSortType(kPlayersList, 5, kSortTextIgnoringCase), SortResult::NotRegistered);
  const PlatformSocket after = OpenUdpSocket();
  EXPECT_EQ(after, kInvalidSocket) << "WSACleanup ended the socket library";
  if (after != kInvalidSocket) CloseSocket(after);
}

}  // namespace
