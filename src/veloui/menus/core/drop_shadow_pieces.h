#pragma once
// The pixels of a drop-shadow strip. A piece fades across the shadow's depth (darkest next
// to the shadowed window, clear at the far edge) and at both ends of its length; a strip
// copies one or two runs of a piece, so that it shows only the fades it asks for. Pixels are
// premultiplied 0xAARRGGBB words, ready for a per-pixel-alpha layered window.
#include <cstdint>
#include <vector>

// Request flags of a shadow strip.
constexpr std::uint32_t kShadowFadeStartOnly = 1;
constexpr std::uint32_t kShadowFadeEndOnly = 2;
constexpr std::uint32_t kShadowFadeNeither = 4;  // a middle part of a longer shadow
constexpr std::uint32_t kShadowRebuildPieces = 8;
constexpr std::uint32_t kShadowVertical = 0x1000;  // depth along x, length along y

// The piece length a strip of `length` needs: room for the fades it leaves out.
int ShadowPieceLength(int length, int depth, std::uint32_t flags);

// Opacity of the piece at `position` along its length (0 = its start).
int ShadowLengthOpacity(int position, int pieceLength, int depth, int alpha);
// One premultiplied pixel at `across` (0 = touching the window) for a length opacity.
std::uint32_t ShadowPixel(int lengthOpacity, int across, int depth, std::uint32_t colorref);

// A piece as a top-down 32-bit image: vertical pieces are `depth` wide and `pieceLength`
// high, horizontal ones `pieceLength` wide and `depth` high.
struct ShadowPieceImage {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;  // Width * Height, row after row from the top
};
ShadowPieceImage BuildShadowPiece(int depth, int pieceLength, std::uint32_t colorref, int alpha, bool vertical);

// One run copied from a piece into a strip, both counted along the length.
struct ShadowCopyRun {
  int Source = 0;
  int Target = 0;
  int Count = 0;
};
// The runs that fill a strip of `length` from a piece of `pieceLength` (which may be longer
// than the strip needs when a cached piece serves).
std::vector<ShadowCopyRun> ShadowCopyPlan(int length, int depth, int pieceLength, std::uint32_t flags);

// What a cached piece was built for.
struct ShadowPieceKey {
  int Depth = 0;
  int Length = 0;
  std::uint32_t Colour = 0;
  int Alpha = 0;
};
// Whether a cached piece can serve a request: same depth, colour and alpha (the pixels
// depend on all three) and at least as long.
bool ShadowPieceServes(const ShadowPieceKey& cached, const ShadowPieceKey& wanted);
