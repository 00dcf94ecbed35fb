// A window of the toolkit for real keys and clicks from outside (xdotool): a menu bar whose
// first title holds a submenu and whose second title is too long for the screen (separators
// in its first half), above a text field that has the focus. It reports on stdout, one line each:
//   open <name>      a drop-down or the submenu was opened ("First", "Second", "Long", "Sub")
//   select <id>      an item was selected (the low word of its command; a copy's arrows too)
//   command <id>     a menu command arrived
//   text <text>      the text field changed
#include <windows.h>

#include <cstdio>
#include <map>
#include <string>

#include "veloui/foundation/core/ui_colour_ids.h"
#include "veloui/menus/menu_builder_state.h"
#include "veloui/menus/menus.h"
#include "veloui/toolkit/toolkit.h"

namespace {

constexpr int kTextField = 1;
constexpr int kLongItems = 80;
constexpr int kZapItem = 204;  // "&Zap", in the long title

std::map<HMENU, const char*> MenuNames;

void Report(const std::string& line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

std::string FieldText(HWND field) {
  wchar_t text[128] = {};
  GetWindowTextW(field, text, 128);
  std::string narrow;
  for (const wchar_t* c = text; *c != 0; ++c) narrow += static_cast<char>(*c < 128 ? *c : '?');
  return narrow;
}

LRESULT CALLBACK ProbeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITMENUPOPUP: {
      const auto name = MenuNames.find(reinterpret_cast<HMENU>(wParam));
      if (name != MenuNames.end()) Report(std::string("open ") + name->second);
      break;
    }
    case WM_MENUSELECT:
      if (HIWORD(wParam) != 0xFFFF && (HIWORD(wParam) & MF_POPUP) == 0) Report("select " + std::to_string(LOWORD(wParam)));
      break;
    case WM_COMMAND:
      if (LOWORD(wParam) == kTextField && HIWORD(wParam) == EN_CHANGE) {
        Report("text " + FieldText(reinterpret_cast<HWND>(lParam)));
      } else if (lParam == 0) {
        Report("command " + std::to_string(LOWORD(wParam)));
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void BuildMenus(HWND window) {
  SetMenuImageSize(16, 16);
  HMENU sub = CreateSkinnedPopupMenu(50, UISTYLE_OFFICE2003);
  AddMenuItem(51, u"Sub one", nullptr, nullptr, nullptr, 0);
  AddMenuItem(52, u"Sub two", nullptr, nullptr, nullptr, 0);
  MenuNames[sub] = "Sub";
  CreateMenuBar(1, window, UISTYLE_OFFICE2003);
  AddMenuTitle(u"First");
  AddMenuItem(11, u"Plain", nullptr, nullptr, nullptr, 0);
  AddMenuItem(12, u"More", nullptr, nullptr, nullptr, reinterpret_cast<std::intptr_t>(sub));
  AddMenuTitle(u"Long");
  for (int k = 0; k < kLongItems; ++k) {
    const int id = 200 + k;
    AddMenuItem(id, id == kZapItem ? u"&Zap" : u"Item " + std::u16string(1, u'0' + k % 10), nullptr, nullptr, nullptr, 0);
    // Low rows at the start only: the copy holds more rows at the start than at the end.
    if (k < 40 && k % 4 == 3) AddMenuSeparator();
  }
  AddMenuTitle(u"Second");
  AddMenuItem(21, u"Other", nullptr, nullptr, nullptr, 0);
  const char* names[] = {"First", "Long", "Second"};
  for (int title = 0; title < 3; ++title) {
    for (const MenuRecord& menu : MenuList()) {
      if (menu.TitleIndex == title && menu.Handle != nullptr) MenuNames[menu.Handle] = names[title];
    }
  }
}

}  // namespace

int main() {
  InitToolkit();
  StartToolkitHooks();
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = ProbeWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = L"VeloMenuProbe";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, L"VeloMenuProbe", L"Menu Probe", WS_OVERLAPPEDWINDOW, 40, 40, 420, 240, nullptr,
                                nullptr, windowClass.hInstance, nullptr);
  BuildMenus(window);
  HWND field = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 10, 60, 300, 24, window,
                               reinterpret_cast<HMENU>(kTextField), windowClass.hInstance, nullptr);
  ShowWindow(window, SW_SHOW);
  SetFocus(field);
  Report("ready");
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  FreeToolkit();
  return 0;
}
