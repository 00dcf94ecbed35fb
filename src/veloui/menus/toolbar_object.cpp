#include "veloui/menus/toolbar_object.h"

#include <commctrl.h>

namespace {
constexpr DWORD kToolbarObjectStyle = WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS;
}

HWND CreateToolbarObject(HWND parent, int controlId) {
  INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_BAR_CLASSES | ICC_COOL_CLASSES};
  InitCommonControlsEx(&classes);
  HWND toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, kToolbarObjectStyle, 0, 0, 0, 0, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                                 GetModuleHandleW(nullptr), nullptr);
  if (toolbar != nullptr) SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  return toolbar;
}

void FreeToolbarObject(HWND toolbar) {
  if (toolbar != nullptr && IsWindow(toolbar)) DestroyWindow(toolbar);
}
