#include "veloui/menus/core/drop_shadow_pieces.h"

#include <algorithm>

int ShadowPieceLength(int length, int depth, std::uint32_t flags) {
  if ((flags & (kShadowFadeStartOnly | kShadowFadeEndOnly)) != 0) return length + depth;
  if ((flags & kShadowFadeNeither) != 0) return length + 2 * depth;
  return length;
}

int ShadowLengthOpacity(int position, int pieceLength, int depth, int alpha) {
  if (depth <= 0) return 0;
  if (position < depth) return alpha * (position + 1) / depth;
  if (position >= pieceLength - depth) return (pieceLength - position) * alpha / depth;
  return alpha;
}

std::uint32_t ShadowPixel(int lengthOpacity, int across, int depth, std::uint32_t colorref) {
  if (depth <= 0) return 0;
  const int a = std::clamp(lengthOpacity * (depth - across - 1) / depth, 0, 255);
  const auto channel = [a](std::uint32_t value) { return (value & 0xFFu) * static_cast<std::uint32_t>(a) / 255u; };
  const std::uint32_t red = channel(colorref);
  const std::uint32_t green = channel(colorref >> 8);
  const std::uint32_t blue = channel(colorref >> 16);
  return static_cast<std::uint32_t>(a) << 24 | red << 16 | green << 8 | blue;
}

ShadowPieceImage BuildShadowPiece(int depth, int pieceLength, std::uint32_t colorref, int alpha, bool vertical) {
  ShadowPieceImage image;
  if (depth <= 0 || pieceLength <= 0) return image;
  image.Width = vertical ? depth : pieceLength;
  image.Height = vertical ? pieceLength : depth;
  image.Pixels.resize(static_cast<std::size_t>(depth) * static_cast<std::size_t>(pieceLength));
  for (int along = 0; along < pieceLength; ++along) {
    const int opacity = ShadowLengthOpacity(along, pieceLength, depth, alpha);
    for (int across = 0; across < depth; ++across) {
      const int x = vertical ? across : along;
      const int y = vertical ? along : across;
      image.Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(image.Width) + static_cast<std::size_t>(x)] =
          ShadowPixel(opacity, across, depth, colorref);
    }
  }
  return image;
}

std::vector<ShadowCopyRun> ShadowCopyPlan(int length, int depth, int pieceLength, std::uint32_t flags) {
  if (length <= 0 || pieceLength <= 0) return {};
  length = std::min(length, pieceLength);
  if ((flags & kShadowFadeStartOnly) != 0) return {{0, 0, length}};
  if ((flags & kShadowFadeEndOnly) != 0) return {{pieceLength - length, 0, length}};
  if ((flags & kShadowFadeNeither) != 0) return {{std::min(depth, pieceLength - length), 0, length}};
  if (length >= pieceLength) return {{0, 0, length}};
  // Shorter than the piece: the start of the piece, then its end, so both fades show.
  const int upper = (length + 1) / 2;
  const int lower = length - upper;
  std::vector<ShadowCopyRun> runs{{0, 0, upper}};
  if (lower > 0) runs.push_back({pieceLength - lower, upper, lower});
  return runs;
}

bool ShadowPieceServes(const ShadowPieceKey& cached, const ShadowPieceKey& wanted) {
  return cached.Length > 0 && cached.Depth == wanted.Depth && cached.Length >= wanted.Length &&
         cached.Colour == wanted.Colour && cached.Alpha == wanted.Alpha;
}
