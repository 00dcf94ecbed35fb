#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/image_effects.h"
#include "veloui/skins/panelex/panelex.h"
#include "veloui/skins/panelex/panelex_free.h"
#include "veloui/skins/panelex/panelex_records.h"

namespace {
PanelExPageRecord* FirstPageOf(HWND panelWindow) {
  for (PanelExPageRecord& page : PanelExPages())
    if (page.PanelWindow == panelWindow) return &page;
  return nullptr;
}

void ForgetCurrent(const PanelExRecord* panel, const PanelExPageRecord* page) {
  PanelExState& state = PanelEx();
  if (page != nullptr && state.CurrentPageRecord == page) state.CurrentPageRecord = nullptr;
  if (panel != nullptr && state.CurrentPanel == panel) state.CurrentPanel = nullptr;
}

// The caller holds the PanelEx lock.
void DropPageRecord(PanelExPageRecord* page) {
  if (page->ImageList != nullptr) ImageList_Destroy(page->ImageList);
  if (page->BackgroundImage != 0) FreeImageStoreEntry(page->BackgroundImage);
  ForgetCurrent(nullptr, page);
  for (PanelExRecord& panel : PanelExPanels())
    if (panel.CurrentPage == page) panel.CurrentPage = nullptr;
  PanelExPages().remove_if([page](const PanelExPageRecord& record) { return &record == page; });
}

void DeleteBuffers(PanelExRecord& panel) {
  if (panel.BufferDC != nullptr) DeleteDC(panel.BufferDC);
  if (panel.BufferBitmap != nullptr) DeleteObject(panel.BufferBitmap);
  if (panel.AlphaDC != nullptr) DeleteDC(panel.AlphaDC);
  if (panel.AlphaBitmap != nullptr) DeleteObject(panel.AlphaBitmap);
  panel.BufferDC = nullptr;
  panel.BufferBitmap = panel.BufferImage = panel.AlphaBitmap = nullptr;
  panel.AlphaDC = nullptr;
}

void DropPanelRecord(PanelExRecord* panel) {
  DeleteBuffers(*panel);
  if (panel->ThemeParts != nullptr) ImageList_Destroy(panel->ThemeParts);
  if (PanelEx().CurrentPanelExWindow == panel->Window) PanelEx().CurrentPanelExWindow = nullptr;
  ForgetCurrent(panel, nullptr);
  PanelExPanels().remove_if([panel](const PanelExRecord& record) { return &record == panel; });
}

// Frees one panel; the caller holds the PanelEx lock once, which is released around every
// window destruction (the windows' last messages take it again).
void FreeOnePanel(PanelExRecord* panel) {
  HWND panel_window = panel->Window;
  HWND new_parent = IsWindow(panel_window) ? GetParent(panel_window) : panel->Parent;
  while (PanelExPageRecord* page = FirstPageOf(panel_window)) {
    HWND page_window = page->Window;
    ReparentParams move{page_window, new_parent};
    if (IsWindow(page_window)) EnumChildWindows(page_window, ReparentChildProc, reinterpret_cast<LPARAM>(&move));
    ReleaseToolkitLock(ToolkitLock::PanelEx);
    if (IsWindow(page_window)) DestroyWindow(page_window);
    TakeToolkitLock(ToolkitLock::PanelEx);
    if (IsLivePage(page)) DropPageRecord(page);
  }
  ReleaseToolkitLock(ToolkitLock::PanelEx);
  if (IsWindow(panel_window)) DestroyWindow(panel_window);
  TakeToolkitLock(ToolkitLock::PanelEx);
  if (IsLivePanel(panel)) DropPanelRecord(panel);
}

// The caller holds the PanelEx lock.
void ForgetDestroyedPanel(HWND window) {
  for (PanelExRecord& panel : PanelExPanels())
    if (panel.Window == window) {
      while (PanelExPageRecord* page = FirstPageOf(window)) DropPageRecord(page);
      DropPanelRecord(&panel);
      return;
    }
}
}  // namespace

std::int32_t FreePanelEx(std::intptr_t panel) {
  TakeToolkitLock(ToolkitLock::PanelEx);
  // The brushes of the children that go with the panel go too; the others are made again.
  ClearPanelExBrushCache();
  std::int32_t result = panel == -1 ? 1 : 0;
  while (PanelExRecord* found = panel == -1 ? (PanelExPanels().empty() ? nullptr : &PanelExPanels().front())
                                              : FindPanelExRecord(panel)) {
    FreeOnePanel(found);
    if (panel != -1) {
      result = 1;
      break;
    }
  }
  ReleaseToolkitLock(ToolkitLock::PanelEx);
  return result;
}

void ForgetDestroyedPanelEx(HWND window) {
  HWND scroll_parts[3] = {};
  {
    ToolkitLockGuard guard(ToolkitLock::PanelEx);
    PanelExPageRecord* page = FindPageRecordOfWindow(window);
    if (page == nullptr) {
      ForgetDestroyedPanel(window);
      return;
    }
    // Its panel goes on without it and shows no page until another one is shown.
    scroll_parts[0] = page->HScrollBar;
    scroll_parts[1] = page->VScrollBar;
    scroll_parts[2] = page->SizeBox;
    DropPageRecord(page);
  }
  // They stand in the panel, not in the page, and go with the page all the same.
  for (HWND part : scroll_parts)
    if (part != nullptr && IsWindow(part)) DestroyWindow(part);
}
