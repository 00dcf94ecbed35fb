// Image effects on real bitmaps and icons; the per-pixel rules are tested natively.
#include "veloui/foundation/image_effects.h"

#include <gtest/gtest.h>

#include <vector>

#include "dib_canvas.h"
#include "veloui/foundation/core/image_effect_pixels.h"
#include "veloui/foundation/style_images.h"

namespace {

TEST(ImageEffects, SourcesAreReadUprightWithTheirMaskAndAnyDepthAs32Bit) {
  std::vector<std::uint32_t> pixels = Solid(8 * 4, PackPixel(255, 10, 20, 30));
  pixels[0] = PackPixel(255, 250, 0, 0);  // top-left marker
  HBITMAP bitmap = Bitmap32(8, 4, pixels);
  HANDLE made = MakeIconEffect(bitmap, 255, 0, 0, 0, 0, 0);
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(PixelsOf(made), pixels);
  EXPECT_NE(GetObjectType(bitmap), 0u);  // not released without option 4
  DeleteObject(made);
  DeleteObject(bitmap);

  HICON icon = Icon(16, 16, Solid(256, PackPixel(0, 90, 90, 90)), 8);  // no alpha: the mask decides
  made = MakeIconEffect(icon, 255, 0, 0, 0, 0, 0);
  ASSERT_NE(made, nullptr);
  const auto out = PixelsOf(made);
  EXPECT_EQ(PixelAlpha(out[3]), 0);
  EXPECT_EQ(PixelAlpha(out[15 * 16 + 12]), 255);
  DeleteObject(made);
  DestroyIcon(icon);

  void* bits = nullptr;
  HBITMAP deep = DibSection(4, 3, &bits, 24);
  constexpr BYTE kBlueGreenRed[] = {120, 80, 40};  // rows of 4 pixels need no padding
  for (int i = 0; i < 4 * 3 * 3; ++i) static_cast<BYTE*>(bits)[i] = kBlueGreenRed[i % 3];
  made = MakeIconEffect(deep, 300, 0, 0, 0, 0, kEffectGreyscale);
  ASSERT_NE(made, nullptr);
  const int grey = EffectGrey(40, 80, 120);
  EXPECT_EQ(PixelsOf(made), Solid(12, PackPixel(255, grey, grey, grey)));
  DeleteObject(made);
  DeleteObject(deep);
}

TEST(StyleImages, WhidbeyFadesTo80AndOtherStylesGiveAFadedGreyCopy) {
  HICON source = Icon(16, 16, Solid(256, PackPixel(255, 200, 30, 30)));
  HICON whidbey = MakeStyleImage(source, 5);
  HICON other = MakeStyleImage(source, 0);
  ASSERT_TRUE(whidbey && other);
  for (std::uint32_t p : PixelsOf(whidbey)) ASSERT_EQ(PixelAlpha(p), 80);
  for (std::uint32_t p : PixelsOf(other)) {
    ASSERT_EQ(PixelAlpha(p), 120);
    ASSERT_TRUE(PixelRed(p) == PixelGreen(p) && PixelGreen(p) == PixelBlue(p));
  }
  DestroyIcon(whidbey);
  DestroyIcon(other);
  EXPECT_TRUE(DestroyIcon(source));  // the source stays the caller's
}

TEST(StyleImages, NothingFromAnImageWithoutPixels) {
  EXPECT_EQ(MakeIconEffect(nullptr, 255, 0, 0, 0, 0, kEffectMakeIcon), nullptr);
  EXPECT_EQ(TintIcon(nullptr, 255, 0, 0, 0, 0, 0, 0), nullptr);
  HBITMAP gone = CreateBitmap(4, 4, 1, 32, nullptr);
  DeleteObject(gone);
  EXPECT_EQ(MakeIconEffect(gone, 255, 0, 0, 0, 0, kEffectFreeSource | kEffectMakeIcon), nullptr);
  for (std::uint32_t style : {0u, 5u, 6u, 0x1000000u, 0x2000000u}) {
    EXPECT_EQ(MakeStyleImage(nullptr, style), nullptr);
    EXPECT_EQ(MakeStyleImage(gone, style), nullptr);
  }
}

TEST(StyleImages, PolygonGlyphPointsDown) {
  DibCanvas canvas(20, 20);
  DrawPolygonGlyph(canvas.Dc(), 2, 4, 9, 5, RGB(255, 0, 0));
  struct Spot { int X, Y; bool Red; } spots[] = {{6, 8, true}, {2, 4, true}, {10, 4, true}, {2, 8, false},
                                                  {10, 8, false}, {6, 9, false}, {6, 3, false}};
  for (const Spot& s : spots)
    EXPECT_EQ(canvas.Colour(s.X, s.Y), s.Red ? RGB(255, 0, 0) : RGB(255, 255, 255)) << s.X << "," << s.Y;
}

TEST(ImageEffects, NoGdiObjectIsLeft) {
  HICON source = Icon(16, 16, Solid(256, PackPixel(255, 200, 100, 50)), 4);
  DeleteObject(MakeIconEffect(source, 80, 0, 0, 0, 0, 0));
  const DWORD before = GdiObjectCount();
  for (int i = 0; i < 10; ++i) {
    DestroyIcon(MakeStyleImage(source, 5));
    DestroyIcon(MakeStyleImage(source, 0));
    DeleteObject(TintIcon(source, 255, RGB(1, 2, 3), 0, 0.5f, 0, 0, 0));
  }
  EXPECT_EQ(GdiObjectCount(), before);
  DestroyIcon(source);
}

}  // namespace
