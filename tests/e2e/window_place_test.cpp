// The main window reopens where the user left it.
#include "runtime/portable/files.h"
#include "scenario.h"

namespace e2e {
namespace {

using WindowPlace = Scenario;

bool HasLine(const std::string& settings, const std::string& line) {
  return settings.find("\r\n" + line + "\r\n") != std::string::npos;
}

// The system moves the window as a drag or the window manager does, then the maximise box is clicked at once.
TEST_F(WindowPlace, AMoveThenMaximiseThenQuitReopensAtTheNewPlace) {
  StartProgram("[General]\r\nAutoRefreshEnable = 0\r\n[GUI]\r\nWindowX = 40\r\nWindowY = 30\r\n"
               "WindowWidth = 600\r\nWindowHeight = 400\r\n");
  SetWindowPos(main_, nullptr, 160, 110, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  PostMessageW(main_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  ASSERT_TRUE(Eventually([&] { return IsZoomed(main_) != FALSE; }));
  Quit();
  std::string settings;
  ASSERT_TRUE(ReadWholeFile(File("settings.ini"), settings));
  EXPECT_TRUE(HasLine(settings, "WindowState = 16777216")) << settings;
  EXPECT_TRUE(HasLine(settings, "WindowX = 160")) << settings;
  EXPECT_TRUE(HasLine(settings, "WindowY = 110")) << settings;
  EXPECT_TRUE(HasLine(settings, "WindowWidth = 600")) << settings;
  EXPECT_TRUE(HasLine(settings, "WindowHeight = 400")) << settings;
}

}  // namespace
}  // namespace e2e
