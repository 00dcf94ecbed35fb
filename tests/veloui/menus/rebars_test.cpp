// Rebars: styles, the style background, height notices, freeing, band layouts saved and loaded.

#include "menus_fixture.h"
#include "runtime/portable/files.h"
#include "runtime/win32/platform/wide_text.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/menus/child_subclass.h"
#include "veloui/menus/host_install.h"
#include "veloui/menus/host_state.h"
#include "veloui/menus/rebar_backgrounds.h"
#include "veloui/menus/rebar_drag.h"
#include "veloui/menus/rebar_extras.h"
#include "veloui/menus/rebar_layout.h"

namespace {

std::vector<HWND> HeightNoticesTo;
LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRebarHeightMessage) HeightNoticesTo.push_back(window);
  return DefWindowProcW(window, message, wParam, lParam);
}

BOOL CALLBACK NoteWidth(HMONITOR, HDC, LPRECT rect, LPARAM data) {
  int& best = *reinterpret_cast<int*>(data);
  best = std::max(best, static_cast<int>(rect->right - rect->left));
  return TRUE;
}

using RebarTest = MenusTest;

// Only a changed height is told, once to the root and once to the parent (never to the desktop).
TEST_F(RebarTest, HeightChangesReachTheRootAndTheParentOnce) {
  HWND host = MakeWindow();
  HWND panel = MakeChild(L"STATIC", 0, host);
  for (HWND window : {host, panel, Window}) SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc));
  HeightNoticesTo.clear();
  ASSERT_EQ(CreateRebar(6, panel, 0, UISTYLE_OFFICE2003 | 0x600, 0), 6);
  AddRebarBand(nullptr, u"", 100, 50, 30, nullptr, 0);
  ForwardRebarMessage(0);
  EXPECT_EQ(HeightNoticesTo, (std::vector<HWND>{host, panel}));
  const int height = GetRebarHeight(6);
  ForwardRebarMessage(height);
  EXPECT_EQ(HeightNoticesTo.size(), 2u);
  ForwardRebarMessage(height + 10);
  EXPECT_EQ(HeightNoticesTo.size(), 4u);
  FreeRebar(6);

  HeightNoticesTo.clear();
  ResetRebarBuilderState();  // no height noticed yet
  ASSERT_EQ(CreateRebar(7, Window, 0, 0, 0), 7);
  AddRebarBand(nullptr, u"", 100, 50, 30, nullptr, 0);
  ForwardRebarMessage(0);
  EXPECT_EQ(HeightNoticesTo, std::vector<HWND>{Window});
}

// Also: plain band borders, ids taken once, a forced render giving every band the new background,
// freeing giving band children back, and the mouse hook going with the last rebar.
TEST_F(RebarTest, ToolkitStyleBitsNeverBecomeWindowStylesAndTheStyleBackgroundCoversTheWidestMonitor) {
  ASSERT_EQ(CreateRebar(4, Window, 0, UISTYLE_OFFICE2003 | 0x600, 0), 4);
  HWND rebar = GetRebarWindow(4);
  const LONG style = GetWindowLongW(rebar, GWL_STYLE);
  EXPECT_EQ(style & WS_MAXIMIZE, 0);
  EXPECT_EQ(style & RBS_BANDBORDERS, 0);  // asked for, but not with the Office 2003 look
  for (LONG bit : {LONG{RBS_VARHEIGHT}, LONG{CCS_NODIVIDER}, LONG{WS_CHILD}, LONG{WS_CLIPCHILDREN}})
    EXPECT_NE(style & bit, 0) << bit;
  EXPECT_FALSE(IsZoomed(Window));
  ASSERT_EQ(CreateRebar(5, Window, 0, RBS_BANDBORDERS | RBS_VARHEIGHT, 0), 5);
  EXPECT_NE(GetWindowLongW(GetRebarWindow(5), GWL_STYLE) & RBS_BANDBORDERS, 0);
  EXPECT_EQ(CreateRebar(5, Window, 0, 0, 0), 0);

  SetCurrentRebar(4);
  HWND child = MakeChild(L"STATIC", 0);
  ASSERT_EQ(AddRebarBand(child, u"band", 100, 50, 0, nullptr, 0), 0);
  ASSERT_EQ(GetParent(child), rebar);
  HBITMAP before = RebarBackgroundImage(UISTYLE_OFFICE2003);
  ASSERT_NE(before, nullptr);
  BITMAP shape{};
  GetObjectW(before, sizeof(shape), &shape);
  int widest = 0;
  EnumDisplayMonitors(nullptr, nullptr, NoteWidth, reinterpret_cast<LPARAM>(&widest));
  EXPECT_EQ(shape.bmWidth, widest + 4);
  // A horizontal gradient from colour 31 to colour 32.
  const std::vector<std::uint32_t> pixels = PixelsOf(before);
  for (auto [x, id] : {std::pair{0, 31}, {shape.bmWidth - 1, 32}})
    EXPECT_TRUE(NearColour(ColourOf(pixels[10 * shape.bmWidth + x]), GetUIColour(UISTYLE_OFFICE2003, id, kUIColourColorref), 2))
        << id;

  EXPECT_EQ(RenderRebarBackgrounds(1), 1);
  HBITMAP after = RebarBackgroundImage(UISTYLE_OFFICE2003);
  EXPECT_NE(after, before);
  const REBARBANDINFOW band = BandInfo(rebar, 0, RBBIM_BACKGROUND | RBBIM_STYLE | RBBIM_CHILDSIZE);
  EXPECT_EQ(band.hbmBack, after);
  EXPECT_NE(band.fStyle & RBBS_FIXEDBMP, 0u);
  EXPECT_EQ(band.cyMinChild, static_cast<UINT>(HeightOf(child)));

  EXPECT_EQ(FreeRebar(4), 1);
  EXPECT_FALSE(IsWindow(rebar));
  EXPECT_EQ(GetParent(child), Window);
  EXPECT_EQ(FreeRebar(4), 0);
  EXPECT_EQ(GetRebarHeight(4), 0);
  EXPECT_TRUE(ToolkitList<RebarBandRecord>(ToolkitListId::RebarBands).empty());
  EXPECT_NE(RebarHooks.MouseHook, nullptr);
  FreeRebar(5);
  EXPECT_EQ(RebarHooks.MouseHook, nullptr);
}

// Two rebars on one window: each keeps its own last height, and a rebar that moves tells of its
// own height whichever rebar is current.
TEST_F(RebarTest, EachRebarTellsItsOwnHeightChanges) {
  SetWindowLongPtrW(Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc));
  EnsureMenuThreadHooks();  // the window hook subclasses the rebars as they are made
  ASSERT_EQ(CreateRebar(4, Window, 0, RBS_VARHEIGHT, 0), 4);
  AddRebarBand(nullptr, u"", 100, 50, 30, nullptr, 0);
  ASSERT_EQ(CreateRebar(5, Window, 0, RBS_VARHEIGHT, 0), 5);
  AddRebarBand(nullptr, u"", 100, 50, 30, nullptr, 0);
  ASSERT_TRUE(FindChildRecord(GetRebarWindow(4)).has_value());
  SetRebarHeightCallback(4, [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
  HeightNoticesTo.clear();
  ForwardRebarMessage(4, 40);
  ForwardRebarMessage(5, 40);  // the same height, of another rebar
  EXPECT_EQ(HeightNoticesTo.size(), 2u);
  ForwardRebarMessage(4, 40);
  EXPECT_EQ(HeightNoticesTo.size(), 2u);

  // The rebar's own window subclass tells of a resize of rebar 4 while rebar 5 is current.
  static std::vector<LPARAM> Rebars;
  Rebars.clear();
  SetRebarHeightCallback(4, [](HWND, UINT, WPARAM, LPARAM rebar) -> LRESULT { Rebars.push_back(rebar); return 0; });
  SetRebarHeightCallback(5, [](HWND, UINT, WPARAM, LPARAM rebar) -> LRESULT { Rebars.push_back(rebar); return 0; });
  SetCurrentRebar(5);
  SetWindowPos(GetRebarWindow(4), nullptr, 0, 0, 300, 55, SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_FALSE(Rebars.empty());
  for (LPARAM rebar : Rebars) EXPECT_EQ(rebar, reinterpret_cast<LPARAM>(GetRebarWindow(4)));
}

// Restyling or loading a layout into another rebar leaves the current rebar as it was.
TEST_F(RebarTest, RestylingOrLoadingAnotherRebarKeepsTheCurrentRebar) {
  ASSERT_EQ(CreateRebar(4, Window, 0, RBS_VARHEIGHT, 0), 4);
  AddRebarBand(nullptr, u"", 100, 50, 24, nullptr, 0);
  ASSERT_EQ(CreateRebar(5, Window, 0, RBS_VARHEIGHT, 0), 5);  // current
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  const Text file = FromWide(folder) + u"velo_rebar_current_" + DecimalText(GetCurrentProcessId()) + u".xml";
  ASSERT_EQ(SaveRebarLayout(4, file), 1);
  EXPECT_EQ(SetRebarStyle(4, UISTYLE_OFFICE2003), 1);
  EXPECT_EQ(LoadRebarLayout(4, file), 1);
  DeleteFileW(Wide(file));
  AddRebarBand(nullptr, u"", 100, 50, 24, nullptr, 0);
  EXPECT_EQ(SendMessageW(GetRebarWindow(4), RB_GETBANDCOUNT, 0, 0), 1);
  EXPECT_EQ(SendMessageW(GetRebarWindow(5), RB_GETBANDCOUNT, 0, 0), 1);
}

// Rebar 4 of the Office 2003 look with two bands of one row across the test window.
class BandDragTest : public MenusTest {
 protected:
  void SetUp() override {
    MenusTest::SetUp();
    ASSERT_EQ(CreateRebar(4, Window, 0, UISTYLE_OFFICE2003 | 0x600, 0), 4);
    Rebar = GetRebarWindow(4);
    AddRebarBand(nullptr, u"a", 150, 100, 24, nullptr, RBBS_GRIPPERALWAYS);
    AddRebarBand(nullptr, u"b", 150, 100, 24, nullptr, RBBS_GRIPPERALWAYS);
    SendMessageW(Window, WM_SIZE, 0, MAKELPARAM(780, 560));
    MoveWindow(Rebar, 0, 0, 780, GetRebarHeight(4), TRUE);
    ASSERT_EQ(Rows(), 1);
  }
  int Rows() const { return static_cast<int>(SendMessageW(Rebar, RB_GETROWCOUNT, 0, 0)); }
  HWND Rebar = nullptr;
};

TEST_F(BandDragTest, DraggingABandDownStartsARowAndGrowsTheWindow) {
  const int before = HeightOf(Window);
  const int barBefore = GetRebarHeight(4);
  const RECT band = GetRebarBandRect(Rebar, 1);
  MoveRebarBand(Rebar, 1, band.left + 5, band.bottom + (band.bottom - band.top));
  EXPECT_EQ(Rows(), 2);
  EXPECT_NE(BandInfo(Rebar, 1, RBBIM_STYLE).fStyle & RBBS_BREAK, 0u);
  const int grown = GetRebarHeight(4) - barBefore;
  EXPECT_GT(grown, 0);
  EXPECT_EQ(HeightOf(Window), before + grown);
  // Back up: the band joins the first row again; a small move stays in the row.
  const RECT moved = GetRebarBandRect(Rebar, 1);
  MoveRebarBand(Rebar, 1, moved.left + 5, moved.top - (moved.bottom - moved.top));
  EXPECT_EQ(Rows(), 1);
  EXPECT_EQ(HeightOf(Window), before);
  MoveRebarBand(Rebar, 1, moved.left + 5, moved.top + 2);
  EXPECT_EQ(Rows(), 1);
}

// A window reaching past its monitor's work area already is never shrunk by a growing bar, nor
// given a height of 0 or less when it lies below the work area.
TEST_F(BandDragTest, TheWorkAreaCapNeverShrinksTheWindow) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(Window, MONITOR_DEFAULTTONEAREST), &monitor);
  for (const int top : {static_cast<int>(monitor.rcWork.bottom) - 100, static_cast<int>(monitor.rcWork.bottom) + 50}) {
    SCOPED_TRACE(top);
    SetWindowPos(Window, nullptr, 10, top, 800, 600, SWP_NOZORDER | SWP_NOACTIVATE);
    const int before = HeightOf(Window);
    const RECT band = GetRebarBandRect(Rebar, 1);
    MoveRebarBand(Rebar, 1, band.left + 5, band.bottom + (band.bottom - band.top));
    EXPECT_EQ(Rows(), 2);
    EXPECT_EQ(HeightOf(Window), before);
    const RECT moved = GetRebarBandRect(Rebar, 1);
    MoveRebarBand(Rebar, 1, moved.left + 5, moved.top - (moved.bottom - moved.top));
    ASSERT_EQ(Rows(), 1);
  }
}

// The gripper drag through the rebar's mouse hook: a press on a gripper starts it, moving down
// moves the band into a new row with the host's sizing flag on (the window's WM_SIZE sees it),
// and the release ends it and clears the flag.
TEST_F(BandDragTest, TheGripperDragResizesTheWindowWithTheSizingFlagOn) {
  std::vector<bool> sizingAtSize;
  OnTestWindowMessage = [&](UINT message) {
    if (message == WM_SIZE) sizingAtSize.push_back(HostWindows.Sizing);
  };
  RBHITTESTINFO hit{};
  const RECT band = GetRebarBandRect(Rebar, 1);
  for (hit.pt = {band.left, (band.top + band.bottom) / 2}; hit.pt.x < band.right; ++hit.pt.x) {
    if (SendMessageW(Rebar, RB_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) == 1 && hit.flags == RBHT_GRABBER) break;
  }
  ASSERT_EQ(hit.flags, static_cast<UINT>(RBHT_GRABBER));
  const auto mouse = [&](WPARAM message, POINT at) {
    MOUSEHOOKSTRUCT data{at, Rebar, HTCLIENT, 0};
    ClientToScreen(Rebar, &data.pt);
    RebarMouseHook(HC_ACTION, message, reinterpret_cast<LPARAM>(&data));
  };
  mouse(WM_LBUTTONDOWN, hit.pt);
  EXPECT_EQ(RebarHooks.DragRebar, Rebar);
  EXPECT_EQ(RebarHooks.DragBand, 1);
  EXPECT_NE(RebarHooks.CursorHook, nullptr);
  const int before = HeightOf(Window);
  mouse(WM_MOUSEMOVE, POINT{hit.pt.x, band.bottom + (band.bottom - band.top)});
  EXPECT_EQ(Rows(), 2);
  EXPECT_GT(HeightOf(Window), before);
  EXPECT_TRUE(HostWindows.Sizing);
  EXPECT_NE(std::find(sizingAtSize.begin(), sizingAtSize.end(), true), sizingAtSize.end());
  mouse(WM_LBUTTONUP, POINT{hit.pt.x, band.bottom + (band.bottom - band.top)});
  EXPECT_EQ(RebarHooks.DragRebar, nullptr);
  EXPECT_EQ(RebarHooks.CursorHook, nullptr);
  EXPECT_FALSE(HostWindows.Sizing);
  EXPECT_NE(GetCapture(), Rebar);
}

// A gripper drag whose rebar was freed meanwhile (by a command run during the drag) still ends
// with the host's sizing flag cleared.
TEST_F(BandDragTest, AGripperDragWhoseRebarWasFreedStillClearsTheSizingFlag) {
  RBHITTESTINFO hit{};
  const RECT band = GetRebarBandRect(Rebar, 1);
  for (hit.pt = {band.left, (band.top + band.bottom) / 2}; hit.pt.x < band.right; ++hit.pt.x) {
    if (SendMessageW(Rebar, RB_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) == 1 && hit.flags == RBHT_GRABBER) break;
  }
  ASSERT_EQ(hit.flags, static_cast<UINT>(RBHT_GRABBER));
  MOUSEHOOKSTRUCT press{hit.pt, Rebar, HTCLIENT, 0};
  ClientToScreen(Rebar, &press.pt);
  RebarMouseHook(HC_ACTION, WM_LBUTTONDOWN, reinterpret_cast<LPARAM>(&press));
  ASSERT_EQ(RebarHooks.DragRebar, Rebar);
  MOUSEHOOKSTRUCT move = press;
  move.pt.y += 2 * (band.bottom - band.top);
  RebarMouseHook(HC_ACTION, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&move));
  ASSERT_TRUE(HostWindows.Sizing);
  // Another rebar keeps the toolkit's rebar hooks alive while the dragged one is freed.
  ASSERT_NE(CreateRebar(5, Window, 0, UISTYLE_OFFICE2003, 0), 0);
  ASSERT_EQ(FreeRebar(4), 1);
  ASSERT_FALSE(IsWindow(Rebar));
  MOUSEHOOKSTRUCT release{move.pt, Window, HTCLIENT, 0};
  RebarMouseHook(HC_ACTION, WM_LBUTTONUP, reinterpret_cast<LPARAM>(&release));
  EXPECT_EQ(RebarHooks.DragRebar, nullptr);
  EXPECT_EQ(RebarHooks.CursorHook, nullptr);
  EXPECT_FALSE(HostWindows.Sizing);
}

// A toolkit rebar placed in a band of another keeps to its band when it lays itself out again
// (a band added to it): it never snaps to the outer rebar's top across its width, over the first band.
TEST_F(RebarTest, ARebarInAnotherRebarsBandStaysInItsBand) {
  ASSERT_EQ(CreateRebar(4, Window, 0, UISTYLE_OFFICE2003 | RBS_VARHEIGHT, 0), 4);
  HWND outer = GetRebarWindow(4);
  HWND first = MakeChild(L"STATIC", 0);
  ASSERT_EQ(AddRebarBand(first, u"", 200, 150, 24, nullptr, 0), 0);
  ASSERT_EQ(CreateRebar(5, Window, 0, UISTYLE_OFFICE2003 | RBS_VARHEIGHT, 0), 5);
  HWND inner = GetRebarWindow(5);
  ASSERT_EQ(AddRebarBandTo(5, MakeChild(L"STATIC", 0), u"", 120, 80, 24, nullptr, 0), 0);
  ASSERT_EQ(AddRebarBandTo(4, inner, u"", 300, 200, 28, nullptr, 0), 1);
  EXPECT_EQ(GetParent(inner), outer);
  SendMessageW(Window, WM_SIZE, 0, MAKELPARAM(780, 560));
  ASSERT_EQ(AddRebarBandTo(5, MakeChild(L"STATIC", 0), u"", 120, 80, 24, nullptr, 0), 1);
  LayoutRebarBands(Window);
  const RECT firstBand = GetRebarBandRect(outer, 0);
  const RECT secondBand = GetRebarBandRect(outer, 1);
  ASSERT_LT(firstBand.left, firstBand.right);
  RECT placed{};
  GetWindowRect(inner, &placed);
  MapWindowPoints(nullptr, outer, reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_GE(placed.left, secondBand.left);
  EXPECT_LE(placed.right, secondBand.right);
  EXPECT_GE(placed.top, secondBand.top);
  EXPECT_LE(placed.bottom, secondBand.bottom);
  RECT overlap{};
  EXPECT_FALSE(IntersectRect(&overlap, &placed, &firstBand)) << "the first band stays uncovered";
  const auto style = static_cast<DWORD>(GetWindowLongW(inner, GWL_STYLE));
  EXPECT_EQ(style & (CCS_NORESIZE | CCS_NOPARENTALIGN), static_cast<DWORD>(CCS_NORESIZE | CCS_NOPARENTALIGN));
}

// A band added with bits beside the band-style bits keeps only the band-style ones.
TEST_F(RebarTest, AnAddedBandKeepsOnlyItsBandStyleBits) {
  ASSERT_EQ(CreateRebar(4, Window, 0, RBS_VARHEIGHT, 0), 4);
  ASSERT_EQ(AddRebarBand(nullptr, u"a", 150, 100, 24, nullptr, RBBS_GRIPPERALWAYS | 0x40000 | 0x800000), 0);
  EXPECT_EQ(BandInfo(GetRebarWindow(4), 0, RBBIM_STYLE).fStyle & ~static_cast<UINT>(RBBS_FIXEDBMP),
            static_cast<UINT>(RBBS_GRIPPERALWAYS));
}

struct Band { UINT Id, Width, Style; bool operator==(const Band&) const = default; };

// Rebar 4 of three bands, 100, 120 and 140 wide.
class RebarLayoutTest : public MenusTest {
 protected:
  void SetUp() override {
    MenusTest::SetUp();
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    File = FromWide(folder) + u"velo_rebar_layout_" + DecimalText(GetCurrentProcessId()) + u".xml";
    ASSERT_EQ(CreateRebar(4, Window, 0, RBS_VARHEIGHT | RBS_BANDBORDERS, 0), 4);
    MoveWindow(GetRebarWindow(4), 0, 0, 700, 30, TRUE);
    for (int k = 0; k < 3; ++k) ASSERT_EQ(AddRebarBandTo(4, nullptr, u"", 100 + 20 * k, 40, 24, nullptr, 0), k);
  }
  void TearDown() override {
    DeleteFileW(Wide(File));
    MenusTest::TearDown();
  }
  static std::vector<Band> Bands() {
    std::vector<Band> bands;
    for (int k = 0; k < SendMessageW(GetRebarWindow(4), RB_GETBANDCOUNT, 0, 0); ++k) {
      const REBARBANDINFOW info = BandInfo(GetRebarWindow(4), k, RBBIM_ID | RBBIM_SIZE | RBBIM_STYLE);
      bands.push_back({info.wID, info.cx, info.fStyle});
    }
    return bands;
  }
  static void SetBand(int index, UINT width, UINT style) {
    auto info = Sized<REBARBANDINFOW>(RBBIM_SIZE | RBBIM_STYLE);
    info.cx = width;
    info.fStyle = style;
    SendMessageW(GetRebarWindow(4), RB_SETBANDINFOW, index, reinterpret_cast<LPARAM>(&info));
  }
  Text File;
};

TEST_F(RebarLayoutTest, ALoadedLayoutRestoresTheSavedOrderWidthsAndStyles) {
  MoveRebarBandTo(4, 2, 0);
  SetBand(1, 150, RBBS_GRIPPERALWAYS);
  const std::vector<Band> saved = Bands();
  ASSERT_EQ(SaveRebarLayout(4, File), 1);
  MoveRebarBandTo(4, 0, 2);
  SetBand(0, 90, RBBS_NOGRIPPER);
  SetBand(1, 200, 0);
  ASSERT_NE(Bands(), saved);
  EXPECT_EQ(LoadRebarLayout(4, File), 1);
  EXPECT_EQ(Bands(), saved);
  // A file that cannot be written is no success.
  EXPECT_EQ(SaveRebarLayout(4, File + u".missing\\x.xml"), 0);
  EXPECT_EQ(SaveRebarLayout(4, u"a|b.xml"), 0);
}

TEST_F(RebarLayoutTest, UnknownBandsBadNumbersAndPositionsPastTheEndChangeNothingElse) {
  const std::vector<Band> before = Bands();
  // Band 2 with a non-band style bit; an unknown band; band 0 with a bad width; band 1 fourth of three.
  ASSERT_TRUE(ReplaceFileContents(
      File, "<layout><Band ID='2' cx='90' fStyle='" + std::to_string(RBBS_GRIPPERALWAYS | 0x40000) +
                "'/><Band id='99' cx='50' fstyle='0'/><Band ID='0' cx='12px' fStyle='0'/>"
                "<Band ID='1' CX='70' fStyle='0'/></layout>"));
  EXPECT_EQ(LoadRebarLayout(4, File), 1);
  const std::vector<Band> after = Bands();
  ASSERT_EQ(after.size(), 3u);
  EXPECT_EQ(after[0].Id, 2u);
  EXPECT_EQ(after[0].Style & (RBBS_GRIPPERALWAYS | 0x40000), static_cast<UINT>(RBBS_GRIPPERALWAYS));
  EXPECT_EQ(after[1], before[0]) << "band 0 named with a bad width stays as it was";
  EXPECT_EQ(after[2].Id, 1u);
  // Not XML, another root, a truncated document: nothing changes.
  for (const char* bytes : {"not xml", "<Skin><Band ID='0' cx='10' fStyle='0'/></Skin>", "<Layout><Band ID='0'"}) {
    ASSERT_TRUE(ReplaceFileContents(File, bytes));
    EXPECT_EQ(LoadRebarLayout(4, File), 0) << bytes;
    EXPECT_EQ(Bands(), after) << bytes;
  }
  EXPECT_EQ(LoadRebarLayout(4, File + u".none"), 0);
}

}  // namespace
