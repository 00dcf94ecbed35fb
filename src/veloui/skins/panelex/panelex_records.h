#pragma once
// The records of PanelEx panels and pages, the brush cache of their child controls and the
// module's own state. Every record lives in the toolkit's lists and is guarded by the
// PanelEx lock; "current" panel and page stand for the lists' current elements, which the
// callers of the current-page routines set while they hold that lock.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "veloui/foundation/core/image_store.h"
#include "veloui/foundation/core/toolkit_registry.h"

struct PanelExPageRecord;

struct PanelExRecord {
  std::intptr_t Id = 0;
  HWND Window = nullptr;
  PanelExPageRecord* CurrentPage = nullptr;
  HDC BufferDC = nullptr;
  HBITMAP BufferBitmap = nullptr;  // a 32-bit DIB section selected into BufferDC
  HBITMAP BufferImage = nullptr;   // the panel's 32-bit paint buffer: BufferBitmap, or none
  HWND Parent = nullptr;
  COLORREF Background = CLR_INVALID;  // CLR_INVALID: the system's button face
  std::uint32_t Options = 0;
  std::int32_t PageCount = 0;
  HDC AlphaDC = nullptr;  // the buffer a page below opaque is blended into
  HBITMAP AlphaBitmap = nullptr;
  // The theme's parts the panel paints with (kThemePartPageBody: behind a page that has no
  // background of its own); nullptr without visual styles.
  HIMAGELIST ThemeParts = nullptr;
};
constexpr int kThemePartPageBody = 0;

struct PanelExPageRecord {
  std::int32_t Index = 0;
  HWND Window = nullptr;
  HWND PanelWindow = nullptr;
  std::int8_t Shown = 0;
  HIMAGELIST ImageList = nullptr;  // its first image is tiled over the page's background
  HWND HScrollBar = nullptr;
  std::int32_t HScrollShown = 0;
  HWND VScrollBar = nullptr;
  std::int32_t VScrollShown = 0;
  HWND SizeBox = nullptr;
  std::int32_t AutoScroll = 0;
  std::int32_t NoHorizontal = 0;
  std::int32_t NoVertical = 0;
  std::int32_t HScrollPos = 0;
  std::int32_t VScrollPos = 0;
  std::int32_t ContentLeft = 0, ContentTop = 0, ContentRight = 0, ContentBottom = 0;
  ImageStoreHandle BackgroundImage = 0;  // its "normal" state is drawn over the whole page
  std::uint16_t Alpha = 255;
  COLORREF Background = CLR_INVALID;  // CLR_INVALID: the panel's own background
  std::uint32_t ScrollOptions = 0;    // the scroll flag bits set on the page
};

struct PanelExBrushCacheEntry {
  HWND Child = nullptr;
  COLORREF Colour = 0;
  HBRUSH Brush = nullptr;
};

// The parameter block of ScrollChildProc.
struct ChildScrollParams {
  HWND Parent = nullptr;
  std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  std::int32_t Mode = 0;  // 0 measure, 1 move
};
constexpr std::int32_t kChildScrollMeasure = 0;
constexpr std::int32_t kChildScrollMove = 1;

struct PanelExState {
  PanelExRecord* CurrentPanel = nullptr;
  PanelExPageRecord* CurrentPageRecord = nullptr;
  // The panel the next created control or page goes into.
  HWND CurrentPanelExWindow = nullptr;
  // The text alpha repair's scratch image: grown when a text needs more room, never shrunk.
  HBITMAP PanelExTextImage = nullptr;
  std::uint32_t* PanelExTextPixels = nullptr;
  std::int32_t PanelExTextImageWidth = 0, PanelExTextImageHeight = 0;
  HRGN RepairRegion = nullptr;
  std::int32_t RepairRight = 0, RepairBottom = 0;
  std::uint8_t PanelExLastAlpha = 0;
};
// Guarded by the PanelEx lock.
PanelExState& PanelEx();

ToolkitRecordList<PanelExRecord>& PanelExPanels();
ToolkitRecordList<PanelExPageRecord>& PanelExPages();
ToolkitRecordList<PanelExBrushCacheEntry>& PanelExBrushCache();

// Lookups under the PanelEx lock (the caller holds it): by id or window; nullptr when none.
PanelExRecord* FindPanelExRecord(std::intptr_t panel);
// The page of a panel window by index or window.
PanelExPageRecord* FindPanelExPageRecord(HWND panelWindow, std::intptr_t page);
PanelExPageRecord* FindPageRecordOfWindow(HWND pageWindow);
// Whether the record still lives in its list (a pointer remembered across a released lock).
bool IsLivePanel(const PanelExRecord* panel);
bool IsLivePage(const PanelExPageRecord* page);
// Deletes every brush of the brush cache and empties it.
void ClearPanelExBrushCache();
// Makes the page and its panel current; nullptr clears both.
void MakePageCurrent(PanelExPageRecord* page);
