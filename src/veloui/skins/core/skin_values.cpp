#include "veloui/skins/core/skin_values.h"

#include "runtime/portable/text_ops.h"
#include "veloui/foundation/core/colour_expression.h"
#include "veloui/foundation/core/colour_helpers.h"

Text CutAtSemicolon(TextView text) {
  const TextView before = text.substr(0, text.find(u';'));
  return TrimSpaces(before.empty() ? text : before);
}

std::int32_t ParseSkinAttributes(TextView text, std::vector<SkinAttribute>& attributes) {
  attributes.clear();
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.find(u';', at), text.size());
    const TextView field = text.substr(at, end - at);
    if (field.empty()) break;
    const std::size_t colon = field.find(u':');
    SkinAttribute attribute;
    attribute.Name = TrimSpaces(field.substr(0, colon));
    attribute.Value = colon == TextView::npos ? Text(u"true") : TrimSpaces(field.substr(colon + 1));
    if (!attribute.Name.empty()) attributes.push_back(std::move(attribute));
    at = end + 1;
  }
  return attributes.empty() ? 0 : 1;
}

std::optional<Text> FindSkinDeclaration(TextView text, TextView name) {
  std::vector<SkinAttribute> attributes;
  ParseSkinAttributes(text, attributes);
  for (SkinAttribute& attribute : attributes) {
    if (EqualIgnoringCase(attribute.Name, name)) return std::move(attribute.Value);
  }
  return std::nullopt;
}

std::vector<Text> SplitSkinArguments(TextView arguments) {
  std::vector<Text> out;
  char16_t quote = 0;
  int depth = 0;
  std::size_t start = 0;
  for (std::size_t at = 0; at < arguments.size(); ++at) {
    const char16_t c = arguments[at];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == u'"' || c == u'\'') {
      quote = c;
    } else if (c == u'(' || c == u'{') {
      ++depth;
    } else if ((c == u')' || c == u'}') && depth > 0) {
      --depth;
    } else if (c == u',' && depth == 0) {
      out.push_back(TrimSpaces(arguments.substr(start, at - start)));
      start = at + 1;
    }
  }
  out.push_back(TrimSpaces(arguments.substr(start)));
  return out;
}

std::int32_t CountSkinArguments(TextView arguments) {
  std::int32_t count = 0;
  for (const Text& argument : SplitSkinArguments(arguments)) {
    if (argument.empty()) break;
    ++count;
  }
  return count;
}

Text NormaliseSkinComponent(TextView component) {
  const Text lower = LowerText(component);
  const std::size_t colon = lower.find(u':');
  if (colon == Text::npos) return lower;
  return TrimSpaces(TextView(lower).substr(0, colon)) + u":" + TrimSpaces(TextView(lower).substr(colon + 1));
}

std::optional<std::uint32_t> ReadSkinColour(TextView text) {
  const std::uint32_t colour = ParseColourValue(text);
  if (colour != kNoColour) return colour;
  // Only the rgba form can yield the word -1, and then it is opaque white.
  const Text lower = LowerText(text);
  const std::size_t open = lower.find(u'(');
  if (lower.find(u"rgba") != Text::npos && open != Text::npos && lower.find(u')', open) != Text::npos) return colour;
  return std::nullopt;
}

std::uint32_t OpaqueArgb(std::uint32_t colour) {
  if (IsArgbWord(colour)) return colour;
  return PackColourBytes(255, colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

namespace {

// A position such as 0.5, .25 or 1: digits, a point, digits; the same value in both builds.
float ReadPosition(TextView text) {
  double value = 0;
  double scale = 0;
  for (char16_t c : text) {
    if (c == u'.' && scale == 0) {
      scale = 1;
    } else if (c >= u'0' && c <= u'9') {
      if (scale != 0) scale /= 10;
      value = scale != 0 ? value + (c - u'0') * scale : value * 10 + (c - u'0');
    } else {
      break;
    }
  }
  return static_cast<float>(value);
}

std::uint32_t GradientKind(TextView word) {
  if (word == u"vertical") return 1;
  if (word == u"rectangle") return 2;
  if (word == u"ellipse") return 3;
  return 0;
}

std::uint32_t FontStyleBit(TextView word) {
  if (word == u"underline" || word == u"underlined") return kSkinFontUnderline;
  if (word == u"italic") return kSkinFontItalic;
  if (word == u"bold") return kSkinFontBold;
  if (word == u"strike" || word == u"strikeout" || word == u"strikethrough" || word == u"striked") return kSkinFontStrike;
  return 0;
}

Text WithoutQuotes(const Text& text) {
  if (text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'') && text.back() == text.front())
    return TrimSpaces(TextView(text).substr(1, text.size() - 2));
  return text;
}

}  // namespace

// A declaration without two readable end colours is no gradient at all, never a half-read one
// that would paint colours the skin did not ask for; a stop without its colour ends the stops.
std::optional<SkinGradientDeclaration> ReadGradientDeclaration(TextView value) {
  const auto declaration = FindSkinDeclaration(value, u"gradient");
  if (!declaration) return std::nullopt;
  const std::vector<Text> arguments = SplitSkinArguments(*declaration);
  if (arguments.size() < 2) return std::nullopt;
  SkinGradientDeclaration gradient;
  gradient.Kind = GradientKind(LowerText(arguments[0]));
  const std::size_t first = gradient.Kind == 0 ? 0 : 1;
  if (arguments.size() < first + 2) return std::nullopt;
  const auto start = ReadSkinColour(arguments[first]);
  const auto end = ReadSkinColour(arguments[first + 1]);
  if (!start || !end) return std::nullopt;
  gradient.Start = OpaqueArgb(*start);
  gradient.End = OpaqueArgb(*end);
  for (std::size_t at = first + 2; at + 1 < arguments.size(); at += 2) {
    if (arguments[at].empty() || arguments[at + 1].empty()) break;
    const auto colour = ReadSkinColour(arguments[at + 1]);
    if (!colour) break;
    gradient.Stops.push_back({ReadPosition(arguments[at]), OpaqueArgb(*colour)});
  }
  return gradient;
}

std::optional<SkinFontDeclaration> ReadFontDeclaration(TextView value) {
  const auto declaration = FindSkinDeclaration(value, u"font");
  if (!declaration) return std::nullopt;
  const std::vector<Text> arguments = SplitSkinArguments(*declaration);
  SkinFontDeclaration font;
  font.Face = WithoutQuotes(arguments.at(0));
  if (font.Face.empty()) return std::nullopt;
  if (arguments.size() > 1) font.Size = ParseInteger32Text(arguments[1], IntegerBases::Decimal, IntegerRange::Saturate32);
  for (std::size_t at = 2; at < arguments.size(); ++at) font.Style |= FontStyleBit(LowerText(arguments[at]));
  return font;
}
