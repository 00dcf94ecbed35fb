#include "veloui/menus/rebar_extras.h"

#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/menus/host_install.h"
#include "veloui/menus/rebar_backgrounds.h"
#include "veloui/menus/toolbars.h"

namespace {

int BandIndex(const RebarRecord& rebar, std::int32_t bandId) {
  if (bandId < 0) return -1;
  return static_cast<int>(SendMessageW(rebar.Window, RB_IDTOINDEX, static_cast<WPARAM>(bandId), 0));
}

int BandCount(const RebarRecord& rebar) { return static_cast<int>(SendMessageW(rebar.Window, RB_GETBANDCOUNT, 0, 0)); }

// Bands that show the style image (not a background of their own) take `image`, or lose
// the fixed style background when there is none.
void SetStyleBackground(const RebarRecord& rebar, HBITMAP image) {
  for (const RebarBandRecord& band : ToolkitList<RebarBandRecord>(ToolkitListId::RebarBands)) {
    if (band.Rebar != rebar.Window || band.Background != nullptr) continue;
    const int index = BandIndex(rebar, static_cast<std::int32_t>(band.BandId));
    if (index < 0) continue;
    REBARBANDINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = RBBIM_STYLE | RBBIM_BACKGROUND;
    SendMessageW(rebar.Window, RB_GETBANDINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
    info.hbmBack = image;
    info.fStyle = image != nullptr ? (info.fStyle | RBBS_FIXEDBMP) : (info.fStyle & ~static_cast<UINT>(RBBS_FIXEDBMP));
    SendMessageW(rebar.Window, RB_SETBANDINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
  }
}

void RestoreVisualTheme(HWND window) {
  using SetWindowThemeProc = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
  if (UxTheme.Library == nullptr || UxTheme.SetWindowTheme == nullptr) return;
  BoundProc<SetWindowThemeProc>(UxTheme.SetWindowTheme)(window, nullptr, nullptr);
}

}  // namespace

std::int32_t AddRebarBandTo(std::intptr_t rebar, HWND child, const Text& text, int width, int minimumWidth,
                            int height, HBITMAP background, UINT bandStyle) {
  const RebarRecord* record = FindRebarRecord(rebar);
  if (record == nullptr) return -1;
  SetCurrentRebar(record->Id);
  return AddRebarBand(child, text, width, minimumWidth, height, background, bandStyle);
}

std::int32_t SetRebarStyle(std::intptr_t rebar, std::uint32_t style) {
  RebarRecord* record = FindRebarRecord(rebar);
  if (record == nullptr) return 0;
  if (style != UISTYLE_OFFICE2003 && style != UISTYLE_OFFICE2007) style = 0;
  record->Style = style;
  if (style != 0) {
    MarkRebarBackgroundForRendering(style);
    RenderRebarBackgrounds(0);
    SetStyleBackground(*record, RebarBackgroundImage(style));
    SwitchOffVisualTheme(record->Window);
  } else {
    SetStyleBackground(*record, nullptr);
    RestoreVisualTheme(record->Window);
  }
  LayoutRebarBands(GetParent(record->Window));
  RedrawWindow(record->Window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  ForwardRebarMessage(record->Id, 0);
  return 1;
}

RebarHeightProc SetRebarHeightCallback(std::intptr_t rebar, RebarHeightProc procedure) {
  RebarRecord* record = FindRebarRecord(rebar);
  if (record == nullptr) return kNoSuchRebar;
  const RebarHeightProc previous = record->HeightChanged;
  record->HeightChanged = procedure;
  return previous;
}

HWND GetRebarWindow(std::intptr_t rebar) {
  const RebarRecord* record = FindRebarRecord(rebar);
  return record != nullptr ? record->Window : nullptr;
}

std::int32_t ShowRebarBand(std::intptr_t rebar, std::int32_t bandId, bool shown) {
  const RebarRecord* record = FindRebarRecord(rebar);
  if (record == nullptr) return 0;
  const int index = BandIndex(*record, bandId);
  if (index < 0) return 0;
  SendMessageW(record->Window, RB_SHOWBAND, static_cast<WPARAM>(index), shown ? 1 : 0);
  LayoutRebarBands(GetParent(record->Window));
  RedrawWindow(record->Window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  return 1;
}

std::int32_t RemoveRebarBand(std::intptr_t rebar, std::int32_t bandId) {
  const RebarRecord* record = FindRebarRecord(rebar);
  if (record == nullptr) return 0;
  const int index = BandIndex(*record, bandId);
  if (index < 0) return 0;
  SendMessageW(record->Window, RB_DELETEBAND, static_cast<WPARAM>(index), 0);
  ToolkitList<RebarBandRecord>(ToolkitListId::RebarBands).remove_if([&](const RebarBandRecord& band) {
    if (band.Rebar != record->Window || band.BandId != static_cast<UINT>(bandId)) return false;
    if (band.Child != nullptr && IsWindow(band.Child) && IsWindow(record->Parent)) SetParent(band.Child, record->Parent);
    return true;
  });
  return 1;
}

std::int32_t GetRebarBandID(std::intptr_t rebar, int index) {
  const RebarRecord* record = FindRebarRecord(rebar);
  if (record == nullptr || index < 0 || index >= BandCount(*record)) return -1;
  REBARBANDINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = RBBIM_ID;
  if (!SendMessageW(record->Window, RB_GETBANDINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info)))
    return -1;
  return static_cast<std::int32_t>(info.wID);
}

std::int32_t MoveRebarBandTo(std::intptr_t rebar, int from, int to) {
  const RebarRecord* record = FindRebarRecord(rebar);
  if (record == nullptr) return 0;
  const int count = BandCount(*record);
  if (from < 0 || from >= count || to < 0 || to >= count) return 0;
  return SendMessageW(record->Window, RB_MOVEBAND, static_cast<WPARAM>(from), static_cast<LPARAM>(to)) != 0 ? 1 : 0;
}
