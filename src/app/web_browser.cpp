#include "app/web_browser.h"

#include <windows.h>
#include <shellapi.h>

#include "app/logic/web_pages.h"

void OpenWebPage(const char16_t* address) {
  ShellExecuteW(nullptr, L"open", reinterpret_cast<const wchar_t*>(address), nullptr, nullptr, SW_SHOWNORMAL);
}

int OpenDonationPage() {
  OpenWebPage(kDonationPageAddress);
  return 0;
}
