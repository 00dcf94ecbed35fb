#include "veloui/menus/rebars.h"

#include "runtime/win32/platform/wide_text.h"
#include "veloui/foundation/core/debug_log.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/menus/core/rebar_layout_rules.h"
#include "veloui/menus/host_install.h"
#include "veloui/menus/rebar_backgrounds.h"
#include "veloui/menus/rebar_drag.h"
#include "veloui/menus/toolbars.h"

namespace {

// Only the low word of creation flags are rebar and common-control styles; the toolkit's
// own bits above it would be window styles (0x1000000 is WS_MAXIMIZE).
constexpr std::uint32_t kWindowStyleBits = 0xFFFF;
constexpr DWORD kRebarWindowStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr UINT kBandInsertMask = RBBIM_STYLE | RBBIM_TEXT | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE |
                                 RBBIM_BACKGROUND | RBBIM_ID | RBBIM_IDEALSIZE | RBBIM_LPARAM;

struct RebarState {
  std::intptr_t CurrentRebar = -1;
  int PendingBandPosition = -2;
};
RebarState Rebars;

ToolkitRecordList<RebarRecord>& RebarList() { return ToolkitList<RebarRecord>(ToolkitListId::Rebars); }
ToolkitRecordList<RebarBandRecord>& BandList() { return ToolkitList<RebarBandRecord>(ToolkitListId::RebarBands); }

bool IsToolbarWindow(HWND window) {
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  return lstrcmpiW(className, TOOLBARCLASSNAMEW) == 0;
}

UINT ChildHeight(HWND child) {
  if (IsToolbarWindow(child)) {
    const UINT buttonHeight = HIWORD(static_cast<DWORD>(SendMessageW(child, TB_GETBUTTONSIZE, 0, 0)));
    if (buttonHeight != 0) return buttonHeight;
  }
  RECT rect{};
  GetWindowRect(child, &rect);
  return static_cast<UINT>(rect.bottom - rect.top);
}

// Windows of this process that may hear of a new bar height: never the desktop, never
// another program's window.
bool MayNotify(HWND window) {
  if (window == nullptr || window == GetDesktopWindow() || !IsWindow(window)) return false;
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process == GetCurrentProcessId();
}

void InstallRebarMouseHookOnce() {
  if (RebarHooks.MouseHook == nullptr) {
    RebarHooks.MouseHook = SetWindowsHookExW(WH_MOUSE, RebarMouseHook, nullptr, GetCurrentThreadId());
  }
}

}  // namespace

RebarRecord* FindRebarRecord(std::intptr_t idOrWindow) {
  for (RebarRecord& rebar : RebarList()) {
    if (rebar.Id == idOrWindow || reinterpret_cast<std::intptr_t>(rebar.Window) == idOrWindow) return &rebar;
  }
  return nullptr;
}

void SetCurrentRebar(std::intptr_t id) { Rebars.CurrentRebar = id; }

void SetPendingRebarBandPosition(int position) { Rebars.PendingBandPosition = position; }

void ResetRebarBuilderState() { Rebars = RebarState{}; }

std::intptr_t CreateRebar(std::intptr_t id, HWND parent, std::int32_t styleSwitch, std::uint32_t flags,
                          std::int32_t /*unused*/) {
  if (id != -1 && FindRebarRecord(id) != nullptr) return 0;
  INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_COOL_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&classes);

  std::uint32_t rebarStyle = (flags & kWindowStyleBits) | CCS_NODIVIDER;
  bool askedBandBorders = false;
  if (styleSwitch != 0 || (flags & UISTYLE_OFFICE2003) != 0) {
    askedBandBorders = (rebarStyle & RBS_BANDBORDERS) != 0;
    rebarStyle &= ~static_cast<std::uint32_t>(RBS_BANDBORDERS);
  }
  const int controlId = id > 0 && id < 0x10000 ? static_cast<int>(id) : 0;
  HWND window = CreateWindowExW(0, REBARCLASSNAMEW, nullptr, rebarStyle | kRebarWindowStyle, 0, 0, 0, 0, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), GetModuleHandleW(nullptr),
                                nullptr);
  if (window == nullptr) return 0;

  RebarRecord record;
  record.Id = id == -1 ? AllocateObjectNumber() : id;
  record.Window = window;
  record.Parent = parent;
  record.Work.cbSize = sizeof(REBARBANDINFOW);
  record.AskedBandBorders = askedBandBorders;
  record.Composited = true;
  if ((flags & UISTYLE_OFFICE2003) != 0) {
    record.Style = UISTYLE_OFFICE2003;
  } else if ((flags & UISTYLE_OFFICE2007) != 0) {
    record.Style = UISTYLE_OFFICE2007;
  }
  RebarRecord& rebar = RebarList().emplace_back(record);
  Rebars.CurrentRebar = rebar.Id;
  SwitchOffVisualTheme(window);

  if (rebar.Style == UISTYLE_OFFICE2003) {
    WriteDebugLog(u"set up rebar #UISTYLE_OFFICE2003 background image buffer!");
    MarkRebarBackgroundForRendering(UISTYLE_OFFICE2003);
    RenderRebarBackgrounds(0);
  } else if (rebar.Style == UISTYLE_OFFICE2007) {
    WriteDebugLog(u"set up rebar #UISTYLE_OFFICE2007 background image buffer!");
    MarkRebarBackgroundForRendering(UISTYLE_OFFICE2007);
    RenderRebarBackgrounds(0);
  }

  REBARINFO bar{};
  bar.cbSize = sizeof(bar);
  bar.fMask = RBIM_IMAGELIST;
  SendMessageW(window, RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&bar));
  InstallRebarMouseHookOnce();
  SetClassLongPtrW(window, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(GetStockObject(HOLLOW_BRUSH)));
  InstallHostWindowProc(parent);
  return id == -1 ? reinterpret_cast<std::intptr_t>(window) : id;
}

std::int32_t AddRebarBand(HWND child, const Text& text, int width, int minimumWidth, int height,
                          HBITMAP background, UINT bandStyle) {
  RebarRecord* rebar = FindRebarRecord(Rebars.CurrentRebar);
  if (rebar == nullptr) return -1;
  RebarBandRecord& band = BandList().emplace_back();
  band.Parent = rebar->Parent;
  band.Rebar = rebar->Window;
  band.Child = child;
  band.BandId = rebar->BandCounter;
  band.Background = background;
  band.Created = true;
  band.BandText = text;

  REBARBANDINFOW& info = rebar->Work;
  const UINT defaultStyle = info.fStyle;
  info.cbSize = sizeof(REBARBANDINFOW);
  info.fMask = kBandInsertMask;
  info.lpText = WideBuffer(band.BandText);
  info.hwndChild = child;
  info.cx = static_cast<UINT>(width);
  info.cxIdeal = static_cast<UINT>(width);
  info.cxMinChild = static_cast<UINT>(minimumWidth);
  info.wID = band.BandId;
  info.lParam = reinterpret_cast<LPARAM>(&band);
  if (bandStyle != 0) info.fStyle = KeepBandStyleBits(bandStyle);
  info.hbmBack = nullptr;
  if (background != nullptr) {
    info.hbmBack = background;
    const LONG_PTR style = GetWindowLongPtrW(rebar->Window, GWL_STYLE);
    SetWindowLongPtrW(rebar->Window, GWL_STYLE, style & ~static_cast<LONG_PTR>(RBS_BANDBORDERS));
  } else if (HBITMAP styleImage = RebarBackgroundImage(rebar->Style); styleImage != nullptr) {
    info.fStyle |= RBBS_FIXEDBMP;
    info.hbmBack = styleImage;
  }
  info.cyMinChild = height != 0 ? static_cast<UINT>(height) : (child != nullptr ? ChildHeight(child) : 0);
  info.cyChild = info.cyMinChild;
  info.cyIntegral = 1;
  info.cyMaxChild = 0;
  if (child != nullptr && IsToolbarWindow(child)) {
    const auto style = static_cast<DWORD>(SendMessageW(child, TB_GETSTYLE, 0, 0));
    SendMessageW(child, TB_SETSTYLE, 0, style | CCS_NODIVIDER | CCS_NORESIZE);
  } else if (child != nullptr && FindRebarRecord(reinterpret_cast<std::intptr_t>(child)) != nullptr) {
    // A rebar aligns itself to the top of its parent across its width whenever it lays itself
    // out; inside a band it must keep the place the band gives it.
    const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
    SetWindowLongPtrW(child, GWL_STYLE, style | CCS_NORESIZE | CCS_NOPARENTALIGN);
  }
  const int position = Rebars.PendingBandPosition >= 0 ? Rebars.PendingBandPosition : -1;
  Rebars.PendingBandPosition = -2;
  const bool inserted = SendMessageW(rebar->Window, RB_INSERTBANDW, static_cast<WPARAM>(position),
                                     reinterpret_cast<LPARAM>(&info)) != 0;
  info.fStyle = defaultStyle;
  if (!inserted) {
    BandList().pop_back();
    return -1;
  }
  return static_cast<std::int32_t>(rebar->BandCounter++);
}

int GetRebarHeight(std::intptr_t idOrWindow) {
  const RebarRecord* rebar = FindRebarRecord(idOrWindow);
  if (rebar == nullptr) return 0;
  return static_cast<int>(SendMessageW(rebar->Window, RB_GETBARHEIGHT, 0, 0));
}

std::int32_t FreeRebar(std::intptr_t id) {
  std::int32_t freed = 0;
  auto& rebars = RebarList();
  for (auto rebar = rebars.begin(); rebar != rebars.end();) {
    if (id != -1 && rebar->Id != id && reinterpret_cast<std::intptr_t>(rebar->Window) != id) {
      ++rebar;
      continue;
    }
    HWND window = rebar->Window;
    HWND parent = rebar->Parent;
    BandList().remove_if([&](const RebarBandRecord& band) {
      if (band.Rebar != window) return false;
      if (IsWindow(window)) {
        const auto index = SendMessageW(window, RB_IDTOINDEX, band.BandId, 0);
        if (index >= 0) SendMessageW(window, RB_DELETEBAND, static_cast<WPARAM>(index), 0);
      }
      if (band.Child != nullptr && IsWindow(band.Child) && IsWindow(parent)) SetParent(band.Child, parent);
      return true;
    });
    if (IsWindow(window)) DestroyWindow(window);
    if (Rebars.CurrentRebar == rebar->Id) Rebars.CurrentRebar = -1;
    rebar = rebars.erase(rebar);
    freed = 1;
  }
  if (rebars.empty()) RemoveRebarHooks();
  return freed;
}

RECT GetRebarBandRect(HWND rebar, int bandIndex) {
  RECT rect{};
  if (rebar == nullptr || !SendMessageW(rebar, RB_GETRECT, static_cast<WPARAM>(bandIndex), reinterpret_cast<LPARAM>(&rect))) {
    return RECT{};
  }
  return rect;
}

void LayoutRebarBands(HWND window) {
  for (RebarRecord& rebar : RebarList()) {
    // The window a rebar sits in now: a rebar put into another's band has that rebar as parent.
    if (!IsWindow(rebar.Window) || GetParent(rebar.Window) != window) continue;
    const auto count = static_cast<int>(SendMessageW(rebar.Window, RB_GETBANDCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
      REBARBANDINFOW info{};
      info.cbSize = sizeof(info);
      info.fMask = RBBIM_STYLE | RBBIM_CHILDSIZE | RBBIM_ID | RBBIM_LPARAM | RBBIM_CHILD;
      if (!SendMessageW(rebar.Window, RB_GETBANDINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info))) continue;
      if (info.hwndChild == nullptr || FindRebarRecord(reinterpret_cast<std::intptr_t>(info.hwndChild)) == nullptr) {
        continue;
      }
      // A rebar nested in a band fills the band's child area and lays out its own bands.
      const RECT band = GetRebarBandRect(rebar.Window, index);
      RECT borders{};
      SendMessageW(rebar.Window, RB_GETBANDBORDERS, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&borders));
      MoveWindow(info.hwndChild, band.left + borders.left, band.top + borders.top,
                 (band.right - borders.right) - (band.left + borders.left),
                 (band.bottom - borders.bottom) - (band.top + borders.top), TRUE);
      LayoutRebarBands(rebar.Window);
    }
  }
}

std::int32_t ForwardRebarMessage(int barHeight) { return ForwardRebarMessage(Rebars.CurrentRebar, barHeight); }

std::int32_t ForwardRebarMessage(std::intptr_t idOrWindow, int barHeight) {
  RebarRecord* rebar = FindRebarRecord(idOrWindow);
  if (rebar == nullptr) return 0;
  if (barHeight == 0) barHeight = static_cast<int>(SendMessageW(rebar->Window, RB_GETBARHEIGHT, 0, 0));
  if (barHeight == rebar->LastBarHeight) return 0;
  rebar->LastBarHeight = barHeight;
  const auto height = static_cast<WPARAM>(barHeight);
  const auto rebarWindow = reinterpret_cast<LPARAM>(rebar->Window);
  if (rebar->HeightChanged != nullptr) rebar->HeightChanged(rebar->Window, kRebarHeightMessage, height, rebarWindow);
  HWND root = GetAncestor(rebar->Window, GA_ROOT);
  HWND parent = GetAncestor(rebar->Window, GA_PARENT);
  if (MayNotify(root)) SendMessageW(root, kRebarHeightMessage, height, rebarWindow);
  if (parent != root && MayNotify(parent)) SendMessageW(parent, kRebarHeightMessage, height, rebarWindow);
  return 0;
}
