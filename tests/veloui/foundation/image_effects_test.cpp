#include "veloui/foundation/image_effects.h"

#include <gtest/gtest.h>

#include <vector>

#include "dib_canvas.h"
#include "veloui/foundation/core/image_effect_pixels.h"
#include "veloui/foundation/style_images.h"

namespace {

bool IsGdiObject(HANDLE handle) { return GetObjectType(handle) != 0; }

TEST(ImageEffects, BitmapResultKeepsStraightColoursAndIsUpright) {
  std::vector<std::uint32_t> pixels = Solid(8 * 4, PackPixel(255, 10, 20, 30));
  pixels[0] = PackPixel(255, 250, 0, 0);  // top-left marker
  HBITMAP source = Bitmap32(8, 4, pixels);
  HANDLE made = MakeIconEffect(source, 255, 0, 0, 0, 0, 0);
  ASSERT_NE(made, nullptr);
  const auto out = PixelsOf(made);
  EXPECT_EQ(out[0], PackPixel(255, 250, 0, 0));
  EXPECT_EQ(out[9], PackPixel(255, 10, 20, 30));
  EXPECT_EQ(out[31], PackPixel(255, 10, 20, 30));
  EXPECT_TRUE(IsGdiObject(source));  // not released without option 4
  DeleteObject(made);
  DeleteObject(source);
}

TEST(ImageEffects, ZeroAlphaIconTakesTransparencyFromTheMask) {
  HICON source = Icon(16, 16, Solid(256, PackPixel(0, 90, 90, 90)), 8);
  HANDLE made = MakeIconEffect(source, 255, 0, 0, 0, 0, 0);
  ASSERT_NE(made, nullptr);
  const auto out = PixelsOf(made);
  EXPECT_EQ(PixelAlpha(out[3]), 0);
  EXPECT_EQ(PixelAlpha(out[12]), 255);
  EXPECT_EQ(PixelAlpha(out[15 * 16 + 15]), 255);
  DeleteObject(made);
  DestroyIcon(source);
}

TEST(ImageEffects, SourceOfAnotherDepthIsReadAs32Bit) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = DibInfo(5, 3, 24);
  void* bits = nullptr;
  HBITMAP source = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, source);
  RECT all{0, 0, 5, 3};
  HBRUSH brush = CreateSolidBrush(RGB(40, 80, 120));
  FillRect(memory, &all, brush);
  DeleteObject(brush);
  SelectObject(memory, previous);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  HANDLE made = MakeIconEffect(source, 300, 0, 0, 0, 0, kEffectGreyscale);
  ASSERT_NE(made, nullptr);
  const auto out = PixelsOf(made);
  const int grey = EffectGrey(40, 80, 120);
  for (std::uint32_t p : out) ASSERT_EQ(p, PackPixel(255, grey, grey, grey));
  DeleteObject(made);
  DeleteObject(source);
}

TEST(StyleImages, WhidbeyFadesTo80AndOtherStylesGiveAFadedGreyCopy) {
  HICON source = Icon(16, 16, Solid(256, PackPixel(255, 200, 30, 30)));
  HICON whidbey = MakeStyleImage(source, 5);
  HICON other = MakeStyleImage(source, 0);
  ASSERT_NE(whidbey, nullptr);
  ASSERT_NE(other, nullptr);
  for (std::uint32_t p : PixelsOf(whidbey)) ASSERT_EQ(PixelAlpha(p), 80);
  for (std::uint32_t p : PixelsOf(other)) {
    ASSERT_EQ(PixelAlpha(p), 120);
    ASSERT_EQ(PixelRed(p), PixelGreen(p));
    ASSERT_EQ(PixelGreen(p), PixelBlue(p));
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
  EXPECT_EQ(canvas.Colour(6, 8), RGB(255, 0, 0));   // the tip
  EXPECT_EQ(canvas.Colour(2, 4), RGB(255, 0, 0));   // top-left corner
  EXPECT_EQ(canvas.Colour(10, 4), RGB(255, 0, 0));  // top-right corner
  EXPECT_EQ(canvas.Colour(2, 8), RGB(255, 255, 255));
  EXPECT_EQ(canvas.Colour(10, 8), RGB(255, 255, 255));
  EXPECT_EQ(canvas.Colour(6, 9), RGB(255, 255, 255));
  EXPECT_EQ(canvas.Colour(6, 3), RGB(255, 255, 255));
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
