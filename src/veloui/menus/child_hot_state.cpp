// The hot state and Office-style look of a combo box embedded in a skinned toolbar.
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/foundation/style_images.h"
#include "veloui/menus/child_subclass.h"
#include "veloui/menus/style_fill.h"
#include "veloui/menus/toolbars.h"
#include "veloui/foundation/core/ui_colour_ids.h"

namespace {
constexpr std::uint32_t kButtonHot = 1;
constexpr std::uint32_t kButtonDropped = 2;
constexpr UINT kGadgetRepaint = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW;  // 0x385
constexpr std::uint32_t kButtonBlitOptions = 0x11000;
// Inner margins of the edit field inside the toolkit's frame.
constexpr int kEditLeft = 5;
constexpr int kEditTop = 3;
constexpr int kEditBottom = 1;
constexpr int kEditRight = 13;
constexpr int kDropButtonWidth = 12;
constexpr UINT kMoveOnly = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
constexpr UINT kSizeOnly = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;

ToolbarButtonRecord* ButtonOfGadget(HWND gadget) {
  for (ToolbarButtonRecord& button : ToolkitList<ToolbarButtonRecord>(ToolkitListId::ToolbarButtons))
    if (button.GadgetWindow == gadget && gadget != nullptr) return &button;
  return nullptr;
}

void RepaintGadget(const ToolbarButtonRecord& button) {
  RECT area{};
  GetWindowRect(button.GadgetWindow, &area);
  MapWindowPoints(nullptr, button.ToolbarWindow, reinterpret_cast<POINT*>(&area), 2);
  RedrawWindow(button.ToolbarWindow, &area, nullptr, kGadgetRepaint);
}

void PlaceEditInFrame(HWND combo, const RECT& client) {
  HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
  if (edit == nullptr) return;
  RECT now{};
  GetWindowRect(edit, &now);
  MapWindowPoints(nullptr, combo, reinterpret_cast<POINT*>(&now), 2);
  const int width = client.right - kEditLeft - kEditRight;
  const int height = client.bottom - kEditTop - kEditBottom;
  if (now.left != kEditLeft || now.top != kEditTop) SetWindowPos(edit, nullptr, kEditLeft, kEditTop, 0, 0, kMoveOnly);
  if (now.right - now.left != width || now.bottom - now.top != height)
    SetWindowPos(edit, nullptr, 0, 0, width, height, kSizeOnly);
}

LRESULT PaintEmbeddedCombo(HWND combo, std::uint32_t style, std::uint32_t flags, WNDPROC previous) {
  RECT client{};
  GetClientRect(combo, &client);
  PlaceEditInFrame(combo, client);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(combo, &paint);
  const auto border = reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(GetUIColour(style, UIColour::menuhotborder, kUIColourBrush)));
  if (border != nullptr) FrameRect(dc, &client, border);
  const RECT button{client.right - kDropButtonWidth - 1, client.top + 1, client.right - 1, client.bottom - 1};
  const bool dropped = (flags & kButtonDropped) != 0 || SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0;
  if (dropped) {
    PaintStyleBackground(dc, style, UIColour::selectgradientcolor1, button, kButtonBlitOptions);
  } else if ((flags & kButtonHot) != 0) {
    PaintStyleBackground(dc, style, UIColour::toolbarhotgradientcolor1, button, kButtonBlitOptions);
  } else {
    FillRect(dc, &button, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  DrawPolygonGlyph(dc, button.left + (button.right - button.left - 5) / 2, button.top + (button.bottom - button.top - 3) / 2,
                   5, 3, RGB(0, 0, 0));
  // The control paints the rest, but not over the toolkit's frame and button.
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, button.left, button.top, button.right, button.bottom);
  HRGN inner = CreateRectRgn(client.left + 1, client.top + 1, client.right - 1, client.bottom - 1);
  ExtSelectClipRgn(dc, inner, RGN_AND);
  DeleteObject(inner);
  if (previous != nullptr && previous != &ChildControlWindowProc)
    CallWindowProcW(previous, combo, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  RestoreDC(dc, saved);
  EndPaint(combo, &paint);
  return 1;
}
}  // namespace

LRESULT TrackChildHotState(HWND window, UINT message, WPARAM, LPARAM, std::int32_t kind) {
  if (kind != ChildKindComboBox && kind != ChildKindComboEdit) return 0;
  HWND gadget = kind == ChildKindComboBox ? window : GetParent(window);
  ToolbarButtonRecord* button = ButtonOfGadget(gadget);
  if (button == nullptr) return 0;
  switch (message) {
    case WM_MOUSEMOVE: {
      // Every part the mouse crosses asks for its leave: the combo's own button is no child
      // window, so a mouse that came in over the edit field leaves through the combo itself.
      TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window, 0};
      TrackMouseEvent(&track);
      if ((button->Flags & kButtonHot) == 0) {
        button->Flags |= kButtonHot;
        RepaintGadget(*button);
      }
      return 0;
    }
    case WM_MOUSELEAVE: {
      POINT cursor{};
      GetCursorPos(&cursor);
      HWND under = WindowFromPoint(cursor);
      if (under != gadget && !IsChild(gadget, under)) {
        button->Flags &= ~kButtonHot;
        RepaintGadget(*button);
      }
      return 0;
    }
    case WM_PAINT: {
      if (kind != ChildKindComboBox) return 0;
      const ToolbarRecord* toolbar = FindToolbarRecord(reinterpret_cast<std::intptr_t>(button->ToolbarWindow));
      if (toolbar == nullptr || !IsOfficeStyle(toolbar->Style)) return 0;
      const auto record = FindChildRecord(window);
      return PaintEmbeddedCombo(window, toolbar->Style, button->Flags, record ? record->PreviousProcedure : nullptr);
    }
    default:
      return 0;
  }
}
