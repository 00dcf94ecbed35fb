#include "veloui/skins/explorerbar/explorerbar.h"

#include <algorithm>

#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/ui_colours.h"
#include "veloui/skins/core/skin_records.h"
#include "veloui/menus/animation_thread.h"
#include "veloui/skins/panelex/panelex.h"
#include "veloui/skins/panelex/panelex_records.h"

namespace {
constexpr std::array<const char16_t*, 6> kStates{u"normal",   u"hot",          u"pressed",
                                                 u"selected", u"selected hot", u"selected pressed"};
constexpr UINT_PTR kSettleTimer = 1;
constexpr UINT kSettleMilliseconds = 250;

ToolkitRecordList<ExplorerBarRecord>& Bars() { return ToolkitList<ExplorerBarRecord>(ToolkitListId::ExplorerBar); }
ExplorerBarRecord* FindBar(std::intptr_t bar) { return FindControlRecord(Bars(), bar); }

struct GroupOfWindow {
  ExplorerBarRecord* Bar = nullptr;
  ExplorerBarGroup* Group = nullptr;
};
// The group whose panel, or whose items' page, the window is.
GroupOfWindow FindGroup(HWND window) {
  for (ExplorerBarRecord& bar : Bars())
    for (ExplorerBarGroup& group : bar.Groups)
      if (group.Window == window || group.ItemsPage == window) return {&bar, &group};
  return {};
}

ExplorerBarRecord* FindBarOfPage(HWND page) {
  for (ExplorerBarRecord& bar : Bars())
    if (bar.Page == page) return &bar;
  return nullptr;
}

ExplorerBarGroup* GroupAt(ExplorerBarRecord& bar, std::int32_t index) {
  if (index < 0 || index >= static_cast<std::int32_t>(bar.Groups.size())) return nullptr;
  return &*std::next(bar.Groups.begin(), index);
}

std::int32_t WantedItemsHeight(const ExplorerBarRecord& bar, const ExplorerBarGroup& group) {
  if (group.Collapsed) return 0;
  return bar.GroupPadding.top + static_cast<std::int32_t>(group.Items.size()) * bar.ItemHeight + bar.GroupPadding.bottom;
}

// The row of item k in its items page, less the item padding.
RECT ItemArea(const ExplorerBarRecord& bar, const RECT& page, std::size_t k) {
  const LONG top = bar.GroupPadding.top + static_cast<LONG>(k) * bar.ItemHeight;
  return {page.left + bar.GroupPadding.left + bar.ItemPadding.left, top + bar.ItemPadding.top,
          page.right - bar.GroupPadding.right - bar.ItemPadding.right,
          std::min<LONG>(page.bottom, top + bar.ItemHeight) - bar.ItemPadding.bottom};
}
std::int32_t ItemsHeight(const ExplorerBarGroup& group) {
  RECT place{};
  GetClientRect(group.ItemsPanel, &place);
  return place.bottom;
}

// Stacks the groups, each its header over its items panel as high as that is now (the
// animation thread moves the items panel's bottom edge).
void StackGroups(ExplorerBarRecord& bar) {
  RECT area{};
  GetClientRect(bar.Window, &area);
  std::int32_t top = bar.Margin;
  const std::int32_t width = std::max<std::int32_t>(0, area.right - 2 * bar.Margin);
  for (ExplorerBarGroup& group : bar.Groups) {
    const std::int32_t items = ItemsHeight(group);
    SetWindowPos(group.Window, nullptr, bar.Margin, top, width, bar.HeaderHeight + items, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(group.ItemsPanel, nullptr, 0, bar.HeaderHeight, width, items, SWP_NOZORDER | SWP_NOACTIVATE);
    top += bar.HeaderHeight + items + bar.GroupMargin;
  }
}

// Eases the items panel to its wanted height through the animation thread (which fades its
// page as it goes), or sets it at once.
void Resize(ExplorerBarRecord& bar, ExplorerBarGroup& group) {
  RECT place{};
  GetWindowRect(group.ItemsPanel, &place);
  MapWindowPoints(nullptr, group.Window, reinterpret_cast<POINT*>(&place), 2);
  AnimationRecord request;
  request.Window = group.ItemsPanel;
  request.Left = request.TargetLeft = place.left;
  request.Top = request.TargetTop = place.top;
  request.Right = request.TargetRight = place.right;
  request.Bottom = place.bottom;
  request.TargetBottom = place.top + WantedItemsHeight(bar, group);
  if (request.TargetBottom == request.Bottom) return;
  // The thread ignores a window it is still animating: the bar looks again until it settles.
  SetTimer(bar.Window, kSettleTimer, kSettleMilliseconds, nullptr);
  if (!PostAnimationRequest(request)) {
    SetWindowPos(group.ItemsPanel, nullptr, 0, 0, place.right - place.left, WantedItemsHeight(bar, group),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetPanelExPageAlpha(reinterpret_cast<std::intptr_t>(group.ItemsPanel), 0, 255, 1);
    StackGroups(bar);
  }
}

void SettleGroups(ExplorerBarRecord& bar) {
  bool settled = true;
  for (ExplorerBarGroup& group : bar.Groups) {
    if (ItemsHeight(group) == WantedItemsHeight(bar, group)) continue;
    settled = false;
    Resize(bar, group);
  }
  if (settled) KillTimer(bar.Window, kSettleTimer);
}

void PaintHeader(const ExplorerBarRecord& bar, const ExplorerBarGroup& group, HDC dc) {
  RECT area{};
  GetClientRect(group.Window, &area);
  area.bottom = std::min<LONG>(area.bottom, bar.HeaderHeight);
  const COLORREF behind = PanelExColourBehind(group.Window);
  ToolkitLockGuard guard(ToolkitLock::PanelEx);
  HDC buffer = PanelExBufferDC(reinterpret_cast<std::intptr_t>(group.Window), area.right, area.bottom);
  if (buffer == nullptr) return;
  PaintLookBackground(buffer, area, bar.Group, behind);
  // An open group shows the "selected" looks (their arrow points up).
  const int open = group.Collapsed ? 0 : 3;
  const ControlLook& header = bar.Header[open + (group.HeaderPressed ? 2 : group.HeaderHot ? 1 : 0)];
  PaintLookBackground(buffer, area, header, behind);
  PaintLookText(buffer, PaintLookImage(buffer, area, header), header, group.Title);
  BitBlt(dc, 0, 0, area.right, area.bottom, buffer, 0, 0, SRCCOPY);
}

// The items fade with their page's alpha over the group's background.
void PaintItems(const ExplorerBarRecord& bar, const ExplorerBarGroup& group, HDC dc) {
  RECT area{};
  GetClientRect(group.ItemsPage, &area);
  const COLORREF behind = PanelExColourBehind(group.Window);
  ToolkitLockGuard guard(ToolkitLock::PanelEx);
  const PanelExPageRecord* page = FindPageRecordOfWindow(group.ItemsPage);
  const std::uint16_t alpha = page != nullptr ? page->Alpha : 255;
  HDC buffer = PanelExBufferDC(reinterpret_cast<std::intptr_t>(group.ItemsPanel), area.right, area.bottom);
  if (buffer == nullptr) return;
  PaintLookBackground(buffer, area, bar.Group, behind);
  for (std::size_t k = 0; k < group.Items.size(); ++k) {
    const ControlLook& item = bar.Item[static_cast<std::int32_t>(k) == group.HotItem ? 1 : 0];
    const RECT item_area = ItemArea(bar, area, k);
    if (item_area.top >= area.bottom) break;
    PaintLookBackground(buffer, item_area, item);
    PaintLookText(buffer, PaintLookImage(buffer, item_area, item), item, group.Items[k]);
  }
  if (alpha >= 255) {
    BitBlt(dc, 0, 0, area.right, area.bottom, buffer, 0, 0, SRCCOPY);
    return;
  }
  PaintLookBackground(dc, area, bar.Group, behind);
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(alpha), 0};
  GdiAlphaBlend(dc, 0, 0, area.right, area.bottom, buffer, 0, 0, area.right, area.bottom, blend);
}

LRESULT OnHeaderMouse(ExplorerBarRecord& bar, ExplorerBarGroup& group, UINT message) {
  switch (message) {
    case WM_MOUSEMOVE: {
      TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, group.Window, 0};
      TrackMouseEvent(&track);
      group.HeaderHot = true;
      break;
    }
    case WM_MOUSELEAVE:
      group.HeaderHot = group.HeaderPressed = false;
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      group.HeaderPressed = true;
      break;
    case WM_LBUTTONUP:
      if (group.HeaderPressed) {
        group.Collapsed = !group.Collapsed;
        Resize(bar, group);
      }
      group.HeaderPressed = false;
      break;
    default:
      break;
  }
  InvalidateRect(group.Window, nullptr, FALSE);
  return 0;
}

LRESULT OnItemsMouse(const ExplorerBarRecord& bar, ExplorerBarGroup& group, UINT message, LPARAM lParam) {
  if (message == WM_MOUSEMOVE) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, group.ItemsPage, 0};
    TrackMouseEvent(&track);
    const std::int32_t y = static_cast<short>(HIWORD(lParam)) - bar.GroupPadding.top;
    const std::int32_t index = y < 0 ? -1 : y / std::max(1, bar.ItemHeight);
    group.HotItem = index < static_cast<std::int32_t>(group.Items.size()) ? index : -1;
  } else {
    group.HotItem = -1;
  }
  InvalidateRect(group.ItemsPage, nullptr, FALSE);
  return 0;
}

LRESULT PaintWith(HWND window, const ExplorerBarRecord& bar, const ExplorerBarGroup& group,
                  void (*paint)(const ExplorerBarRecord&, const ExplorerBarGroup&, HDC)) {
  PAINTSTRUCT sheet;
  HDC dc = BeginPaint(window, &sheet);
  if (dc != nullptr) paint(bar, group, dc);
  EndPaint(window, &sheet);
  return 0;
}

void DropBar(const ExplorerBarRecord* bar) {
  Bars().remove_if([bar](const ExplorerBarRecord& record) { return &record == bar; });
}
}  // namespace

std::intptr_t CreateExplorerBar(std::intptr_t id, HWND parent, std::int32_t x, std::int32_t y, std::int32_t width,
                                std::int32_t height, std::uint32_t style, ControlSkin skin) {
  HWND container = PanelEx().CurrentPanelExWindow;
  const std::intptr_t number = CreatePanelEx(id, parent, x, y, width, height);
  HWND window = GetPanelExWindow(number);
  HWND page = window != nullptr ? AddPanelExPage() : nullptr;
  PanelEx().CurrentPanelExWindow = container;
  if (window == nullptr) return 0;
  ExplorerBarRecord& bar = Bars().emplace_back();
  bar.Id = number;
  bar.Window = window;
  bar.Page = page;
  bar.Style = style;
  SubclassControl(window, ExplorerBarWindowProc);
  if (page != nullptr) SubclassControl(page, ExplorerBarPageProc);
  const TextView builtin = (style & kExplorerBarOffice2007) != 0 ? u"office2007xbarskin" : u"sysxbarskin";
  LoadExplorerBarSkin(number, skin != 0 ? skin : BuiltInControlSkin(builtin));
  return number;
}

std::int32_t LoadExplorerBarSkin(std::intptr_t bar, ControlSkin skin) {
  ExplorerBarRecord* record = FindBar(bar);
  if (record == nullptr) return 0;
  record->Skin = skin;
  SelectSkinRecord(skin, 1);
  record->Bar = ReadControlLook(skin, u"explorerbar", u"normal");
  record->Group = ReadControlLook(skin, u"explorerbar", u"normal", u"group ");
  for (std::size_t k = 0; k < kStates.size(); ++k)
    record->Header[k] = ReadControlLook(skin, u"explorerbar group header", kStates[k]);
  for (std::size_t k = 0; k < record->Item.size(); ++k)
    record->Item[k] = ReadControlLook(skin, u"explorerbar group item", kStates[k]);
  record->Margin = ReadSkinNumber(skin, u"explorerbar", u"normal", u"margin", 8);
  record->GroupMargin = ReadSkinNumber(skin, u"explorerbar", u"normal", u"group margin", 8);
  record->HeaderHeight = std::max(1, ReadSkinNumber(skin, u"explorerbar", u"normal", u"header height", 20));
  record->ItemHeight = std::max(1, ReadSkinNumber(skin, u"explorerbar", u"normal", u"item height", 22));
  record->GroupPadding = ReadSkinPadding(skin, u"explorerbar", u"normal", u"group padding");
  record->ItemPadding = ReadSkinPadding(skin, u"explorerbar", u"normal", u"item padding");
  {
    ToolkitLockGuard guard(ToolkitLock::PanelEx);
    if (PanelExRecord* panel = FindPanelExRecord(record->Id)) panel->Background = record->Bar.Background;
  }
  for (ExplorerBarGroup& group : record->Groups)
    SetWindowPos(group.ItemsPanel, nullptr, 0, 0, 0, WantedItemsHeight(*record, group), SWP_NOMOVE | SWP_NOZORDER);
  StackGroups(*record);
  RedrawWindow(record->Window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  return 1;
}

std::int32_t AddExplorerBarGroup(std::intptr_t bar, const Text& title) {
  ExplorerBarRecord* record = FindBar(bar);
  if (record == nullptr || record->Page == nullptr) return -1;
  HWND container = PanelEx().CurrentPanelExWindow;
  HWND window = GetPanelExWindow(CreatePanelEx(-1, record->Page, 0, 0, 0, record->HeaderHeight));
  HWND items = window != nullptr ? GetPanelExWindow(CreatePanelEx(-1, window, 0, record->HeaderHeight, 0, 0)) : nullptr;
  HWND items_page = items != nullptr ? AddPanelExPage() : nullptr;
  PanelEx().CurrentPanelExWindow = container;
  if (items_page == nullptr) {
    if (window != nullptr) FreePanelEx(reinterpret_cast<std::intptr_t>(window));
    return -1;
  }
  ExplorerBarGroup& group = record->Groups.emplace_back();
  group.Window = window;
  group.ItemsPanel = items;
  group.ItemsPage = items_page;
  group.Title = title;
  SubclassControl(window, ExplorerBarGroupProc);
  SubclassControl(items_page, ExplorerBarGroupProc);
  StackGroups(*record);
  return static_cast<std::int32_t>(record->Groups.size()) - 1;
}

std::int32_t AddExplorerBarItem(std::intptr_t bar, std::int32_t group, const Text& text) {
  ExplorerBarRecord* record = FindBar(bar);
  ExplorerBarGroup* found = record != nullptr ? GroupAt(*record, group) : nullptr;
  if (found == nullptr) return -1;
  found->Items.push_back(text);
  if (!found->Collapsed) {
    SetWindowPos(found->ItemsPanel, nullptr, 0, 0, 0, WantedItemsHeight(*record, *found), SWP_NOMOVE | SWP_NOZORDER);
    StackGroups(*record);
  }
  return static_cast<std::int32_t>(found->Items.size()) - 1;
}

std::int32_t SetExplorerBarGroupCollapsed(std::intptr_t bar, std::int32_t group, std::int32_t collapsed) {
  ExplorerBarRecord* record = FindBar(bar);
  ExplorerBarGroup* found = record != nullptr ? GroupAt(*record, group) : nullptr;
  if (found == nullptr) return 0;
  found->Collapsed = collapsed != 0;
  Resize(*record, *found);
  return 1;
}

HWND ExplorerBarGroupWindow(std::intptr_t bar, std::int32_t group) {
  ExplorerBarRecord* record = FindBar(bar);
  const ExplorerBarGroup* found = record != nullptr ? GroupAt(*record, group) : nullptr;
  return found != nullptr ? found->Window : nullptr;
}

ControlSkin ExplorerBarSkin(std::intptr_t bar) {
  const ExplorerBarRecord* record = FindBar(bar);
  return record != nullptr ? record->Skin : 0;
}

LRESULT CALLBACK ExplorerBarWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ExplorerBarRecord* bar = FindBar(reinterpret_cast<std::intptr_t>(window));
  if (bar == nullptr) return CallReplacedProcedure(window, message, wParam, lParam);
  switch (message) {
    case WM_SIZE: {
      const LRESULT result = CallReplacedProcedure(window, message, wParam, lParam);
      StackGroups(*bar);
      return result;
    }
    case WM_TIMER:
      if (wParam != kSettleTimer) break;
      SettleGroups(*bar);
      return 0;
    case kSkinRefreshMessage:
      if (lParam == 0 || static_cast<ControlSkin>(lParam) == bar->Skin) LoadExplorerBarSkin(bar->Id, bar->Skin);
      break;
    case WM_NCDESTROY:
      KillTimer(window, kSettleTimer);
      DropBar(bar);
      break;
    default:
      break;
  }
  return CallReplacedProcedure(window, message, wParam, lParam);
}

// The animation thread tells the bar's page (the items panels' grandparent) of every frame.
LRESULT CALLBACK ExplorerBarPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallReplacedProcedure(window, message, wParam, lParam);
  ExplorerBarRecord* bar = FindBarOfPage(window);
  if (bar == nullptr) return result;
  if (message == WM_SIZE || message == AnimationStepMessage) StackGroups(*bar);
  return result;
}

LRESULT CALLBACK ExplorerBarGroupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const GroupOfWindow found = FindGroup(window);
  if (found.Group == nullptr) return CallReplacedProcedure(window, message, wParam, lParam);
  const bool items = window == found.Group->ItemsPage;
  switch (message) {
    case WM_PAINT:
      return PaintWith(window, *found.Bar, *found.Group, items ? PaintItems : PaintHeader);
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
      return items ? OnItemsMouse(*found.Bar, *found.Group, message, lParam)
                   : OnHeaderMouse(*found.Bar, *found.Group, message);
    case WM_NCDESTROY:
      if (!items) found.Bar->Groups.remove_if([&](const ExplorerBarGroup& group) { return &group == found.Group; });
      break;
    default:
      break;
  }
  return CallReplacedProcedure(window, message, wParam, lParam);
}

std::int32_t FreeExplorerBar(std::intptr_t bar) {
  std::int32_t result = bar == -1 ? 1 : 0;
  while (ExplorerBarRecord* record = bar == -1 ? (Bars().empty() ? nullptr : &Bars().front()) : FindBar(bar)) {
    while (!record->Groups.empty()) {
      HWND group = record->Groups.front().Window;
      FreePanelEx(reinterpret_cast<std::intptr_t>(group));
      if (!record->Groups.empty() && record->Groups.front().Window == group) record->Groups.pop_front();
    }
    FreePanelEx(reinterpret_cast<std::intptr_t>(record->Window));
    DropBar(record);
    if (bar != -1) {
      result = 1;
      break;
    }
  }
  return result;
}
