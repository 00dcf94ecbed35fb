#include "veloui/foundation/toolkit_state.h"

ToolkitWindowState Toolkit;

Text WindowKey(HWND window) {
  return DecimalText(static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(window)));
}
