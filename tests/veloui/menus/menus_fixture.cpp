#include "menus_fixture.h"

#include "../foundation/dib_canvas.h"

#include "runtime/win32/platform/wide_text.h"
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

MENUITEMINFOW ItemInfo(HMENU menu, UINT item, bool byPosition, UINT mask) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = mask;
  if (!GetMenuItemInfoW(menu, item, byPosition ? TRUE : FALSE, &info)) info.fMask = 0;
  return info;
}

HBITMAP SolidBitmap(COLORREF colour) {
  return Bitmap32(16, 16, Solid(16 * 16, 0xFF000000u | (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour)));
}

TBBUTTON ButtonAt(HWND toolbar, int index) {
  TBBUTTON button{};
  SendMessageW(toolbar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button));
  return button;
}

Text ButtonText(HWND toolbar, int index) {
  wchar_t text[64] = {};
  SendMessageW(toolbar, TB_GETBUTTONTEXTW, ButtonAt(toolbar, index).idCommand, reinterpret_cast<LPARAM>(text));
  return FromWide(text);
}

int HeightOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect.bottom - rect.top;
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
  if (window != nullptr) Extra.push_back(window);
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
  // A title has id -1, a separator no text.
  const struct {
    int Id;
    const char16_t* Text;
  } entries[] = {{-1, u"Server"},  {1, u"Connect"},      {0, u"Quick Connect"}, {0, nullptr},  {8, u"Quit"},
                 {-1, u"Commands"}, {13, u"Refresh\tF5"}, {0, nullptr},         {9, u"Reassign"}, {10, u"Restart"},
                 {11, u"Shutdown"}, {0, nullptr},          {16, u"Add Ban"},      {17, u"Reload Ban-List"},
                 {0, nullptr},      {12, u"Set MaxPing"},  {0, nullptr},          {14, u"Lock"}, {15, u"Unlock"},
                 {0, nullptr},      {38, u"LoadScripts"},  {-1, u"Database"},     {28, u"Import..."},
                 {29, u"Export..."}, {-1, u"Info"},        {25, u"Project Page..."}, {27, u"\\bDonate..."},
                 {0, nullptr},      {2, u"About..."}};
  for (const auto& entry : entries) {
    if (entry.Id < 0) {
      AddMenuTitle(entry.Text);
    } else if (entry.Text == nullptr) {
      AddMenuSeparator();
    } else {
      AddMenuItem(entry.Id, entry.Text, nullptr, nullptr, nullptr, 0);
    }
  }
  return bar;
}
