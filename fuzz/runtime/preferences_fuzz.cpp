// Any bytes as a preference file: reading, looking up, setting and rewriting must hold up,
// and a rewritten file must read back to the same lines.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "runtime/portable/preferences.h"
#include "runtime/portable/text_ops.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  PreferenceDocument document = ParsePreferences(bytes);
  if (const Text* value = FindPreference(document, u"GUI", u"WindowState")) ParseInteger32Text(*value, IntegerBases::Decimal, IntegerRange::Wrap32);
  SetPreference(document, u"gui", u"Splitter", u"-1");
  SetPreference(document, u"General", u"AutoRefreshTime", u"10");
  const std::string rendered = RenderPreferences(document);
  PreferenceDocument again = ParsePreferences(rendered);
  // A file that was empty is written without the byte-order mark, and only then has content.
  again.wasEmpty = document.wasEmpty;
  if (RenderPreferences(again) != rendered) std::abort();
  const Text* splitter = FindPreference(again, u"GUI", u"SPLITTER");
  if (splitter == nullptr || ParseInteger32Text(*splitter, IntegerBases::Decimal, IntegerRange::Wrap32) != -1) std::abort();
  return 0;
}
