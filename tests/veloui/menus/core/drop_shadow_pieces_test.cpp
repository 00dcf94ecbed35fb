#include "veloui/menus/core/drop_shadow_pieces.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
// COLORREF: red in the low byte.
constexpr std::uint32_t kColour = 0x00336699;  // red 0x99, green 0x66, blue 0x33

std::uint32_t PixelAt(const ShadowPieceImage& image, int x, int y) {
  return image.Pixels[static_cast<std::size_t>(y * image.Width + x)];
}

// The opacity along a strip as the runs of a plan lay the piece out.
std::vector<int> StripOpacities(int length, int depth, int pieceLength, std::uint32_t flags, int alpha) {
  std::vector<int> opacities(static_cast<std::size_t>(length), -1);
  for (const ShadowCopyRun& run : ShadowCopyPlan(length, depth, pieceLength, flags))
    for (int k = 0; k < run.Count; ++k)
      opacities[static_cast<std::size_t>(run.Target + k)] = ShadowLengthOpacity(run.Source + k, pieceLength, depth, alpha);
  return opacities;
}

TEST(ShadowPieces, PieceLengthLeavesRoomForTheFadesAStripOmits) {
  EXPECT_EQ(ShadowPieceLength(40, 5, 0), 40);
  EXPECT_EQ(ShadowPieceLength(40, 5, kShadowFadeStartOnly), 45);
  EXPECT_EQ(ShadowPieceLength(40, 5, kShadowFadeEndOnly | kShadowVertical), 45);
  EXPECT_EQ(ShadowPieceLength(40, 5, kShadowFadeNeither), 50);
}

TEST(ShadowPieces, RowOpacityFadesInOverTheDepthAndOutAtTheEnd) {
  // depth 5, piece 10, alpha 100: rows 0..4 rise by alpha/5, rows 5..9 fall from the end.
  const std::vector<int> expected = {20, 40, 60, 80, 100, 100, 80, 60, 40, 20};
  for (int row = 0; row < 10; ++row) EXPECT_EQ(ShadowLengthOpacity(row, 10, 5, 100), expected[row]) << row;
  // A long piece keeps the full alpha in its middle.
  EXPECT_EQ(ShadowLengthOpacity(30, 60, 5, 100), 100);
}

TEST(ShadowPieces, PiecesArePremultipliedDarkestNextToTheWindowAndRunAlongTheirLength) {
  const ShadowPieceImage vertical = BuildShadowPiece(5, 10, kColour, 100, true);
  ASSERT_EQ(vertical.Width, 5);
  ASSERT_EQ(vertical.Height, 10);
  // Row opacity 20 at column 0 of depth 5: a = 20 * 4 / 5 = 16.
  // red 153 * 16 / 255 = 9, green 102 * 16 / 255 = 6, blue 51 * 16 / 255 = 3.
  EXPECT_EQ(PixelAt(vertical, 0, 0), 0x10090603u);
  // Row opacity 60 at column 1: a = 60 * 3 / 5 = 36; 153*36/255 = 21, 102*36/255 = 14, 51*36/255 = 7.
  EXPECT_EQ(PixelAt(vertical, 1, 2), 0x24150E07u);
  EXPECT_EQ(PixelAt(vertical, 4, 5), 0u);  // the far column is clear
  EXPECT_EQ(PixelAt(vertical, 0, 9), PixelAt(vertical, 0, 0));  // the end fades like the start
  // Full opacity of white stays white at the strongest column of a deep shadow.
  EXPECT_EQ(ShadowPixel(255, 0, 255, 0x00FFFFFF), 0xFEFEFEFEu);

  const ShadowPieceImage horizontal = BuildShadowPiece(5, 10, kColour, 100, false);
  ASSERT_EQ(horizontal.Width, 10);
  ASSERT_EQ(horizontal.Height, 5);
  for (int along = 0; along < 10; ++along)
    for (int across = 0; across < 5; ++across)
      EXPECT_EQ(PixelAt(horizontal, along, across), PixelAt(vertical, across, along));
  // Nothing is built for an empty piece.
  EXPECT_TRUE(BuildShadowPiece(0, 10, kColour, 100, true).Pixels.empty());
  EXPECT_TRUE(BuildShadowPiece(5, 0, kColour, 100, false).Pixels.empty());
}

TEST(ShadowPieces, EachEndFlagShowsOnlyItsFadeWhateverThePieceLength) {
  // {strip, depth, piece, flags, alpha, first opacity, last opacity}
  const int cases[][7] = {{12, 4, 16, kShadowFadeStartOnly, 200, 50, 200}, {12, 4, 16, kShadowFadeEndOnly, 200, 200, 50},
                          {10, 5, 40, kShadowFadeEndOnly, 100, 100, 20}, {10, 5, 40, kShadowFadeStartOnly, 100, 20, 100}};
  for (const auto& c : cases) {
    const std::vector<int> opacities = StripOpacities(c[0], c[1], c[2], static_cast<std::uint32_t>(c[3]), c[4]);
    EXPECT_EQ(opacities.front(), c[5]);
    EXPECT_EQ(opacities.back(), c[6]);
  }
  for (int opacity : StripOpacities(12, 4, 20, kShadowFadeNeither, 200)) EXPECT_EQ(opacity, 200);
}

TEST(ShadowPieces, CacheServesOnlyTheSameDepthColourAndAlphaAtLeastAsLong) {
  const ShadowPieceKey cached{5, 40, kColour, 60};
  EXPECT_TRUE(ShadowPieceServes(cached, {5, 40, kColour, 60}));
  EXPECT_TRUE(ShadowPieceServes(cached, {5, 12, kColour, 60}));
  EXPECT_FALSE(ShadowPieceServes(cached, {5, 41, kColour, 60}));
  EXPECT_FALSE(ShadowPieceServes(cached, {4, 12, kColour, 60}));  // a shallower shadow fades otherwise
  EXPECT_FALSE(ShadowPieceServes(cached, {6, 12, kColour, 60}));
  EXPECT_FALSE(ShadowPieceServes(cached, {5, 12, 0x00000000, 60}));
  EXPECT_FALSE(ShadowPieceServes(cached, {5, 12, kColour, 61}));
  EXPECT_FALSE(ShadowPieceServes({}, {5, 12, kColour, 60}));
}
}  // namespace
