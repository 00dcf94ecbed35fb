// A picture of the main window with the Commands menu open, written as a PNG into the
// build folder's artifacts, so that the look can be checked by eye.
#include <windows.h>
#include <commctrl.h>
#include <png.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/log_view.h"
#include "app/gadget_ids.h"
#include "app/logic/embedded_images.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"
#include "main_window_fixture.h"
#include "runtime/win32/gui.h"
#include "velorcon/disconnect.h"
#include "velorcon/rcon_window.h"
#include "veloui/menus/menu_builder_state.h"
#include "veloui/menus/menus.h"

namespace {

struct Picture {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;  // 0x00RRGGBB, top row first
};

struct CaptureState {
  RECT Area{};
  Picture Taken;
  bool MenuWasOpen = false;
};
CaptureState g_capture;

Picture CaptureScreen(const RECT& area) {
  Picture picture;
  picture.Width = area.right - area.left;
  picture.Height = area.bottom - area.top;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = picture.Width;
  info.bmiHeader.biHeight = -picture.Height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, picture.Width, picture.Height, screen, area.left, area.top, SRCCOPY);
  GdiFlush();
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  picture.Pixels.assign(pixels, pixels + static_cast<std::size_t>(picture.Width) * picture.Height);
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return picture;
}

bool WritePng(const std::string& path, const Picture& picture) {
  std::vector<std::uint32_t> bgra(picture.Pixels);
  for (std::uint32_t& pixel : bgra) pixel |= 0xFF000000u;
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(picture.Width);
  png.height = static_cast<png_uint_32>(picture.Height);
  png.format = PNG_FORMAT_BGRA;
  return png_image_write_to_file(&png, path.c_str(), 0, bgra.data(), 0, nullptr) != 0;
}

HWND OpenPopupMenuWindow() {
  HWND found = FindWindowW(L"#32768", nullptr);
  return found != nullptr && IsWindowVisible(found) ? found : nullptr;
}

// Runs inside the menu's own loop: the picture is taken while the menu is open.
void CALLBACK TakePictureAndCloseMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  g_capture.MenuWasOpen = OpenPopupMenuWindow() != nullptr;
  g_capture.Taken = CaptureScreen(g_capture.Area);
  EndMenu();
}

HWND MenuBarToolbar() {
  for (const MenuRecord& record : MenuList()) {
    if (!record.IsPopup && record.Id == kMenuBar && record.Toolbar != nullptr) return record.Toolbar;
  }
  return nullptr;
}

void FillWithSampleContent() {
  SetServerControlsDisabled(0);
  RconWindow& window = CurrentRconWindow();
  window.SetWindowTitle(u"127.0.0.1 : 2302 | Velo 2 DUro");
  window.SetStatusText(0, u"Host: 127.0.0.1 : 2302");
  std::vector<PlayerRecord> players(3);
  const char16_t* names[] = {u"Sniper Wolf", u"Medic", u"Rookie"};
  for (int i = 0; i < 3; ++i) {
    players[i].Name = names[i];
    players[i].IP = u"10.0.0." + DecimalText(10 + i);
    players[i].Ping = 20 + 15 * i;
    players[i].GUID = u"0123456789abcdef0123456789abcde" + DecimalText(i);
  }
  window.RefreshPlayerList(players);
  AddLogLine(u"Connected to 127.0.0.1:2302");
  AddLogLine(u"Version: 1.0");
  AddLogLine(u"(2026-12-06 | 18:00:00) : Player #0 Sniper Wolf connected");
}

TEST_F(MainWindowTest, ScreenshotWithTheCommandsMenuOpen) {
  FillWithSampleContent();
  Pump();
  RECT window{};
  GetWindowRect(WindowHandle(kMainWindow), &window);
  g_capture = CaptureState();
  g_capture.Area = window;
  SetForegroundWindow(WindowHandle(kMainWindow));
  Pump();
  const HWND bar = MenuBarToolbar();
  ASSERT_NE(bar, nullptr);
  // A click on the "Commands" title drops its menu down; the picture is taken inside the
  // menu's loop, which the click starts.
  RECT title{};
  ASSERT_TRUE(SendMessageW(bar, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&title)));
  SetTimer(nullptr, 0, 700, TakePictureAndCloseMenu);
  PostMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON,
               MAKELPARAM((title.left + title.right) / 2, (title.top + title.bottom) / 2));
  for (int round = 0; round < 300 && g_capture.Taken.Width == 0; ++round) {
    Pump();
    Sleep(10);
  }
  PostMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(0, 0));
  Pump();
  EXPECT_TRUE(g_capture.MenuWasOpen);
  ASSERT_GT(g_capture.Taken.Width, 0);
  // Not one flat colour: there is a window to see.
  std::size_t differing = 0;
  for (const std::uint32_t pixel : g_capture.Taken.Pixels) differing += pixel != g_capture.Taken.Pixels[0];
  EXPECT_GT(differing, g_capture.Taken.Pixels.size() / 10);
  const std::string folder = std::string("Z:") + VELO_ARTIFACT_FOLDER;
  CreateDirectoryA(folder.c_str(), nullptr);
  EXPECT_TRUE(WritePng(folder + "/main_window.png", g_capture.Taken));
}

}  // namespace
