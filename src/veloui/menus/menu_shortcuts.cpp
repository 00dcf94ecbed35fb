#include "veloui/menus/menu_shortcuts.h"

#include <optional>

#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/menus/core/item_text.h"

ShortcutRegistration ShortcutSwitch;

namespace {

bool NamesWindowOrNone(HWND window) { return window == nullptr || IsWindow(window); }

// Modifiers as the keyboard holds them for the message being read, so that a Ctrl let go
// while another program had the focus never sticks.
std::uint32_t HeldModifiers() {
  std::uint32_t held = 0;
  if ((GetKeyState(VK_CONTROL) & 0x8000) != 0) held |= kShortcutControl;
  if ((GetKeyState(VK_SHIFT) & 0x8000) != 0) held |= kShortcutShift;
  if ((GetKeyState(VK_MENU) & 0x8000) != 0) held |= kShortcutAlt;
  return held;
}

// A character key as the system upper-cases it, whatever its script: that is what the key
// press will be compared with.
std::uint32_t SystemUpperCase(std::uint32_t character) {
  wchar_t unit[2] = {static_cast<wchar_t>(character), 0};
  CharUpperBuffW(unit, 1);
  return unit[0];
}

bool IsModifierKey(WPARAM key) { return key == VK_CONTROL || key == VK_SHIFT || key == VK_MENU; }

HWND ActiveRootWindow(HWND fallback) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (GetGUIThreadInfo(GetCurrentThreadId(), &info) && info.hwndActive != nullptr) {
    return GetAncestor(info.hwndActive, GA_ROOT);
  }
  return fallback;
}

struct ShortcutHit {
  std::int16_t CommandId = 0;
  HWND Target = nullptr;
};

std::optional<ShortcutHit> FindShortcut(HWND messageWindow, std::uint32_t modifiers, WPARAM key) {
  const auto virtualKey = static_cast<std::uint32_t>(key);
  const std::uint32_t character = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_CHAR);
  HWND root = messageWindow != nullptr ? GetAncestor(messageWindow, GA_ROOT) : nullptr;
  ToolkitLockGuard lock(ToolkitLock::Shortcut);
  if (root != nullptr) {
    if (auto id = MatchShortcut(ShortcutTable(), WindowKey(root), modifiers, virtualKey, character)) {
      return ShortcutHit{*id, root};
    }
  }
  if (auto id = MatchShortcut(ShortcutTable(), kGlobalShortcutKey, modifiers, virtualKey, character)) {
    return ShortcutHit{*id, ActiveRootWindow(root)};
  }
  return std::nullopt;
}

void FireShortcut(MSG& message, std::uint32_t modifiers) {
  const std::optional<ShortcutHit> hit = FindShortcut(message.hwnd, modifiers, message.wParam);
  if (!hit || hit->Target == nullptr) return;
  SendMessageW(hit->Target, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(hit->CommandId), 0), 0);
  message.message = WM_NULL;
}

void InstallShortcutHookOnce() {
  if (Toolkit.GetMessageHook == nullptr) {
    Toolkit.GetMessageHook = SetWindowsHookExW(WH_GETMESSAGE, ShortcutHookProc, nullptr, GetCurrentThreadId());
  }
}

}  // namespace

ShortcutMap& ShortcutTable() { return ToolkitMap<std::vector<ShortcutEntry>>(ToolkitMapId::Shortcuts); }

std::int32_t RegisterMenuShortcut(HWND window, std::int32_t commandId, const Text& itemText) {
  if (ShortcutSwitch.NoRegistration) return 0;
  const SplitItem split = SplitItemText(itemText);
  // A text ending in a single "$" names no shortcut: it must not reach ParseShortcut, where
  // an empty shortcut text forgets every shortcut of the window.
  if (!split.HasShortcutMark || split.Shortcut.empty()) return 0;
  return ParseShortcut(window, commandId, split.Shortcut);
}

std::int32_t ParseShortcut(HWND window, std::int32_t commandId, const Text& shortcutText) {
  if (!NamesWindowOrNone(window)) return 0;
  const Text key = WindowKey(window != nullptr ? GetAncestor(window, GA_ROOT) : nullptr);
  if (shortcutText.empty()) {
    ToolkitLockGuard lock(ToolkitLock::Shortcut);
    RemoveWindowShortcuts(ShortcutTable(), key);
    return 1;
  }
  ParsedShortcut parsed = ParseShortcutText(shortcutText);
  if (!parsed.Valid) return 0;
  if ((parsed.Flags & kShortcutVirtualKey) == 0) parsed.Key = SystemUpperCase(parsed.Key);
  {
    ToolkitLockGuard lock(ToolkitLock::Shortcut);
    ApplyShortcut(ShortcutTable(), key, parsed, commandId);
  }
  InstallShortcutHookOnce();
  return 1;
}

LRESULT CALLBACK ShortcutHookProc(int code, WPARAM removal, LPARAM message) {
  if (code < 0) return CallNextHookEx(nullptr, code, removal, message);
  if (code > 0) return 0;
  auto* msg = reinterpret_cast<MSG*>(message);
  // A peek that leaves the message in the queue will see it again when it is removed; only
  // that one fires, so one key press gives one command.
  if (removal == PM_REMOVE && msg != nullptr) {
    if (msg->message == WM_KEYDOWN && !IsModifierKey(msg->wParam)) {
      FireShortcut(*msg, HeldModifiers());
    } else if (msg->message == WM_SYSKEYDOWN && !IsModifierKey(msg->wParam) && (msg->lParam & (1 << 29)) != 0) {
      FireShortcut(*msg, (HeldModifiers() & (kShortcutControl | kShortcutShift)) | kShortcutAlt);
    }
  }
  return CallNextHookEx(nullptr, code, removal, message);
}
