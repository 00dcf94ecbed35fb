#include "veloui/skins/splitterex/splitterex.h"

#include <algorithm>

#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/foundation/ui_colours.h"
#include "veloui/skins/core/skin_records.h"
#include "veloui/skins/panelex/panelex.h"
#include "veloui/skins/panelex/panelex_records.h"

namespace {
constexpr std::array<const char16_t*, 4> kStates{u"normal", u"hot", u"pressed", u"disabled"};
constexpr int kDisabledLook = 3;

struct DragState {
  HHOOK Hook = nullptr;
  HWND Splitter = nullptr;
};
DragState& Drag() {
  static DragState drag;  // GUI thread only: one drag at a time
  return drag;
}

ToolkitRecordList<SplitterExRecord>& Splitters() { return ToolkitList<SplitterExRecord>(ToolkitListId::SplitterEx); }
SplitterExRecord* FindSplitter(std::intptr_t splitter) { return FindControlRecord(Splitters(), splitter); }
SplitterExRecord* FindByGripper(HWND gripper) {
  for (SplitterExRecord& record : Splitters())
    if (record.Gripper == gripper) return &record;
  return nullptr;
}

bool IsVertical(const SplitterExRecord& splitter) { return (splitter.Style & kSplitterExVertical) != 0; }

void TellRoot(const SplitterExRecord& splitter, UINT message, WPARAM wParam, LPARAM lParam) {
  if (HWND root = GetAncestor(splitter.Window, GA_ROOT); root != nullptr && root != splitter.Window)
    PostMessageW(root, message, wParam, lParam);
}

void Layout(SplitterExRecord& splitter) {
  RECT area{};
  GetClientRect(splitter.Window, &area);
  const std::int32_t extent = IsVertical(splitter) ? area.bottom : area.right;
  const std::int32_t across = IsVertical(splitter) ? area.right : area.bottom;
  const std::int32_t last = std::max(0, extent - splitter.GripperSize - splitter.SmallestPane);
  splitter.Position = std::clamp(splitter.Position, std::min(splitter.SmallestPane, last), last);
  const std::int32_t first_end = std::max(0, splitter.Position - splitter.FirstPadding);
  const std::int32_t second_start = splitter.Position + splitter.GripperSize + splitter.SecondPadding;
  const std::int32_t second_size = std::max(0, extent - second_start);
  const auto place = [&](HWND window, std::int32_t start, std::int32_t size) {
    if (window == nullptr) return;
    if (IsVertical(splitter))
      MoveWindow(window, 0, start, across, size, TRUE);
    else
      MoveWindow(window, start, 0, size, across, TRUE);
  };
  place(splitter.First, 0, first_end);
  place(splitter.Gripper, splitter.Position, splitter.GripperSize);
  place(splitter.Second, second_start, second_size);
  TellRoot(splitter, kSplitterExLayoutMessage, 0, splitter.Position);
}

void EndDrag(SplitterExRecord& splitter) {
  DragState& drag = Drag();
  if (drag.Splitter == splitter.Window) {
    if (drag.Hook != nullptr) UnhookWindowsHookEx(drag.Hook);
    drag = DragState{};
  }
  if (!splitter.Dragging) return;
  splitter.Dragging = false;
  if (GetCapture() == splitter.Gripper) ReleaseCapture();
  InvalidateRect(splitter.Gripper, nullptr, FALSE);
  TellRoot(splitter, kSplitterExDragMessage, 0, splitter.Position);
}

// The gripper follows the mouse (screen co-ordinates), keeping the spot where it was grabbed.
void DragTo(SplitterExRecord& splitter, POINT screen) {
  ScreenToClient(splitter.Window, &screen);
  const std::int32_t wanted = (IsVertical(splitter) ? screen.y : screen.x) - splitter.GrabOffset;
  if (wanted == splitter.Position) return;
  splitter.Position = wanted;
  Layout(splitter);
  TellRoot(splitter, kSplitterExMovedMessage, 0, splitter.Position);
}

LRESULT CALLBACK DragHookProc(int code, WPARAM wParam, LPARAM lParam) {
  DragState& drag = Drag();
  HHOOK hook = drag.Hook;
  if (code == HC_ACTION && drag.Splitter != nullptr) {
    const auto& event = *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    if (SplitterExRecord* splitter = FindSplitter(reinterpret_cast<std::intptr_t>(drag.Splitter))) {
      if (wParam == WM_MOUSEMOVE) DragTo(*splitter, event.pt);
      if (wParam == WM_LBUTTONUP) EndDrag(*splitter);
    }
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

void BeginDrag(SplitterExRecord& splitter, LPARAM lParam) {
  DragState& drag = Drag();
  if (drag.Splitter != nullptr)
    if (SplitterExRecord* other = FindSplitter(reinterpret_cast<std::intptr_t>(drag.Splitter))) EndDrag(*other);
  splitter.Dragging = true;
  splitter.GrabOffset = IsVertical(splitter) ? static_cast<short>(HIWORD(lParam)) : static_cast<short>(LOWORD(lParam));
  SetCapture(splitter.Gripper);
  drag.Splitter = splitter.Window;
  drag.Hook = SetWindowsHookExW(WH_MOUSE_LL, DragHookProc, GetModuleHandleW(nullptr), 0);
  InvalidateRect(splitter.Gripper, nullptr, FALSE);
  TellRoot(splitter, kSplitterExDragMessage, 1, splitter.Position);
}

void PaintLook(HWND window, HDC dc, const ControlLook& look) {
  RECT area{};
  GetClientRect(window, &area);
  const COLORREF behind = PanelExColourBehind(window);
  ToolkitLockGuard guard(ToolkitLock::PanelEx);
  HDC buffer = PanelExBufferDC(reinterpret_cast<std::intptr_t>(window), area.right, area.bottom);
  if (buffer == nullptr) return;
  PaintLookBackground(buffer, area, look, behind);
  BitBlt(dc, 0, 0, area.right, area.bottom, buffer, 0, 0, SRCCOPY);
}

LRESULT PaintWith(HWND window, const ControlLook& look) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  if (dc != nullptr) PaintLook(window, dc, look);
  EndPaint(window, &paint);
  return 0;
}

int LookIndex(const SplitterExRecord& splitter) {
  if (!IsWindowEnabled(splitter.Window)) return kDisabledLook;
  return splitter.Dragging ? 2 : splitter.Hot ? 1 : 0;
}

void Forget(SplitterExRecord* splitter) {
  EndDrag(*splitter);
  Splitters().remove_if([splitter](const SplitterExRecord& record) { return &record == splitter; });
}
}  // namespace

std::intptr_t CreateSplitterEx(std::intptr_t id, HWND parent, std::int32_t x, std::int32_t y, std::int32_t width,
                               std::int32_t height, HWND first, HWND second, std::uint32_t style, ControlSkin skin) {
  HWND container = PanelEx().CurrentPanelExWindow;
  const std::intptr_t number = CreatePanelEx(id, parent, x, y, width, height);
  HWND window = GetPanelExWindow(number);
  const std::intptr_t gripper_id = window != nullptr ? CreatePanelEx(-1, window, 0, 0, 0, 0) : 0;
  PanelEx().CurrentPanelExWindow = container;
  if (window == nullptr) return 0;
  SplitterExRecord& splitter = Splitters().emplace_back();
  splitter.Id = number;
  splitter.Window = window;
  splitter.Gripper = GetPanelExWindow(gripper_id);
  splitter.Style = style;
  splitter.First = first;
  splitter.Second = second;
  if (first != nullptr) SetParent(first, window);
  if (second != nullptr) SetParent(second, window);
  SubclassControl(window, SplitterExWindowProc);
  if (splitter.Gripper != nullptr) SubclassControl(splitter.Gripper, SplitterExGripperProc);
  splitter.Position = ((style & kSplitterExVertical) != 0 ? height : width) / 2;
  const TextView builtin = (style & kSplitterExOffice2007) != 0 ? u"office2007splitterskin"
                           : (style & kSplitterExPadded) != 0  ? u"syssplitter2skin"
                                                                : u"syssplitterskin";
  LoadSplitterExSkin(number, skin != 0 ? skin : BuiltInControlSkin(builtin));
  return number;
}

std::int32_t LoadSplitterExSkin(std::intptr_t splitter, ControlSkin skin) {
  SplitterExRecord* record = FindSplitter(splitter);
  if (record == nullptr) return 0;
  record->Skin = skin;
  SelectSkinRecord(skin, 1);
  const Text suffix = IsVertical(*record) ? u" vertical" : u"";
  for (std::size_t k = 0; k < kStates.size(); ++k) {
    const Text state = Text(kStates[k]) + suffix;
    record->Looks[k] = ReadControlLook(skin, u"splitterex", state);
    record->GripperLooks[k] = ReadControlLook(skin, u"splitterex", state, u"gripper ");
  }
  const Text normal = Text(u"normal") + suffix;
  record->GripperSize = std::max(1, ReadSkinNumber(skin, u"splitterex", normal, u"gripper size", 5));
  record->FirstPadding = ReadSkinNumber(skin, u"splitterex", normal, u"first padding", 0);
  record->SecondPadding = ReadSkinNumber(skin, u"splitterex", normal, u"second padding", 0);
  record->SmallestPane = ReadSkinNumber(skin, u"splitterex", normal, IsVertical(*record) ? u"height" : u"width", 0);
  Layout(*record);
  InvalidateRect(record->Window, nullptr, FALSE);
  return 1;
}

std::int32_t SetSplitterExPosition(std::intptr_t splitter, std::int32_t position) {
  SplitterExRecord* record = FindSplitter(splitter);
  if (record == nullptr) return 0;
  record->Position = position;
  Layout(*record);
  return 1;
}

std::int32_t GetSplitterExPosition(std::intptr_t splitter) {
  const SplitterExRecord* record = FindSplitter(splitter);
  return record != nullptr ? record->Position : 0;
}

ControlSkin SplitterExSkin(std::intptr_t splitter) {
  const SplitterExRecord* record = FindSplitter(splitter);
  return record != nullptr ? record->Skin : 0;
}

HWND SplitterExGripper(std::intptr_t splitter) {
  const SplitterExRecord* record = FindSplitter(splitter);
  return record != nullptr ? record->Gripper : nullptr;
}

HHOOK SplitterExDragHook() { return Drag().Hook; }

LRESULT CALLBACK SplitterExWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  SplitterExRecord* splitter = FindSplitter(reinterpret_cast<std::intptr_t>(window));
  if (splitter == nullptr) return CallReplacedProcedure(window, message, wParam, lParam);
  switch (message) {
    case WM_PAINT:
      return PaintWith(window, splitter->Looks[IsWindowEnabled(window) ? 0 : kDisabledLook]);
    case WM_ENABLE:
      if (wParam == 0) EndDrag(*splitter);
      RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
      break;
    case WM_SIZE:
      Layout(*splitter);
      break;
    case kSkinRefreshMessage:
      if (lParam == 0 || static_cast<ControlSkin>(lParam) == splitter->Skin) LoadSplitterExSkin(splitter->Id, splitter->Skin);
      break;
    case WM_DESTROY:
      EndDrag(*splitter);  // a splitter destroyed mid-drag leaves no hook behind
      break;
    case WM_NCDESTROY:
      Forget(splitter);
      break;
    default:
      break;
  }
  return CallReplacedProcedure(window, message, wParam, lParam);
}

LRESULT CALLBACK SplitterExGripperProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  SplitterExRecord* splitter = FindByGripper(window);
  if (splitter == nullptr) return CallReplacedProcedure(window, message, wParam, lParam);
  switch (message) {
    case WM_PAINT:
      return PaintWith(window, splitter->GripperLooks[LookIndex(*splitter)]);
    case WM_SETCURSOR:
      SetCursor(IsVertical(*splitter) ? Toolkit.RebarSizeCursor : Toolkit.SplitterCursor);
      if (GetCursor() != nullptr) return TRUE;
      break;
    case WM_MOUSEMOVE:
      if (splitter->Dragging) {
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ClientToScreen(window, &at);
        DragTo(*splitter, at);
      } else if (!splitter->Hot) {
        splitter->Hot = true;
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window, 0};
        TrackMouseEvent(&track);
        InvalidateRect(window, nullptr, FALSE);
      }
      return 0;
    case WM_MOUSELEAVE:
      splitter->Hot = false;
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // a quick second press drags as well
      if (IsWindowEnabled(splitter->Window)) BeginDrag(*splitter, lParam);
      return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      EndDrag(*splitter);
      return 0;
    case WM_DESTROY:
      EndDrag(*splitter);
      break;
    default:
      break;
  }
  return CallReplacedProcedure(window, message, wParam, lParam);
}

std::int32_t FreeSplitterEx(std::intptr_t splitter) {
  std::int32_t result = splitter == -1 ? 1 : 0;
  while (SplitterExRecord* record =
             splitter == -1 ? (Splitters().empty() ? nullptr : &Splitters().front()) : FindSplitter(splitter)) {
    EndDrag(*record);
    HWND window = record->Window;
    HWND gripper = record->Gripper;
    HWND parent = IsWindow(window) ? GetParent(window) : nullptr;
    for (HWND pane : {record->First, record->Second})
      if (pane != nullptr && IsWindow(pane)) SetParent(pane, parent);
    record->First = record->Second = nullptr;
    if (gripper != nullptr) FreePanelEx(reinterpret_cast<std::intptr_t>(gripper));
    FreePanelEx(reinterpret_cast<std::intptr_t>(window));
    Splitters().remove_if([record](const SplitterExRecord& r) { return &r == record; });
    if (splitter != -1) {
      result = 1;
      break;
    }
  }
  return result;
}
