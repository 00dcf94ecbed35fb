#include "veloui/skins/panelex/panelex_records.h"

PanelExState& PanelEx() {
  static PanelExState state;
  return state;
}

ToolkitRecordList<PanelExRecord>& PanelExPanels() { return ToolkitList<PanelExRecord>(ToolkitListId::PanelExPanels); }
ToolkitRecordList<PanelExPageRecord>& PanelExPages() {
  return ToolkitList<PanelExPageRecord>(ToolkitListId::PanelExPages);
}
ToolkitRecordList<PanelExBrushCacheEntry>& PanelExBrushCache() {
  return ToolkitList<PanelExBrushCacheEntry>(ToolkitListId::PanelExBrushCache);
}

PanelExRecord* FindPanelExRecord(std::intptr_t panel) {
  if (panel == 0) return nullptr;
  for (PanelExRecord& record : PanelExPanels())
    if (record.Id == panel || reinterpret_cast<std::intptr_t>(record.Window) == panel) return &record;
  return nullptr;
}

PanelExPageRecord* FindPanelExPageRecord(HWND panelWindow, std::intptr_t page) {
  for (PanelExPageRecord& record : PanelExPages())
    if (record.PanelWindow == panelWindow &&
        (record.Index == page || reinterpret_cast<std::intptr_t>(record.Window) == page))
      return &record;
  return nullptr;
}

PanelExPageRecord* FindPageRecordOfWindow(HWND pageWindow) {
  if (pageWindow == nullptr) return nullptr;
  for (PanelExPageRecord& record : PanelExPages())
    if (record.Window == pageWindow) return &record;
  return nullptr;
}

bool IsLivePanel(const PanelExRecord* panel) {
  for (const PanelExRecord& record : PanelExPanels())
    if (&record == panel) return true;
  return false;
}

bool IsLivePage(const PanelExPageRecord* page) {
  for (const PanelExPageRecord& record : PanelExPages())
    if (&record == page) return true;
  return false;
}

void ClearPanelExBrushCache() {
  for (const PanelExBrushCacheEntry& entry : PanelExBrushCache())
    if (entry.Brush != nullptr) DeleteObject(entry.Brush);
  PanelExBrushCache().clear();
}

void MakePageCurrent(PanelExPageRecord* page) {
  PanelExState& state = PanelEx();
  state.CurrentPageRecord = page;
  state.CurrentPanel = nullptr;
  if (page == nullptr) return;
  for (PanelExRecord& record : PanelExPanels())
    if (record.Window == page->PanelWindow) {
      state.CurrentPanel = &record;
      return;
    }
}
