#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "veloui/foundation/core/blit_cache_rules.h"
#include "veloui/foundation/core/colour_conversion.h"
#include "veloui/foundation/core/font_steps.h"
#include "veloui/foundation/core/gradient_records.h"
#include "veloui/foundation/core/image_effect_pixels.h"
#include "veloui/foundation/core/image_store.h"
#include "veloui/foundation/core/pixel_edits.h"

namespace {

// Sized caches are found by the fixed dimension; a too small free dimension remakes the entry, none found makes one.
TEST(BlitCacheRules, ServeRulesAndSizedCacheChoice) {
  const struct { std::uint32_t Rule; int CacheWidth, CacheHeight, Width, Height; bool Serves; } cases[] = {
      {0, 120, 24, 100, 20, true},      {0, 120, 24, 120, 24, true},      {0, 120, 24, 130, 20, false},
      {0, 120, 24, 100, 25, false},     {0x100, 100, 30, 100, 20, true},  {0x100, 120, 30, 100, 20, false},
      {0x100, 100, 19, 100, 20, false}, {0x1000, 130, 20, 100, 20, true}, {0x1000, 130, 22, 100, 20, false},
      {0x1000, 90, 20, 100, 20, false}, {0x1100, 100, 20, 100, 20, true}, {0x1100, 101, 20, 100, 20, false},
      {0x1100, 100, 21, 100, 20, false}, {0x1100, 99, 20, 100, 20, false}};
  for (const auto& c : cases)
    EXPECT_EQ(BlitCacheServes(c.Rule, c.CacheWidth, c.CacheHeight, c.Width, c.Height), c.Serves)
        << c.Rule << " " << c.CacheWidth << "x" << c.CacheHeight << " for " << c.Width << "x" << c.Height;
  const std::vector<BlitCacheSize> sizes{{100, 20}, {100, 22}, {120, 30}};
  const struct { std::uint32_t Rule; int Width, Height, Index; bool Remake; } choices[] = {
      {0x1000, 100, 22, 1, false}, {0x1000, 80, 20, 0, false}, {0x1000, 140, 20, 0, true}, {0x1000, 100, 24, -1, true},
      {0x100, 120, 40, 2, true},   {0x100, 120, 10, 2, false}, {0, 100, 20, 0, false},     {0, 100, 19, -1, true}};
  for (const auto& c : choices) {
    const BlitSizeChoice choice = ChooseSizedCache(sizes, c.Rule, c.Width, c.Height);
    EXPECT_EQ(std::tuple(choice.Index, choice.Remake), std::tuple(c.Index, c.Remake)) << c.Rule << " " << c.Width << "x" << c.Height;
  }
  EXPECT_EQ(ChooseSizedCache({}, 0x1000, 100, 20).Index, -1);
  EXPECT_EQ(ChooseSizedCache({{0, 0}}, 0x1000, 100, 20).Index, -1);  // a freed entry is never a real size
}

// A paint step as {kind, from, to, x1, y1, x2, y2, fill x, fill y, fill width, fill height}.
using Step = std::array<int, 11>;
std::vector<Step> Steps(int id, int width, int height) {
  std::vector<Step> result;
  for (const BlitPaintStep& s : BlitPaintSteps(id, width, height))
    result.push_back({static_cast<int>(s.Type), s.FromId, s.ToId, s.X1, s.Y1, s.X2, s.Y2, s.FillX, s.FillY,
                      s.FillWidth, s.FillHeight});
  return result;
}
constexpr int kGradient = static_cast<int>(BlitPaintStep::Kind::Gradient);

TEST(BlitCacheRules, PaintGeometry) {
  for (int id : {6, 10, 44, 52})  // vertical gradients over the whole height
    EXPECT_EQ(Steps(id, 80, 24), (std::vector<Step>{{kGradient, id, id + 1, 0, 0, 0, 23, 0, 0, 80, 24}})) << id;
  // The menu bar: two horizontal halves of an odd width.
  EXPECT_EQ(Steps(13, 101, 20), (std::vector<Step>{{kGradient, 21, 22, 0, 0, 49, 0, 0, 0, 50, 20},
                                                   {kGradient, 23, 24, 50, 0, 100, 0, 50, 0, 51, 20}}));
  // The tool strip: two gradients and a shadow row.
  EXPECT_EQ(Steps(33, 50, 25), (std::vector<Step>{{kGradient, 33, 34, 0, 0, 0, 12, 0, 0, 50, 13},
                                                  {kGradient, 35, 36, 0, 13, 0, 23, 0, 13, 50, 11},
                                                  {static_cast<int>(BlitPaintStep::Kind::Solid), 41, 41, 0, 0, 0, 0, 0, 24, 50, 1}}));
  const int framed = static_cast<int>(BlitPaintStep::Kind::FrameAndFill);
  for (int id : {15, 17}) EXPECT_EQ(Steps(id, 16, 16), (std::vector<Step>{{framed, id, id - 1, 0, 0, 0, 0, 0, 0, 16, 16}})) << id;
  EXPECT_TRUE(Steps(5, 16, 16).empty());
}

// One row of pixels.
EffectSource Pixels(std::vector<std::uint32_t> pixels, bool alphaChannel, std::vector<std::uint32_t> mask = {}) {
  const int width = static_cast<int>(pixels.size());
  return {width, 1, std::move(pixels), alphaChannel, std::move(mask)};
}

// The effect's and the tint's grey weigh red 0.2989 and 0.299: 27.4988 and 27.508 at 92.
TEST(ImageEffectPixels, ComponentFormulasAndWholePixels) {
  EXPECT_EQ(std::pair(EffectGrey(92, 0, 0), TintGrey(92, 0, 0)), std::pair(27, 28));
  EXPECT_EQ(std::tuple(BlendComponent(210, 0, 110), BlendComponent(0, 255, 300)), std::tuple(90, 0));  // 90.23
  EXPECT_EQ(std::pair(ApplyBrightness(250, 20), ApplyBrightness(10, -20)), std::pair(255, 0));
  EXPECT_EQ(std::pair(ClampOpacity(0), ClampOpacity(300)), std::pair(1.0f, 255.0f));
  // Contrast: 1 at zero; 259 would divide by zero and above it the factor would turn negative.
  EXPECT_DOUBLE_EQ(ContrastFactor(0), 1.0);
  EXPECT_EQ(std::tuple(ApplyContrast(200, ContrastFactor(100)), ApplyContrast(10, ContrastFactor(-400))), std::tuple(255, 128));
  EXPECT_TRUE(std::isfinite(ContrastFactor(259)) && ContrastFactor(259) > 0.0);
  EXPECT_DOUBLE_EQ(ContrastFactor(1000), ContrastFactor(255));
  EXPECT_DOUBLE_EQ(ContrastFactor(-255), 0.0);
  // Whole ARGB pixels of the icon effect and the tint.
  const IconEffectSettings all{.Opacity = 255, .Contrast = 50, .Brightness = 10,
                               .TintColour = MakeColourRef(255, 0, 0), .TintAmount = 64, .Greyscale = true};
  const struct { const char* Name; IconEffectSettings Settings; EffectSource Source; std::uint32_t Out; } effects[] = {
      {"opacity scales the alpha only", {.Opacity = 80}, Pixels({PackPixel(255, 10, 20, 30)}, true), PackPixel(80, 10, 20, 30)},
      {"128 / 255 * 120 = 60.2", {.Opacity = 120}, Pixels({PackPixel(128, 1, 2, 3)}, true), PackPixel(60, 1, 2, 3)},
      // Without an alpha channel the pixel takes the opacity, clamped up to 1; the mask is not read.
      {"no alpha channel", {.Opacity = 0}, Pixels({PackPixel(0, 9, 9, 9)}, false, {0x00FFFFFF}), PackPixel(1, 9, 9, 9)},
      // A zero alpha takes transparency from the mask (black opaque, white transparent), else stays zero.
      {"black mask", {}, Pixels({PackPixel(0, 50, 50, 50)}, true, {0}), PackPixel(255, 50, 50, 50)},
      {"white mask", {}, Pixels({PackPixel(0, 50, 50, 50)}, true, {0x00FFFFFF}), PackPixel(0, 50, 50, 50)},
      {"no mask", {}, Pixels({PackPixel(0, 50, 50, 50)}, true), PackPixel(0, 50, 50, 50)},
      // Grey 124, then tinted 64/256 to red (157, 93, 93), contrast 50 (171, 76, 76), brightness 10.
      {"grey, tint, contrast, brightness", all, Pixels({PackPixel(255, 200, 100, 50)}, true), PackPixel(255, 181, 86, 86)}};
  using Words = std::vector<std::uint32_t>;
  for (const auto& c : effects) EXPECT_EQ(ApplyIconEffect(c.Source, c.Settings), Words{c.Out}) << c.Name;
  const std::uint32_t blue = MakeColourRef(0, 0, 255), grey = MakeColourRef(128, 128, 128);
  const struct { const char* Name; TintSettings Settings; std::uint32_t In, Out; } tints[] = {
      // Bias 0.5 gives lb 0: lightness = grey / 255 in the tint's hue.
      {"white", {.TintColour = blue, .LightnessBias = 0.5f}, PackPixel(255, 255, 255, 255), 0xFFFFFFFFu},
      {"black", {.TintColour = blue, .LightnessBias = 0.5f}, PackPixel(255, 0, 0, 0), 0xFF000000u},
      // Bias 0.64 -> lb 0.28: black becomes grey 71, blended 110/256 with 210.
      {"bias and blend",
       {.TintColour = grey, .LightnessBias = 0.64f, .BlendColour = MakeColourRef(210, 210, 210), .BlendAmount = 110},
       PackPixel(255, 0, 0, 0), 0xFF838383u},
      {"a negative lb halves", {.TintColour = grey, .LightnessBias = 0.25f}, PackPixel(255, 255, 255, 255), 0xFF7F7F7Fu},
      {"saturation change clamped to 0",
       {.Opacity = 190, .TintColour = MakeColourRef(255, 0, 0), .SaturationChange = -2.0f, .LightnessBias = 0.5f},
       PackPixel(255, 100, 100, 100), 0xBE646464u}};
  for (const auto& c : tints) EXPECT_EQ(ApplyTint(Pixels({c.In}, true), c.Settings), Words{c.Out}) << c.Name;
  // Mid grey in pure blue keeps blue near full (the last bit of the lightness depends on the FPU).
  const std::uint32_t mid = HslToRgb({240.0f, 1.0f, 128 / 255.0f});
  const TintSettings blueTint{.TintColour = blue, .LightnessBias = 0.5f};
  EXPECT_EQ(ApplyTint(Pixels({PackPixel(255, 128, 128, 128)}, true), blueTint),
            Words{PackPixel(255, RedOf(mid), GreenOf(mid), BlueOf(mid))});
  EXPECT_GT(BlueOf(mid), 250);
  // No pixels, or fewer than the size says, give nothing.
  EXPECT_TRUE(ApplyIconEffect(EffectSource{}, {}).empty() && ApplyTint(EffectSource{}, {}).empty());
  EXPECT_TRUE(ApplyIconEffect(EffectSource{3, 4, {1, 2, 3}, true, {}}, {}).empty());
}

TEST(FontSteps, StepAndPointSizesStyleFlagsAndNumbers) {
  const int steps[][2] = {{-3, 8}, {9, 8}, {10, 10}, {11, 12}, {14, 18}, {15, 18}, {16, 20}, {20, 26}};
  for (const auto& step : steps) EXPECT_EQ(CalcFontStepSize(step[0]), step[1]) << step[0];
  // {height, dpi, points}: 8.25 and 9.75 points round to nearest.
  const int points[][3] = {{-11, 96, 8}, {-12, 96, 9}, {16, 96, 12}, {-13, 96, 10}, {-20, 120, 12}, {-20, 0, 0}};
  for (const auto& p : points) EXPECT_EQ(PointSizeOfHeight(p[0], p[1]), p[2]) << p[0] << " " << p[1];
  // {flags, weight, italic/underline/strike-out, quality}: 400 has the bit 0x10 but means normal;
  // 700 = 0x2BC is a weight, not a set of bits.
  const struct { std::uint32_t Flags; int Weight; std::string Marks; int Quality; } styles[] = {
      {0, 400, "", 0},     {400, 400, "", 0},   {1, 700, "", 0},     {0x100, 700, "", 0},        {700, 700, "", 0},
      {708, 700, "", 0},   {2, 400, "i", 0},    {0x200, 400, "i", 0}, {4, 400, "u", 0},          {8, 400, "s", 0},
      {0x10000, 400, "", 4}, {0x20000, 400, "", 3}, {1 | 2 | 4 | 8 | 0x40000, 700, "ius", 5}};
  for (const auto& s : styles) {
    const FontStyleRequest r = DecodeFontStyleFlags(s.Flags);
    const std::string marks = std::string(r.Italic ? "i" : "") + (r.Underline ? "u" : "") + (r.StrikeOut ? "s" : "");
    EXPECT_EQ(std::tuple(r.Weight, marks, r.Quality), std::tuple(s.Weight, s.Marks, s.Quality)) << s.Flags;
  }
  for (const char16_t* yes : {u"12.5", u"0"}) EXPECT_EQ(IsNumericString(yes), 1);
  for (const char16_t* no : {u"12a", u"", u"   ", u" 12", u"-1"}) EXPECT_EQ(IsNumericString(no), 0);
}

// A weight value stays a weight with a quality bit beside it: 400 | ClearType is a normal
// ClearType font (not bold through its bit 0x100), 700 to 708 a bold one without italics.
TEST(FontSteps, WeightValuesWithAQualityBit) {
  const std::pair<std::uint32_t, int> qualities[] = {{0x10000, 4}, {0x20000, 3}, {0x40000, 5}};
  for (std::uint32_t weight : {400u, 700u, 701u, 702u, 703u, 704u, 705u, 706u, 707u, 708u}) {
    for (const auto& [bit, quality] : qualities) {
      const FontStyleRequest r = DecodeFontStyleFlags(weight | bit);
      EXPECT_EQ(std::tuple(r.Weight, r.Italic, r.Underline, r.StrikeOut, r.Quality),
                std::tuple(weight == 400 ? 400 : 700, false, false, false, quality))
          << weight << " | " << bit;
    }
  }
  // Just outside the weights the value is a set of bits again: 709 = 0x2C5 is bold, italic, underlined.
  const FontStyleRequest outside = DecodeFontStyleFlags(709 | 0x40000);
  EXPECT_EQ(std::tuple(outside.Weight, outside.Italic, outside.Underline, outside.Quality), std::tuple(700, true, true, 5));
}

// Colours come once in the order first met, up to the bound. DIB words are 0xAARRGGBB, colours
// 0xAABBGGRR: red and blue trade places, alpha counts. Fills take the region joined by edges, writes one
// pixel; points outside are skipped.
TEST(PixelEdits, DistinctColoursFillsAndWrites) {
  const std::vector<std::uint32_t> pixels{0xFF0000, 0x0000FF, 0xFF0000, 0x80FF0000, 0x00FF00, 0x0000FF, 0x123456};
  const std::vector<std::uint32_t> colours{0x0000FF, 0xFF0000, 0x800000FF, 0x00FF00, 0x563412};
  EXPECT_EQ(DistinctColours(pixels, 10), colours);
  EXPECT_EQ(DistinctColours(pixels, 2), std::vector<std::uint32_t>(colours.begin(), colours.begin() + 2));
  EXPECT_TRUE(DistinctColours(pixels, 0).empty());
  // A 4 x 3 image of 'a', 'b' and '.' pixels; 'c' is what the edits write (colour word 0xFFCC0033).
  const auto image = [](const std::string& rows) {
    std::vector<std::uint32_t> words;
    for (char p : rows) words.push_back(p == 'a' ? 0xFF101010u : p == 'b' ? 0xFF202020u : p == 'c' ? 0xFF3300CCu : 0u);
    return words;
  };
  constexpr std::uint32_t c = 0xFFCC0033;
  using K = PixelEditKind;
  const struct { std::vector<PixelEdit> Edits; const char* After; int Done; } cases[] = {
      {{{K::Fill, 0, 0, c}}, "ccb.c.b.cbba", 1},    // the lone 'a' at the corner is not joined
      {{{K::Fill, 2, 1, c}}, "aac.a.c.acca", 1},    {{{K::Fill, 3, 2, c}}, "aab.a.b.abbc", 1},
      {{{K::Fill, 3, 0, c}}, "aabca.bcabba", 1},    // '.' at (1, 1) touches only by corners
      {{{K::Write, 1, 1, c}, {K::Fill, 1, 1, c}}, "aab.acb.abba", 2},
      {{{K::Fill, 4, 0, c}, {K::Write, 0, -1, c}, {K::Write, 0, 3, c}, {K::Fill, -1, 2, c}}, "aab.a.b.abba", 0}};
  for (const auto& t : cases) {
    std::vector<std::uint32_t> words = image("aab.a.b.abba");
    EXPECT_EQ(ApplyPixelEdits(words, 4, 3, t.Edits), t.Done) << t.After;
    EXPECT_EQ(words, image(t.After)) << t.After;
  }
  std::vector<std::uint32_t> tooFew = image("aab");
  EXPECT_EQ(ApplyPixelEdits(tooFew, 4, 3, cases[0].Edits), 0);  // fewer pixels than the size says
}

class ToolkitListsTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetToolkitGlobalLists(); }
  void TearDown() override { ResetToolkitGlobalLists(); }
};
using GradientRecords = ToolkitListsTest;
using ImageStoreTest = ToolkitListsTest;

TEST_F(GradientRecords, StopsStayInAscendingOrderAndAreRemovedByPosition) {
  const GradientHandle g = AddGradientRecord(0, 0, 0);
  auto positions = [g] {
    std::vector<float> result;
    for (const GradientStop& stop : FindGradient(g)->Stops) result.push_back(stop.Position);
    return result;
  };
  const std::pair<float, std::uint32_t> stops[] = {{0.7f, 1}, {0.3f, 2}, {0.9f, 3}, {0.5f, 4}, {-0.2f, 5}, {0.5f, 6}};
  for (const auto& [position, colour] : stops) AddGradientColour(g, position, colour);  // 0.5 twice keeps one stop
  EXPECT_EQ(positions(), (std::vector<float>{-0.2f, 0.3f, 0.5f, 0.7f, 0.9f}));
  EXPECT_EQ(std::tuple(GetGradientColour(g, 0.5f), GetGradientColour(g, 0.4f)), std::tuple(6u, kNoGradientColour));
  EXPECT_EQ(RemoveGradientColour(g, 0.3f), 1);
  EXPECT_EQ(positions(), (std::vector<float>{-0.2f, 0.5f, 0.7f, 0.9f}));
  EXPECT_EQ(RemoveGradientColour(g, -1.0f), 1);  // every stop
  EXPECT_TRUE(FindGradient(g)->Stops.empty());
}

ImageStoreEntry WithImages(std::uintptr_t first) {
  ImageStoreEntry entry;
  entry.Name = u"buttonex";
  entry.StateImageLists[u"normal"].ImageLists[0] = first;
  entry.StateBitmaps[u"hot"].Bitmaps[8] = first + 1;
  return entry;
}

// Counts are keyed by a never-reused serial: owners made at a freed address leave a live count alone.
TEST_F(ImageStoreTest, SharedImagesGoWithTheLastUserAndNewOwnersNeverTakeOverALiveCount) {
  ASSERT_TRUE(DropImageStoreEntry(AddImageStoreEntry(WithImages(300))).has_value());  // an owner alone goes at once
  const ImageStoreHandle owner = AddImageStoreEntry(WithImages(100)), sharer = AddSharedImageStoreEntry(owner),
                         third = AddSharedImageStoreEntry(sharer);
  EXPECT_EQ(FindImageStoreEntry(third)->Key, owner);  // sharing a sharer counts on the owner
  EXPECT_EQ(ImageStoreUserCount(owner), 3);
  EXPECT_FALSE(DropImageStoreEntry(owner).has_value());  // the first keeps the images
  EXPECT_FALSE(DropImageStoreEntry(third).has_value());
  std::vector<ImageStoreHandle> fresh;
  for (int i = 0; i < 8; ++i) fresh.push_back(AddImageStoreEntry(WithImages(200 + 2 * i)));
  EXPECT_EQ(ImageStoreUserCount(sharer), 1);
  for (ImageStoreHandle handle : fresh) {
    const auto dropped = DropImageStoreEntry(handle);
    ASSERT_TRUE(dropped.has_value());
    EXPECT_NE(dropped->StateImageLists.at(u"normal").ImageLists[0], 100u);
  }
  const auto last = DropImageStoreEntry(sharer);
  ASSERT_TRUE(last.has_value());
  EXPECT_EQ(std::tuple(last->StateImageLists.at(u"normal").ImageLists[0], last->StateBitmaps.at(u"hot").Bitmaps[8]),
            std::tuple(100u, 101u));
  EXPECT_TRUE(ImageStoreList().empty() && ImageStoreKeys().empty());
}

}  // namespace
