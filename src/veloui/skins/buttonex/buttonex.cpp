#include "veloui/skins/buttonex/buttonex.h"

#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/ui_colours.h"
#include "veloui/skins/core/skin_records.h"
#include "veloui/skins/panelex/panelex.h"
#include "veloui/skins/panelex/panelex_records.h"

namespace {
constexpr std::array<const char16_t*, static_cast<int>(ButtonExState::Count)> kStateNames{
    u"normal", u"hot", u"pressed", u"disabled", u"selected", u"selected hot", u"selected pressed",
    u"inbetween", u"inbetween hot", u"inbetween pressed"};

ToolkitRecordList<ButtonExRecord>& Buttons() { return ToolkitList<ButtonExRecord>(ToolkitListId::ButtonEx); }
ButtonExRecord* FindButton(std::intptr_t button) { return FindControlRecord(Buttons(), button); }

ButtonExState StateOf(const ButtonExRecord& button) {
  if (!IsWindowEnabled(button.Window)) return ButtonExState::Disabled;
  const int base = button.Selected ? 4 : button.Inbetween ? 7 : 0;
  const int twin = button.Pressed ? 2 : button.Hot ? 1 : 0;
  return static_cast<ButtonExState>(base + twin);
}

void ReleaseButtonParts(ButtonExRecord& button) {
  if (button.ToolTip != nullptr && IsWindow(button.ToolTip)) DestroyWindow(button.ToolTip);
  button.ToolTip = nullptr;
  for (HIMAGELIST& list : button.ImageLists) {
    if (list != nullptr) ImageList_Destroy(list);
    list = nullptr;
  }
}

void RemoveButton(const ButtonExRecord* button) {
  Buttons().remove_if([button](const ButtonExRecord& record) { return &record == button; });
}

HWND MakeToolTip(HWND window, const Text& text) {
  HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, window,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
  if (tip == nullptr) return nullptr;
  TOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window;
  tool.uId = reinterpret_cast<UINT_PTR>(window);
  tool.lpszText = const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(text.c_str()));
  SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  return tip;
}

// The skin's icon of a state becomes the state's image; a skin without one leaves none.
void TakeStateImage(HIMAGELIST list, HANDLE image) {
  if (list == nullptr) return;
  ImageList_RemoveAll(list);
  ICONINFO info{};
  if (image == nullptr || GetObjectType(image) == OBJ_BITMAP || !GetIconInfo(static_cast<HICON>(image), &info)) return;
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
  ImageList_ReplaceIcon(list, -1, static_cast<HICON>(image));
}

void Click(ButtonExRecord& button) {
  if ((button.Style & kButtonExThreeState) != 0) {
    const bool was_selected = button.Selected;
    button.Selected = !button.Selected && !button.Inbetween;
    button.Inbetween = was_selected;
  } else if ((button.Style & kButtonExToggle) != 0) {
    button.Selected = !button.Selected;
  }
  const auto id = static_cast<WORD>(button.Id & 0xFFFF);
  SendMessageW(GetParent(button.Window), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button.Window));
}

void Paint(ButtonExRecord& button, HDC dc) {
  RECT area{};
  GetClientRect(button.Window, &area);
  const int state = static_cast<int>(StateOf(button));
  const ControlLook& look = button.Looks[state];
  const COLORREF behind = PanelExColourBehind(button.Window);
  ToolkitLockGuard guard(ToolkitLock::PanelEx);
  HDC buffer = PanelExBufferDC(reinterpret_cast<std::intptr_t>(button.Window), area.right, area.bottom);
  if (buffer == nullptr) return;
  PaintLookBackground(buffer, area, look, behind);
  HIMAGELIST images = button.ImageLists[state < 7 ? state : 0];
  RECT text_area = area;
  if (images != nullptr && ImageList_GetImageCount(images) > 0) {
    int width = 0, height = 0;
    ImageList_GetIconSize(images, &width, &height);
    ImageList_Draw(images, 0, buffer, look.ImagePadding.left, (area.bottom - height) / 2, ILD_TRANSPARENT);
    text_area.left += look.ImagePadding.left + width + look.ImagePadding.right;
  } else {
    text_area = PaintLookImage(buffer, area, look);  // a picture rather than an icon
  }
  PaintLookText(buffer, text_area, look, button.Caption);
  BitBlt(dc, 0, 0, area.right, area.bottom, buffer, 0, 0, SRCCOPY);
}

void TrackLeave(HWND window) {
  TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window, 0};
  TrackMouseEvent(&track);
}

LRESULT OnMouse(ButtonExRecord& button, UINT message, LPARAM lParam) {
  HWND window = button.Window;
  switch (message) {
    case WM_MOUSEMOVE:
      button.Hot = true;
      TrackLeave(window);
      break;
    case WM_MOUSELEAVE:
      button.Hot = false;
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      button.Pressed = true;
      SetCapture(window);
      break;
    case WM_LBUTTONUP: {
      const bool was_pressed = button.Pressed;
      button.Pressed = false;
      if (GetCapture() == window) ReleaseCapture();
      TrackLeave(window);  // the capture ended the tracking
      RECT area{};
      GetClientRect(window, &area);
      const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (was_pressed && PtInRect(&area, at)) Click(button);  // may free the button
      break;
    }
    default:
      break;
  }
  InvalidateRect(window, nullptr, FALSE);
  return 0;
}
}  // namespace

std::intptr_t CreateButtonEx(std::intptr_t id, HWND parent, std::int32_t x, std::int32_t y, std::int32_t width,
                             std::int32_t height, const Text& caption, std::uint32_t style, ControlSkin skin,
                             const Text& toolTip) {
  HWND container = PanelEx().CurrentPanelExWindow;
  const std::intptr_t number = CreatePanelEx(id, parent, x, y, width, height);
  PanelEx().CurrentPanelExWindow = container;
  HWND window = GetPanelExWindow(number);
  if (window == nullptr) return 0;
  ButtonExRecord& button = Buttons().emplace_back();
  button.Id = number;
  button.Window = window;
  button.Caption = caption;
  button.Style = style;
  for (HIMAGELIST& list : button.ImageLists) list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1);
  if (!toolTip.empty()) button.ToolTip = MakeToolTip(window, toolTip);
  SubclassControl(window, ButtonExWindowProc);
  LoadButtonExSkin(number, skin != 0 ? skin : BuiltInControlSkin(u"sysbuttonskin"));
  return number;
}

std::int32_t LoadButtonExSkin(std::intptr_t button, ControlSkin skin) {
  ButtonExRecord* record = FindButton(button);
  if (record == nullptr) return 0;
  record->Skin = skin;
  SelectSkinRecord(skin, 1);
  for (std::size_t state = 0; state < kStateNames.size(); ++state)
    record->Looks[state] = ReadControlLook(skin, u"buttonex", kStateNames[state]);
  for (std::size_t state = 0; state < record->ImageLists.size(); ++state)
    TakeStateImage(record->ImageLists[state], ReadSkinImage(skin, u"buttonex", kStateNames[state], u"image"));
  InvalidateRect(record->Window, nullptr, FALSE);
  return 1;
}

std::int32_t SetButtonExState(std::intptr_t button, std::int32_t state) {
  ButtonExRecord* record = FindButton(button);
  if (record == nullptr || state < kButtonExNormal || state > kButtonExInbetween) return 0;
  record->Selected = state == kButtonExSelected;
  record->Inbetween = state == kButtonExInbetween;
  InvalidateRect(record->Window, nullptr, FALSE);
  return 1;
}

Text ButtonExStateName(std::intptr_t button) {
  const ButtonExRecord* record = FindButton(button);
  return record != nullptr ? Text(kStateNames[static_cast<int>(StateOf(*record))]) : Text();
}

ControlSkin ButtonExSkin(std::intptr_t button) {
  const ButtonExRecord* record = FindButton(button);
  return record != nullptr ? record->Skin : 0;
}

LRESULT CALLBACK ButtonExWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ButtonExRecord* button = FindButton(reinterpret_cast<std::intptr_t>(window));
  if (button == nullptr) return CallReplacedProcedure(window, message, wParam, lParam);
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      if (dc != nullptr) Paint(*button, dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
      return OnMouse(*button, message, lParam);
    case WM_CAPTURECHANGED:
      button->Pressed = false;
      InvalidateRect(window, nullptr, FALSE);
      break;
    case WM_ENABLE:
      InvalidateRect(window, nullptr, FALSE);
      break;
    case WM_SETCURSOR:
      if (const HCURSOR cursor = button->Looks[static_cast<int>(StateOf(*button))].Cursor) {
        SetCursor(cursor);
        return TRUE;
      }
      break;
    case kSkinRefreshMessage:
      if (lParam == 0 || static_cast<ControlSkin>(lParam) == button->Skin) LoadButtonExSkin(button->Id, button->Skin);
      break;
    case WM_NCDESTROY:
      ReleaseButtonParts(*button);
      RemoveButton(button);
      break;
    default:
      break;
  }
  return CallReplacedProcedure(window, message, wParam, lParam);
}

std::int32_t FreeButtonEx(std::intptr_t button) {
  std::int32_t result = button == -1 ? 1 : 0;
  while (ButtonExRecord* record = button == -1 ? (Buttons().empty() ? nullptr : &Buttons().front()) : FindButton(button)) {
    ReleaseButtonParts(*record);
    FreePanelEx(reinterpret_cast<std::intptr_t>(record->Window));
    RemoveButton(record);  // its window's last message may have taken it already
    if (button != -1) {
      result = 1;
      break;
    }
  }
  return result;
}
