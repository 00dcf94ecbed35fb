#include "veloui/menus/rebar_layout.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "runtime/portable/files.h"
#include "veloui/menus/core/rebar_layout_rules.h"
#include "veloui/menus/rebars.h"
#include "veloui/menus/toolbars.h"

namespace {

// A path the file system can take: no control characters, none of <>"|?*, and a colon only
// after a drive letter.
bool IsValidFileName(const Text& file) {
  if (file.empty() || file.back() == u'\\' || file.back() == u'/') return false;
  for (std::size_t k = 0; k < file.size(); ++k) {
    const char16_t c = file[k];
    if (c < 0x20 || c == u'<' || c == u'>' || c == u'"' || c == u'|' || c == u'?' || c == u'*') return false;
    if (c == u':' && k != 1) return false;
  }
  return true;
}

REBARBANDINFOW BandInfo(HWND rebar, int index, UINT mask) {
  REBARBANDINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = mask;
  SendMessageW(rebar, RB_GETBANDINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
  return info;
}

// A toolbar in a band may have wrapped into more rows than the band was made for.
void RefitToolbarRows(HWND rebar) {
  const auto count = static_cast<int>(SendMessageW(rebar, RB_GETBANDCOUNT, 0, 0));
  for (int index = 0; index < count; ++index) {
    REBARBANDINFOW info = BandInfo(rebar, index, RBBIM_CHILD | RBBIM_CHILDSIZE);
    ToolbarRecord* toolbar = info.hwndChild != nullptr ? FindToolbarRecord(reinterpret_cast<std::intptr_t>(info.hwndChild)) : nullptr;
    if (toolbar == nullptr) continue;
    const int rows = std::max(1, static_cast<int>(SendMessageW(toolbar->Window, TB_GETROWS, 0, 0)));
    const UINT buttonHeight = HIWORD(static_cast<DWORD>(SendMessageW(toolbar->Window, TB_GETBUTTONSIZE, 0, 0)));
    toolbar->Rows = rows;
    if (buttonHeight == 0) continue;
    info.fMask = RBBIM_CHILDSIZE;
    info.cyMinChild = static_cast<UINT>(rows) * buttonHeight;
    info.cyChild = info.cyMinChild;
    SendMessageW(rebar, RB_SETBANDINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
  }
}

}  // namespace

std::int32_t SaveRebarLayout(std::intptr_t rebar, const Text& file) {
  const RebarRecord* record = FindRebarRecord(rebar);
  if (record == nullptr || !IsValidFileName(file)) return 0;
  std::vector<BandLayoutEntry> bands;
  const auto count = static_cast<int>(SendMessageW(record->Window, RB_GETBANDCOUNT, 0, 0));
  for (int index = 0; index < count; ++index) {
    const REBARBANDINFOW info = BandInfo(record->Window, index, RBBIM_ID | RBBIM_SIZE | RBBIM_STYLE);
    bands.push_back({info.wID, info.cx, info.fStyle, index});
  }
  return ReplaceFileContents(file, WriteBandLayout(bands)) ? 1 : 0;
}

std::int32_t LoadRebarLayout(std::intptr_t rebar, const Text& file) {
  const RebarRecord* record = FindRebarRecord(rebar);
  std::string document;
  if (record == nullptr || !ReadWholeFile(file, document)) return 0;
  std::vector<BandLayoutEntry> bands;
  if (!ReadBandLayout(document, bands)) return 0;
  HWND window = record->Window;
  const auto count = static_cast<int>(SendMessageW(window, RB_GETBANDCOUNT, 0, 0));
  SendMessageW(window, WM_SETREDRAW, FALSE, 0);
  for (const BandLayoutEntry& band : bands) {
    const auto from = static_cast<int>(SendMessageW(window, RB_IDTOINDEX, band.Id, 0));
    if (from < 0 || count == 0) continue;
    const int to = std::min(band.Position, count - 1);
    if (from != to) SendMessageW(window, RB_MOVEBAND, static_cast<WPARAM>(from), static_cast<LPARAM>(to));
    REBARBANDINFOW info = BandInfo(window, to, RBBIM_STYLE);
    // The fixed background belongs to the rebar's style image, not to the file.
    info.fMask = RBBIM_SIZE | RBBIM_STYLE;
    info.fStyle = (band.Style & ~static_cast<UINT>(RBBS_FIXEDBMP)) | (info.fStyle & RBBS_FIXEDBMP);
    info.cx = band.Width;
    SendMessageW(window, RB_SETBANDINFOW, static_cast<WPARAM>(to), reinterpret_cast<LPARAM>(&info));
  }
  RefitToolbarRows(window);
  SendMessageW(window, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  ForwardRebarMessage(record->Id, 0);
  return 1;
}
