// Rebars: window styles, the style background, height notices, freeing, and band layouts saved
// to a file and loaded back.

#include "../foundation/dib_canvas.h"
#include "menus_fixture.h"
#include "runtime/portable/files.h"
#include "runtime/win32/platform/wide_text.h"
#include "veloui/foundation/core/ui_colour.h"
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

TEST_F(RebarTest, TheStyleBackgroundCoversTheWidestMonitorAndAForcedRenderGivesEveryBandTheNewOne) {
  ASSERT_EQ(CreateRebar(4, Window, 0, UISTYLE_OFFICE2003 | 0x600, 0), 4);
  HWND child = MakeChild(L"STATIC", 0);
  ASSERT_EQ(AddRebarBand(child, u"band", 100, 50, 0, nullptr, 0), 0);
  HBITMAP before = RebarBackgroundImage(UISTYLE_OFFICE2003);
  ASSERT_NE(before, nullptr);
  BITMAP shape{};
  GetObjectW(before, sizeof(shape), &shape);
  const int width = shape.bmWidth;
  int widest = 0;
  const std::vector<std::uint32_t> pixels = PixelsOf(before);
  EnumDisplayMonitors(nullptr, nullptr, NoteWidth, reinterpret_cast<LPARAM>(&widest));
  EXPECT_EQ(width, widest + 4);
  // A horizontal gradient from colour 31 to colour 32.
  const auto at = [&](int x) {
    const std::uint32_t p = pixels[10 * width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  };
  EXPECT_TRUE(NearColour(at(0), GetUIColour(UISTYLE_OFFICE2003, 31, kUIColourColorref), 2));
  EXPECT_TRUE(NearColour(at(width - 1), GetUIColour(UISTYLE_OFFICE2003, 32, kUIColourColorref), 2));

  EXPECT_EQ(RenderRebarBackgrounds(1), 1);
  HBITMAP after = RebarBackgroundImage(UISTYLE_OFFICE2003);
  EXPECT_NE(after, before);
  const REBARBANDINFOW band = BandInfo(GetRebarWindow(4), 0, RBBIM_BACKGROUND | RBBIM_STYLE | RBBIM_CHILDSIZE);
  EXPECT_EQ(band.hbmBack, after);
  EXPECT_NE(band.fStyle & RBBS_FIXEDBMP, 0u);
  EXPECT_EQ(band.cyMinChild, static_cast<UINT>(HeightOf(child)));
}

// The height notice goes to the root and to the rebar's parent, once each, only when the height
// changes; a top-level parent hears it once and the desktop never.
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

// Also: a plain rebar keeps its band borders, an id is taken once, freeing a rebar gives its band
// children back, and the mouse hook goes with the last rebar.
TEST_F(RebarTest, ToolkitStyleBitsNeverBecomeWindowStyles) {
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
  AddRebarBand(child, u"", 100, 50, 0, nullptr, 0);
  ASSERT_EQ(GetParent(child), rebar);
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
    REBARBANDINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = RBBIM_SIZE | RBBIM_STYLE;
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
  // Band 2 first, with a style bit that is no band style; an unknown band; band 0 with a
  // width that is no number; band 1 fourth of three.
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
