// Connects the running velo2duro.exe that is not connected yet to a server, through Quick
// Connect as a user would, for idle_cpu.sh. Exit code 0 once its title names the server.
//   quick_connect.exe <host> <port> <password>
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/gadget_ids.h"
#include "app/menu_ids.h"

namespace {

// Polls every 50 ms, at most `seconds`, until `found` gives a window.
template <typename Find>
HWND WaitFor(Find found, int seconds) {
  for (int i = 0; i < seconds * 20; ++i) {
    if (HWND window = found()) return window;
    Sleep(50);
  }
  return nullptr;
}

std::wstring TitleOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

HWND TopWindow(const std::wstring& title) {
  HWND window = FindWindowW(nullptr, title.c_str());
  return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

void Click(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void Type(HWND dialog, int id, const std::wstring& text) {
  HWND field = GetDlgItem(dialog, id);
  SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  wchar_t kind[16] = {};
  GetClassNameW(field, kind, 16);
  // The change event the program's own loop would get from typing into an edit field.
  if (std::wstring(kind) == L"Edit") {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), reinterpret_cast<LPARAM>(field));
  }
}

// Two starts in three show the donation window first; its Close button is enabled after a count-down.
HWND MainWindowAfterDonation() {
  return WaitFor([] {
    if (HWND donation = TopWindow(L"Velo 2 DUro - Donation")) {
      HWND close = GetDlgItem(donation, kDonationCloseButton);
      if (close != nullptr && IsWindowEnabled(close)) Click(donation, kDonationCloseButton);
      return HWND{nullptr};
    }
    return TopWindow(L"Velo 2 DUro");
  }, 30);
}

std::wstring Wide(const char* text) { return std::wstring(text, text + std::char_traits<char>::length(text)); }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: quick_connect.exe <host> <port> <password>\n");
    return 2;
  }
  const std::wstring host = Wide(argv[1]), port = Wide(argv[2]), password = Wide(argv[3]);
  HWND main = MainWindowAfterDonation();
  if (main == nullptr) return 1;
  PostMessageW(main, WM_COMMAND, MAKEWPARAM(kItemQuickConnect, 0), 0);
  HWND dialog = WaitFor([] { return TopWindow(L"Quick Connect"); }, 10);
  if (dialog == nullptr) return 1;
  Type(dialog, kQuickConnectHost, host);
  Type(dialog, kQuickConnectPort, port);
  Type(dialog, kQuickConnectPassword, password);
  Click(dialog, kQuickConnectButton);
  const std::wstring connected = host + L" : " + port + L" | Velo 2 DUro";
  return WaitFor([&] { return TitleOf(main) == connected ? main : nullptr; }, 10) != nullptr ? 0 : 1;
}
