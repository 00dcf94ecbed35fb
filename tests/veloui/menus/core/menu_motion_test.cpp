#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "veloui/menus/core/animation_easing.h"
#include "veloui/menus/core/drop_shadow_pieces.h"
#include "veloui/menus/core/menu_scroll_model.h"

namespace {
// A short close starts with 2 pixels, then moves one a frame and ends transparent.
TEST(AnimationEasing, AShortCloseMovesOnePixelAFrameAndEndsTransparent) {
  AnimationMotion motion = StartAnimationMotion(100, 95);
  EXPECT_FLOAT_EQ(motion.StartDistance, 5);
  std::vector<float> bottoms, alphas;
  for (int frame = 0; frame < 10 && !motion.Done; ++frame) {
    StepAnimationMotion(motion);
    bottoms.push_back(motion.Bottom);
    alphas.push_back(motion.Alpha);
  }
  EXPECT_EQ(bottoms, (std::vector<float>{98, 97, 96, 95}));
  EXPECT_EQ(alphas, (std::vector<float>{153, 102, 51, 0}));  // remaining distance * 255 / 5
  // Any motion ends at its target with the alpha within a byte (a zero distance at once).
  for (int start = -50; start <= 50; start += 7) {
    for (int target = -50; target <= 50; target += 11) {
      motion = StartAnimationMotion(static_cast<float>(start), static_cast<float>(target));
      for (int frame = 0; frame < 500 && !motion.Done; ++frame) {
        StepAnimationMotion(motion);
        ASSERT_GE(motion.Alpha, 0.0f);
        ASSERT_LE(motion.Alpha, 255.0f);
        ASSERT_GE(motion.Step, 1.0f);
      }
      EXPECT_TRUE(motion.Done) << start << " -> " << target;
      EXPECT_FLOAT_EQ(motion.Bottom, static_cast<float>(target));
    }
  }
}

TEST(FrameClock, FramesComeASixtiethApartAndLateOnesAreSkipped) {
  EXPECT_EQ(TicksPerFrame(1000), 17);  // 16.67 rounded
  EXPECT_EQ(TicksPerFrame(10), 1);     // never zero
  FrameClock clock;
  EXPECT_FALSE(FrameClockRunning(clock));
  // What a pass at `now` presents, then whether a frame is due and when the next one is.
  auto advance = [&clock](std::int64_t now) {
    const FramePresent presented = AdvanceFrameClock(clock, now);
    return std::tuple(presented, clock.FrameDue, clock.NextFrame);
  };
  using P = FramePresent;
  using T = std::tuple<P, bool, std::int64_t>;
  StartFrameClock(clock, 1000, 3000000);
  EXPECT_EQ(std::pair(FrameClockRunning(clock), clock.FrameDue), std::pair(true, true));
  FinishFrame(clock, 1200);
  EXPECT_FALSE(clock.FrameDue);
  EXPECT_EQ(advance(1200), (T{P::Presented, true, 51000}));  // the first frame is shown at once
  FinishFrame(clock, 1300);
  EXPECT_EQ(advance(50999), (T{P::NotYet, false, 51000}));
  EXPECT_EQ(advance(51000), (T{P::Presented, true, 101000}));
  FinishFrame(clock, 51500);
  // Far behind: no catching up, the next frame is one period after now.
  EXPECT_EQ(advance(300000), (T{P::PresentedLate, true, 350000}));
  StopFrameClock(clock);
  EXPECT_EQ(std::pair(FrameClockRunning(clock), clock.FrameDue), std::pair(false, false));
}

constexpr std::uint32_t kColour = 0x00336699;  // red 0x99, green 0x66, blue 0x33

TEST(ShadowPieces, LengthsAndOpacitiesFadeInOverTheDepthAndOutAtTheEnd) {
  EXPECT_EQ(ShadowPieceLength(40, 5, 0), 40);  // room for the fades a strip omits
  EXPECT_EQ(ShadowPieceLength(40, 5, kShadowFadeEndOnly | kShadowVertical), 45);
  EXPECT_EQ(ShadowPieceLength(40, 5, kShadowFadeNeither), 50);
  // depth 5, piece 10, alpha 100: rows 0..4 rise by alpha/5, rows 5..9 fall from the end.
  const int expected[] = {20, 40, 60, 80, 100, 100, 80, 60, 40, 20};
  for (int row = 0; row < 10; ++row) EXPECT_EQ(ShadowLengthOpacity(row, 10, 5, 100), expected[row]) << row;
  EXPECT_EQ(ShadowLengthOpacity(30, 60, 5, 100), 100);  // a long piece keeps the full alpha in its middle
  // The opacity along a strip as the runs of a plan lay the piece out: each end flag shows only its fade.
  auto strip = [](int length, int depth, int piece, std::uint32_t flags, int alpha) {
    std::vector<int> opacities(static_cast<std::size_t>(length), -1);
    for (const ShadowCopyRun& run : ShadowCopyPlan(length, depth, piece, flags))
      for (int k = 0; k < run.Count; ++k)
        opacities[static_cast<std::size_t>(run.Target + k)] = ShadowLengthOpacity(run.Source + k, piece, depth, alpha);
    return opacities;
  };
  EXPECT_EQ(strip(5, 4, 16, kShadowFadeStartOnly, 200), (std::vector<int>{50, 100, 150, 200, 200}));
  EXPECT_EQ(strip(5, 4, 16, kShadowFadeEndOnly, 200), (std::vector<int>{200, 200, 150, 100, 50}));
  EXPECT_EQ(strip(3, 5, 40, kShadowFadeEndOnly, 100), (std::vector<int>{60, 40, 20}));
  EXPECT_EQ(strip(4, 4, 20, kShadowFadeNeither, 200), (std::vector<int>(4, 200)));
}

TEST(ShadowPieces, PiecesArePremultipliedDarkestNextToTheWindowAndCachedByDepthColourAndAlpha) {
  const ShadowPieceImage vertical = BuildShadowPiece(5, 10, kColour, 100, true);
  ASSERT_EQ(std::pair(vertical.Width, vertical.Height), std::pair(5, 10));
  auto at = [](const ShadowPieceImage& image, int x, int y) {
    return image.Pixels[static_cast<std::size_t>(y * image.Width + x)];
  };
  // Row opacity 20 at column 0 of depth 5: a = 20 * 4 / 5 = 16; 153 * 16 / 255 = 9, 102 -> 6, 51 -> 3.
  EXPECT_EQ(at(vertical, 0, 0), 0x10090603u);
  EXPECT_EQ(at(vertical, 1, 2), 0x24150E07u);  // 60 * 3 / 5 = 36: 21, 14, 7
  EXPECT_EQ(at(vertical, 4, 5), 0u);           // the far column is clear
  EXPECT_EQ(at(vertical, 0, 9), at(vertical, 0, 0));
  EXPECT_EQ(ShadowPixel(255, 0, 255, 0x00FFFFFF), 0xFEFEFEFEu);
  const ShadowPieceImage horizontal = BuildShadowPiece(5, 10, kColour, 100, false);
  ASSERT_EQ(horizontal.Width, 10);
  for (int along = 0; along < 10; ++along)
    for (int across = 0; across < 5; ++across) EXPECT_EQ(at(horizontal, along, across), at(vertical, across, along));
  EXPECT_TRUE(BuildShadowPiece(0, 10, kColour, 100, true).Pixels.empty());
  EXPECT_TRUE(BuildShadowPiece(5, 0, kColour, 100, false).Pixels.empty());
  // A cached piece serves the same depth (a shallower shadow fades otherwise), colour and alpha, at least as long.
  const ShadowPieceKey cached{5, 40, kColour, 60};
  const struct { ShadowPieceKey Wanted; bool Serves; } keys[] = {
      {{5, 40, kColour, 60}, true}, {{5, 12, kColour, 60}, true}, {{5, 41, kColour, 60}, false},
      {{4, 12, kColour, 60}, false}, {{6, 12, kColour, 60}, false}, {{5, 12, 0, 60}, false}, {{5, 12, kColour, 61}, false}};
  for (const auto& k : keys)
    EXPECT_EQ(ShadowPieceServes(cached, k.Wanted), k.Serves) << k.Wanted.Depth << " " << k.Wanted.Length;
  EXPECT_FALSE(ShadowPieceServes({}, {5, 12, kColour, 60}));
}

// 60 items of 23 pixels with a separator of 2 at 10, arrows of 23, an Office frame of 3.
std::vector<int> Heights() {
  std::vector<int> heights(60, 23);
  heights[10] = 2;
  return heights;
}

TEST(CopyModel, FirstCopyFitsTheScreenWithSpacerAndBottomArrowOnly) {
  const std::vector<int> heights = Heights();
  const CopyGeometry geometry{heights, 23, 3, 0};
  const CopyView view = InitialCopyView(geometry, 1000);
  // 3 + 7 + 23 + 41 items of 23 + the separator = 978; one more item would pass 1000.
  EXPECT_EQ(std::tuple(view.First, view.Last, CopyOuterHeight(view, geometry)), std::tuple(0, 41, 978));
  const std::vector<int> rows = CopyRows(view, 60);
  EXPECT_EQ(rows.front(), 0);
  EXPECT_EQ(rows[rows.size() - 2], RowBottomSpacer(60));
  EXPECT_EQ(rows.back(), RowBottomArrow(60));
}

TEST(CopyModel, HeldArrowsWalkToEitherEndKeepingTheHeight) {
  const std::vector<int> heights = Heights();
  const CopyGeometry geometry{heights, 23, 3, 978};
  const CopyView start = StartCopyView(geometry);
  EXPECT_EQ(std::pair(start.Last, start.SpacerHeight), std::pair(41, 7));
  // Down: the top arrow comes in first and pushes the first item out.
  CopyView view = WithLeavingArrow(start, geometry, 0);
  EXPECT_EQ(std::tuple(view.First, HasTopArrow(view), view.SpacerAtTop, CopyPixelSteps(view, geometry, 0)),
            std::tuple(1, true, true, 7));
  int steps = 0;
  for (; steps < 100 && !CopyScrollDone(view, 60, 0); ++steps) {
    view = *CopyStep(view, geometry, 0);
    EXPECT_EQ(CopyOuterHeight(view, geometry), 978);
  }
  EXPECT_EQ(steps, 18);
  EXPECT_FALSE(HasBottomArrow(view, 60));
  // The items of the end, and the spacer where the bottom arrow was.
  const CopyView end = EndCopyView(geometry);
  EXPECT_EQ(std::tuple(view.First, view.Last, view.SpacerAtTop), std::tuple(end.First, end.Last, false));
  EXPECT_EQ(CopyRows(view, 60).back(), RowBottomSpacer(60));
  EXPECT_FALSE(CopyStep(view, geometry, 0).has_value());
  // Up from the end, back to the start.
  view = WithLeavingArrow(view, geometry, 1);
  EXPECT_TRUE(HasBottomArrow(view, 60) && !view.SpacerAtTop);
  for (steps = 0; steps < 100 && !CopyScrollDone(view, 60, 1); ++steps) {
    EXPECT_EQ(CopyPixelSteps(view, geometry, 1), heights[static_cast<std::size_t>(view.First - 1)] / 3);
    view = *CopyStep(view, geometry, 1);
    EXPECT_EQ(CopyOuterHeight(view, geometry), 978);
  }
  EXPECT_EQ(std::pair(view.First, HasTopArrow(view)), std::pair(0, false));
  // The items of the start, and the spacer where the top arrow was.
  EXPECT_EQ(std::tuple(view.Last, view.SpacerAtTop), std::tuple(start.Last, true));
  EXPECT_EQ(CopyRows(view, 60).front(), kRowTopSpacer);
}

TEST(CopyModel, TheSpacerTakesWhatTheItemsLeave) {
  const std::vector<int> heights = Heights();
  const CopyGeometry geometry{heights, 23, 3, 990};
  const CopyView end = EndCopyView(geometry);
  // 3 + 23 + 41 items of 23 = 969 leave 21 for the spacer, above the items.
  EXPECT_EQ(std::pair(end.First, end.SpacerHeight), std::pair(19, 21));
  EXPECT_EQ(CopyRows(end, 60)[1], kRowTopSpacer);
  const CopyBand band = CopyScrollBand(984, 23, end);
  EXPECT_EQ(std::pair(band.Top, band.Bottom), std::pair(23 + 21 - 5, 984 - 23 + 5));
}

TEST(CopyModel, MnemonicIsTheLetterAfterASingleAmpersand) {
  const struct { std::u16string Label; char16_t Key; } rows[] = {
      {u"&File", u'F'}, {u"Sa&ve", u'V'}, {u"A&&B", 0}, {u"A&&B &c", u'C'}, {u"End&", 0}, {u"None", 0}};
  for (const auto& row : rows) EXPECT_EQ(CopyMnemonic(row.Label.data(), row.Label.size()), row.Key);
}

}  // namespace
