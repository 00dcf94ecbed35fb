// A band's style as the rebar code gives it to a band, when a band is added or a saved layout
// is read: only the band-style bits, never the toolkit's own marks above them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "veloui/menus/core/rebar_layout_rules.h"

namespace {

constexpr std::uint32_t kBreak = 0x1, kGripperAlways = 0x80, kUseChevron = 0x200, kTopAlign = 0x800;
// Bits the toolkit's own row and drag marks use, and the top bit.
constexpr std::uint32_t kForeign[] = {0x1000, 0x20000, 0x40000, 0x800000, 0x80000000u};

TEST(BandStyle, AnAddedBandKeepsEveryBandStyleBitAndNoForeignOne) {
  EXPECT_EQ(KeepBandStyleBits(kBreak | kGripperAlways | kUseChevron | kTopAlign),
            kBreak | kGripperAlways | kUseChevron | kTopAlign);
  for (std::uint32_t foreign : kForeign) {
    SCOPED_TRACE(foreign);
    EXPECT_EQ(KeepBandStyleBits(kUseChevron | foreign), kUseChevron);
    EXPECT_EQ(KeepBandStyleBits(foreign), 0u);
  }
  EXPECT_EQ(KeepBandStyleBits(0xFFFFFFFFu), 0xFFFu);
}

TEST(BandStyle, ALoadedLayoutKeepsOnlyTheBandStyleBitsOfEachBand) {
  std::string document = "<Layout>";
  int id = 0;
  for (std::uint32_t foreign : kForeign) {
    document += "<Band ID='" + std::to_string(id++) + "' cx='90' fStyle='" +
                std::to_string(kGripperAlways | kBreak | foreign) + "'/>";
  }
  document += "<Band ID='7' cx='40' fStyle='" + std::to_string(kUseChevron) + "'/></Layout>";
  std::vector<BandLayoutEntry> bands;
  ASSERT_TRUE(ReadBandLayout(document, bands));
  ASSERT_EQ(bands.size(), std::size(kForeign) + 1);
  for (std::size_t k = 0; k < std::size(kForeign); ++k) {
    EXPECT_EQ(bands[k].Style, kGripperAlways | kBreak) << kForeign[k];
    EXPECT_EQ(bands[k].Width, 90u);
    EXPECT_EQ(bands[k].Position, static_cast<int>(k));
  }
  EXPECT_EQ(bands.back().Style, kUseChevron);
  // What is written is read back alike.
  std::vector<BandLayoutEntry> again;
  ASSERT_TRUE(ReadBandLayout(WriteBandLayout(bands), again));
  ASSERT_EQ(again.size(), bands.size());
  for (std::size_t k = 0; k < bands.size(); ++k) EXPECT_EQ(again[k].Style, bands[k].Style);
}

}  // namespace
