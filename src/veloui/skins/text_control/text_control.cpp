#include "veloui/skins/text_control/text_control.h"

#include "veloui/foundation/coded_text.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/skins/control_look/control_look.h"
#include "veloui/skins/panelex/panelex.h"
#include "veloui/skins/panelex/panelex_records.h"

namespace {
constexpr std::int32_t kNoLink = -1;

ToolkitRecordList<TextControlRecord>& TextControls() {
  return ToolkitList<TextControlRecord>(ToolkitListId::TextControls);
}

// The text-control lock guards the list and is held for its lookups alone: painting takes the
// PanelEx lock, and the PanelEx code sends messages to the controls while it holds that one.
// Records change only on the GUI thread, which is the one that goes on using them.
TextControlRecord* FindTextControl(std::intptr_t control) {
  ToolkitLockGuard guard(ToolkitLock::TextControl);
  return FindControlRecord(TextControls(), control);
}

void RemoveTextControl(const TextControlRecord* control) {
  ToolkitLockGuard guard(ToolkitLock::TextControl);
  TextControls().remove_if([control](const TextControlRecord& record) { return &record == control; });
}

HFONT FontOf(const TextControlRecord& control) {
  if (control.Font != nullptr) return control.Font;
  return Toolkit.MenuFont != nullptr ? Toolkit.MenuFont : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// Draws (or with kCodedMeasureOnly measures) the text; the links land in the record.
RECT DrawCaption(TextControlRecord& control, HDC dc, std::uint32_t options) {
  RECT area{};
  GetClientRect(control.Window, &area);
  if ((options & kCodedMeasureOnly) != 0) area.bottom = 0x7FFF;  // lines below the control count too
  CodedTextGlobals& coded = CodedText;
  coded.CurrentTextLinks = &control.Links;
  coded.TextLineSpacing = control.LineSpacing;
  control.Links.clear();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, control.Colour);
  DrawCodedText(dc, control.Caption, area, FontOf(control), options | kCodedTopLeft | kCodedRecordLinks);
  coded.CurrentTextLinks = nullptr;
  coded.TextLineSpacing = 0;
  return area;
}

void Paint(TextControlRecord& control, HDC dc) {
  RECT area{};
  GetClientRect(control.Window, &area);
  ControlLook look;
  look.Background = PanelExColourBehind(control.Window);
  ToolkitLockGuard guard(ToolkitLock::PanelEx);
  HDC buffer = PanelExBufferDC(reinterpret_cast<std::intptr_t>(control.Window), area.right, area.bottom);
  if (buffer == nullptr) return;
  PaintLookBackground(buffer, area, look);
  DrawCaption(control, buffer, 0);
  BitBlt(dc, 0, 0, area.right, area.bottom, buffer, 0, 0, SRCCOPY);
}

std::int32_t LinkAt(const TextControlRecord& control, LPARAM lParam) {
  const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  for (const TextLinkRecord& link : control.Links) {
    const RECT area{link.Left, link.Top, link.Right, link.Bottom};
    if (PtInRect(&area, at)) return link.LinkNumber;
  }
  return kNoLink;
}

// An auto-height control takes the height of its text and tells its page.
void FitHeight(TextControlRecord& control) {
  if ((control.Style & kTextControlAutoHeight) == 0) return;
  HDC dc = CreateCompatibleDC(nullptr);
  const RECT measured = DrawCaption(control, dc, kCodedMeasureOnly);
  DeleteDC(dc);
  RECT area{};
  GetClientRect(control.Window, &area);
  if (measured.bottom - measured.top == area.bottom) return;
  SetWindowPos(control.Window, nullptr, 0, 0, area.right, measured.bottom - measured.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(GetParent(control.Window), kTextControlSizeMessage, 0, reinterpret_cast<LPARAM>(control.Window));
}
}  // namespace

std::intptr_t CreateTextControl(std::intptr_t id, HWND parent, std::int32_t x, std::int32_t y, std::int32_t width,
                                std::int32_t height, const Text& text, std::uint32_t style, HFONT font) {
  HWND container = PanelEx().CurrentPanelExWindow;
  const std::intptr_t number = CreatePanelEx(id, parent, x, y, width, height);
  PanelEx().CurrentPanelExWindow = container;
  HWND window = GetPanelExWindow(number);
  if (window == nullptr) return 0;
  {
    ToolkitLockGuard guard(ToolkitLock::TextControl);
    TextControlRecord& control = TextControls().emplace_back();
    control.Id = number;
    control.Window = window;
    control.Caption = text;
    control.Colour = GetSysColor(COLOR_BTNTEXT);
    control.Font = font;
    control.Style = style;
  }
  SubclassControl(window, TextControlWindowProc);
  SetTextControlText(number, text);
  return number;
}

std::int32_t SetTextControlText(std::intptr_t control, const Text& text) {
  TextControlRecord* record = FindTextControl(control);
  if (record == nullptr) return 0;
  record->Caption = text;
  FitHeight(*record);
  InvalidateRect(record->Window, nullptr, FALSE);
  return 1;
}

LRESULT CALLBACK TextControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TextControlRecord* control = FindTextControl(reinterpret_cast<std::intptr_t>(window));
  if (control == nullptr) return CallReplacedProcedure(window, message, wParam, lParam);
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      if (dc != nullptr) Paint(*control, dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_MOUSEMOVE:
      control->HotLink = LinkAt(*control, lParam);
      break;
    case WM_SETCURSOR:
      if (control->HotLink != kNoLink && Toolkit.HandCursor != nullptr) {
        SetCursor(Toolkit.HandCursor);
        return TRUE;
      }
      break;
    case WM_LBUTTONUP:
      if (const std::int32_t link = LinkAt(*control, lParam); link != kNoLink)
        SendMessageW(GetParent(window), kTextControlLinkMessage, static_cast<WPARAM>(link),
                     reinterpret_cast<LPARAM>(window));
      return 0;
    case WM_NCDESTROY:
      RemoveTextControl(control);
      break;
    default:
      break;
  }
  return CallReplacedProcedure(window, message, wParam, lParam);
}

std::int32_t FreeTextControl(std::intptr_t control) {
  std::int32_t result = control == -1 ? 1 : 0;
  for (;;) {
    TextControlRecord* record = nullptr;
    if (control != -1) {
      record = FindTextControl(control);
    } else {
      ToolkitLockGuard guard(ToolkitLock::TextControl);
      record = TextControls().empty() ? nullptr : &TextControls().front();
    }
    if (record == nullptr) break;
    HWND window = record->Window;
    // The window gets its previous procedure back before the record goes.
    if (IsWindow(window) && reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)) == TextControlWindowProc)
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ReplacedProcedure(window)));
    RemoveTextControl(record);
    FreePanelEx(reinterpret_cast<std::intptr_t>(window));
    if (control != -1) {
      result = 1;
      break;
    }
  }
  return result;
}
