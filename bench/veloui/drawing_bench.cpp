#include <benchmark/benchmark.h>

#include "veloui/foundation/core/coded_text_layout.h"
#include "veloui/foundation/core/image_effect_pixels.h"

namespace {

EffectSource MenuImage(int side) {
  EffectSource source;
  source.Width = side;
  source.Height = side;
  source.HasAlphaChannel = true;
  for (int i = 0; i < side * side; ++i) source.Pixels.push_back(PackPixel(i % 3 == 0 ? 0 : 255, i % 256, 64, 200));
  source.Mask.assign(source.Pixels.size(), 0);
  return source;
}

void GreyEffect(benchmark::State& state) {
  const EffectSource source = MenuImage(static_cast<int>(state.range(0)));
  const IconEffectSettings settings{120, 0, 0, 0, 0, true};
  for (auto _ : state) benchmark::DoNotOptimize(ApplyIconEffect(source, settings));
}
BENCHMARK(GreyEffect)->Arg(16)->Arg(32);

void SchemeTint(benchmark::State& state) {
  const EffectSource source = MenuImage(static_cast<int>(state.range(0)));
  const TintSettings settings{255, 0xE2A981, 0.0f, 0.64f, 0xD2D2D2, 110};
  for (auto _ : state) benchmark::DoNotOptimize(ApplyTint(source, settings));
}
BENCHMARK(SchemeTint)->Arg(16)->Arg(32);

class NullCanvas : public CodedTextCanvas {
 public:
  TextExtent Measure(TextView text) override { return {static_cast<int>(text.size()) * 7, 13}; }
  void Draw(TextView, const TextBox&, std::uint32_t) override {}
  void UseFont(const CodedFontStyle&, bool) override {}
  void UseTextColour(std::uint32_t) override {}
};

void CodedCaption(benchmark::State& state) {
  const Text caption = u"\\bOpen\\b recent \\cFF0000server\\n list\\|\\l7details\\l with a \\\\ path";
  NullCanvas canvas;
  for (auto _ : state) {
    benchmark::DoNotOptimize(LayOutCodedText(caption, {0, 0, 300, 20}, 0x800001, CodedFontStyle{}, 0, 0, canvas));
  }
}
BENCHMARK(CodedCaption);

}  // namespace
