// Coded texts of any shape (skins and captions put them together from parts) must never be
// read past their end, and the layout must stay consistent with the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "veloui/foundation/core/coded_text_layout.h"

namespace {

class CountingCanvas : public CodedTextCanvas {
 public:
  TextExtent Measure(TextView text) override {
    return {static_cast<int>(text.size()) * (style_.Weight == 700 ? 8 : 6), style_.Underline ? 12 : 10};
  }
  void Draw(TextView text, const TextBox& box, std::uint32_t) override {
    if (text.empty() || box.Right < box.Left - 100000) std::abort();
  }
  void UseFont(const CodedFontStyle& style, bool) override { style_ = style; }
  void UseTextColour(std::uint32_t colour) override {
    if (colour > 0xFFFFFF) std::abort();
  }

 private:
  CodedFontStyle style_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  std::uint32_t options = 0;
  std::memcpy(&options, data, 4);
  options &= ~kCodedNoCodes;
  Text text((size - 4) / 2, u'\0');
  std::memcpy(text.data(), data + 4, text.size() * 2);
  CountingCanvas canvas;
  const CodedTextLayout layout = LayOutCodedText(text, {0, 0, 300, 40}, options, CodedFontStyle{}, 0, 2, canvas);
  if (layout.Visible.size() > text.size()) std::abort();
  if (layout.Measured.Width < 0 || layout.Measured.Height < 0) std::abort();
  if (layout.Links.size() > text.size() / 2) std::abort();
  if (LinkMeasureText(text).size() > text.size()) std::abort();
  return 0;
}
