#include "menus_fixture.h"

#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/menus/menu_shortcuts.h"
#include "veloui/menus/menus.h"
#include "veloui/menus/rebars.h"
#include "veloui/menus/toolbars.h"

namespace {

constexpr wchar_t kClassName[] = L"WindowClass_MenusTest";

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) ReceivedCommands().push_back({window, LOWORD(wParam)});
  return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterTestClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = TestWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);
  registered = true;
}

}  // namespace

std::vector<ReceivedCommand>& ReceivedCommands() {
  static std::vector<ReceivedCommand> commands;
  return commands;
}

HBITMAP SolidBitmap(COLORREF colour) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = 16;
  info.bmiHeader.biHeight = 16;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* pixels = static_cast<DWORD*>(bits);
  const DWORD pixel = 0xFF000000u | (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
  for (int k = 0; k < 16 * 16; ++k) pixels[k] = pixel;
  return bitmap;
}

void MenusTest::SetUp() {
  FreeSkinnedMenu(-1);
  FreeRebar(-1);
  FreeSkinnedToolbar(-1);
  ResetToolkitGlobalLists();
  ResetAutoCommandID();
  ResetMenuBuilderState();
  ResetToolbarBuilderState();
  ResetRebarBuilderState();
  ReceivedCommands().clear();
  RegisterTestClass();
  Window = MakeWindow();
  ASSERT_NE(Window, nullptr);
}

void MenusTest::TearDown() {
  FreeSkinnedMenu(-1);
  FreeRebar(-1);
  FreeSkinnedToolbar(-1);
  for (HWND window : Extra) DestroyWindow(window);
  Extra.clear();
  PumpMessages();
}

HWND MenusTest::MakeWindow() {
  HWND window = CreateWindowExW(0, kClassName, L"Velo 2 DUro", WS_OVERLAPPEDWINDOW, 10, 10, 800, 600, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window != nullptr) {
    Extra.push_back(window);
  }
  return window;
}

void MenusTest::PumpMessages() {
  MSG message;
  for (int k = 0; k < 1000 && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++k) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

HWND MenusTest::BuildProgramMenuBar(HWND window) {
  SetMenuImageSize(16, 16);
  const auto bar = reinterpret_cast<HWND>(CreateMenuBar(0, window, 0x1000000));
  if (bar == nullptr) return nullptr;
  AddMenuTitle(u"Server");
  AddMenuItem(1, u"Connect", nullptr, nullptr, nullptr, 0);
  AddMenuItem(0, u"Quick Connect", nullptr, nullptr, nullptr, 0);
  AddMenuSeparator();
  AddMenuItem(8, u"Quit", nullptr, nullptr, nullptr, 0);
  AddMenuTitle(u"Commands");
  AddMenuItem(13, u"Refresh\tF5", nullptr, nullptr, nullptr, 0);
  AddMenuSeparator();
  AddMenuItem(9, u"Reassign", nullptr, nullptr, nullptr, 0);
  AddMenuItem(10, u"Restart", nullptr, nullptr, nullptr, 0);
  AddMenuItem(11, u"Shutdown", nullptr, nullptr, nullptr, 0);
  AddMenuSeparator();
  AddMenuItem(16, u"Add Ban", nullptr, nullptr, nullptr, 0);
  AddMenuItem(17, u"Reload Ban-List", nullptr, nullptr, nullptr, 0);
  AddMenuSeparator();
  AddMenuItem(12, u"Set MaxPing", nullptr, nullptr, nullptr, 0);
  AddMenuSeparator();
  AddMenuItem(14, u"Lock", nullptr, nullptr, nullptr, 0);
  AddMenuItem(15, u"Unlock", nullptr, nullptr, nullptr, 0);
  AddMenuSeparator();
  AddMenuItem(38, u"LoadScripts", nullptr, nullptr, nullptr, 0);
  AddMenuTitle(u"Database");
  AddMenuItem(28, u"Import...", nullptr, nullptr, nullptr, 0);
  AddMenuItem(29, u"Export...", nullptr, nullptr, nullptr, 0);
  AddMenuTitle(u"Info");
  AddMenuItem(25, u"Project Page...", nullptr, nullptr, nullptr, 0);
  AddMenuItem(27, u"\\bDonate...", nullptr, nullptr, nullptr, 0);
  AddMenuSeparator();
  AddMenuItem(2, u"About...", nullptr, nullptr, nullptr, 0);
  return bar;
}
