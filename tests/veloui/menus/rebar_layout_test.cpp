// Band layouts saved to a file and loaded back, and files that must change nothing.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menus_fixture.h"
#include "runtime/portable/files.h"
#include "runtime/win32/platform/wide_text.h"
#include "veloui/menus/rebar_extras.h"
#include "veloui/menus/rebar_layout.h"

namespace {

struct Band {
  UINT Id;
  UINT Width;
  UINT Style;
  bool operator==(const Band&) const = default;
};

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
  std::vector<Band> Bands() {
    std::vector<Band> bands;
    HWND rebar = GetRebarWindow(4);
    const auto count = static_cast<int>(SendMessageW(rebar, RB_GETBANDCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
      REBARBANDINFOW info{};
      info.cbSize = sizeof(info);
      info.fMask = RBBIM_ID | RBBIM_SIZE | RBBIM_STYLE;
      SendMessageW(rebar, RB_GETBANDINFOW, index, reinterpret_cast<LPARAM>(&info));
      bands.push_back({info.wID, info.cx, info.fStyle});
    }
    return bands;
  }
  void SetBand(int index, UINT width, UINT style) {
    REBARBANDINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = RBBIM_SIZE | RBBIM_STYLE;
    info.cx = width;
    info.fStyle = style;
    SendMessageW(GetRebarWindow(4), RB_SETBANDINFOW, index, reinterpret_cast<LPARAM>(&info));
  }
  void WriteFile(const std::string& bytes) { ASSERT_TRUE(ReplaceFileContents(File, bytes)); }
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
  WriteFile(
      "<layout><Band ID='2' cx='90' fStyle='" + std::to_string(RBBS_GRIPPERALWAYS | 0x40000) +
      "'/><Band id='99' cx='50' fstyle='0'/><Band ID='0' cx='12px' fStyle='0'/>"
      "<Band ID='1' CX='70' fStyle='0'/></layout>");
  EXPECT_EQ(LoadRebarLayout(4, File), 1);
  const std::vector<Band> after = Bands();
  ASSERT_EQ(after.size(), 3u);
  EXPECT_EQ(after[0].Id, 2u);
  EXPECT_EQ(after[0].Style & (RBBS_GRIPPERALWAYS | 0x40000), static_cast<UINT>(RBBS_GRIPPERALWAYS));
  EXPECT_EQ(after[1], before[0]) << "band 0 named with a bad width stays as it was";
  EXPECT_EQ(after[2].Id, 1u);
  // Not XML, another root, a truncated document: nothing changes.
  for (const char* bytes : {"not xml", "<Skin><Band ID='0' cx='10' fStyle='0'/></Skin>", "<Layout><Band ID='0'"}) {
    WriteFile(bytes);
    EXPECT_EQ(LoadRebarLayout(4, File), 0) << bytes;
    EXPECT_EQ(Bands(), after) << bytes;
  }
  EXPECT_EQ(LoadRebarLayout(4, File + u".none"), 0);
}

}  // namespace
