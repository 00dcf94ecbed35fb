// Colour values come from skin files: any text must give a colour word without reading past
// its end, and an rgb() result must never spill a channel into the top byte.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "veloui/foundation/core/colour_expression.h"
#include "veloui/foundation/core/ui_colour.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool ready = [] {
    InitColourTables();
    return true;
  }();
  (void)ready;
  const Text text = Utf8ToText(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::uint32_t colour = ParseColourValue(text);
  const bool rgb_call = text.find(u"rgb(") == 0 && text.find(u"rgba") == Text::npos &&
                        text.find(u')') != Text::npos && text.find(u'(') < text.find(u')');
  if (rgb_call && colour > 0x00FFFFFFu) std::abort();
  return 0;
}
