#include "veloui/menus/core/rebar_layout_rules.h"

#include <limits>

#include "runtime/portable/xml.h"

namespace {
// Widths beyond this are no width a screen shows.
constexpr std::uint32_t kMostWidth = 0x7FFF;
constexpr std::size_t kMostDigits = 10;
}  // namespace

bool ParseLayoutNumber(TextView text, std::uint32_t maximum, std::uint32_t& value) {
  if (text.empty() || text.size() > kMostDigits) return false;
  std::uint64_t parsed = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return false;
    parsed = parsed * 10 + static_cast<std::uint64_t>(c - u'0');
  }
  if (parsed > maximum) return false;
  value = static_cast<std::uint32_t>(parsed);
  return true;
}

std::uint32_t KeepBandStyleBits(std::uint32_t style) { return style & kBandStyleBits; }

bool ReadBandLayout(std::string_view document, std::vector<BandLayoutEntry>& bands) {
  bands.clear();
  XmlElement root;
  if (!ParseXmlDocument(document, u"layout", root)) return false;
  int position = 0;
  for (const XmlElement& element : root.children) {
    if (!element.NameIs(u"Band")) continue;
    BandLayoutEntry band;
    band.Position = position++;
    if (!ParseLayoutNumber(element.AttributeOr(u"ID"), std::numeric_limits<std::uint32_t>::max(), band.Id) ||
        !ParseLayoutNumber(element.AttributeOr(u"cx"), kMostWidth, band.Width) ||
        !ParseLayoutNumber(element.AttributeOr(u"fStyle"), std::numeric_limits<std::uint32_t>::max(), band.Style))
      continue;
    band.Style = KeepBandStyleBits(band.Style);
    bands.push_back(band);
  }
  return true;
}

std::string WriteBandLayout(const std::vector<BandLayoutEntry>& bands) {
  XmlElement root;
  root.name = u"Layout";
  for (const BandLayoutEntry& band : bands) {
    XmlElement& element = root.AddChild(u"Band");
    element.SetAttribute(u"ID", DecimalText(band.Id));
    element.SetAttribute(u"cx", DecimalText(band.Width));
    element.SetAttribute(u"fStyle", DecimalText(band.Style));
  }
  return WriteXml(root);
}
