#include "veloui/skins/core/skin_properties.h"

#include "runtime/portable/text_ops.h"
#include "veloui/foundation/core/colour_expression.h"
#include "veloui/foundation/core/gradient_records.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/skins/core/skin_images.h"
#include "veloui/skins/core/skin_values.h"

namespace {

void StoreGradient(SkinHandle skin, TextView component, TextView state, TextView property, TextView value) {
  const auto declaration = ReadGradientDeclaration(value);
  const SkinServices& services = Skins().Services;
  if (!declaration || services.CreateGradient == nullptr) return;
  const GradientHandle gradient = services.CreateGradient(declaration->Kind, declaration->Start, declaration->End);
  if (gradient == 0) return;
  SetSkinPropertyValue(skin, component, state, property, gradient, SkinOwnedHandle::Gradient);
  SetSkinPropertyMode(skin, component, state, property, kSkinModeGradient);
  for (const SkinGradientStop& stop : declaration->Stops) AddGradientColour(gradient, stop.Position, stop.Colour);
}

void StoreFont(SkinHandle skin, TextView component, TextView state, TextView property, TextView value) {
  const auto declaration = ReadFontDeclaration(value);
  const SkinServices& services = Skins().Services;
  if (!declaration || services.LoadFont == nullptr) return;
  const std::uintptr_t font = services.LoadFont(declaration->Face, declaration->Size, declaration->Style);
  if (font == 0) return;
  SetSkinPropertyValue(skin, component, state, property, font, SkinOwnedHandle::Font);
  SetSkinPropertyMode(skin, component, state, property, kSkinModeFont);
}

// Loads the image a value names into the property; 1, or 0 when it could not be loaded.
std::int32_t StoreImage(SkinHandle skin, TextView component, TextView state, TextView property, TextView value) {
  const std::uintptr_t image = LoadSkinImage(value);
  if (image == 0) return 0;
  SetSkinPropertyValue(skin, component, state, property, image, SkinOwnedHandle::Image);
  return 1;
}

}  // namespace

std::int32_t SetSkinProperty(SkinHandle skin, TextView component, TextView state, TextView property,
                             TextView value) {
  SkinRecord* record = FindSkinRecord(skin);
  if (record == nullptr) return 0;
  CurrentSkinScope scope(skin);
  const Text componentKey = NormaliseSkinComponent(component);
  const Text stateKey = LowerText(state);
  const Text propertyKey = LowerText(property);
  const Text valueText = LowerText(value);
  SkinPropertyRecord* stored = AddSkinProperty(componentKey, stateKey, propertyKey);
  // Controls wearing the skin still hold the old handle: it goes only after the broadcast has
  // made them read the new one.
  SkinPropertyRecord replaced = TakeSkinPropertyHandle(*stored);
  stored->ValueText = valueText;

  std::int32_t result = 1;
  switch (ResolveSkinFilePath(valueText)) {
    case 1: result = StoreImage(skin, componentKey, stateKey, propertyKey, valueText); break;
    case -1: result = -1; break;
    default:
      StoreGradient(skin, componentKey, stateKey, propertyKey, valueText);
      StoreFont(skin, componentKey, stateKey, propertyKey, valueText);
  }
  if (record->InUse == 1 && !Skins().SkinBuildInProgress && Skins().Services.Broadcast != nullptr)
    Skins().Services.Broadcast(skin);
  ReleaseSkinPropertyHandle(replaced);
  return result;
}

Text ResolveSkinPropertyKey(TextView component, TextView state, TextView property) {
  const Text lower = LowerText(component);
  const std::size_t colon = lower.find(u':');
  if (colon != Text::npos) {
    const Text joined = NormaliseSkinComponent(lower);
    if (SkinPropertyExists(joined, state, property)) return joined;
    return TrimSpaces(TextView(lower).substr(0, colon));
  }
  const Text suffix = GetColourModeName();
  if (!suffix.empty()) {
    const Text variant = lower + u":" + suffix;
    if (SkinPropertyExists(variant, state, property)) return variant;
  }
  return lower;
}

namespace {

const SkinPropertyRecord* ResolvedProperty(SkinHandle skin, TextView component, TextView state, TextView property) {
  if (FindSkinRecord(skin) == nullptr) return nullptr;
  CurrentSkinScope scope(skin);
  return FindSkinProperty(ResolveSkinPropertyKey(component, state, property), state, property);
}

Text ColourAsDecimal(const Text& argument) {
  const auto colour = ReadSkinColour(argument);
  return colour ? DecimalText(*colour) : argument;
}

}  // namespace

Text GetSkinProperty(SkinHandle skin, TextView component, TextView state, TextView property, TextView attribute) {
  const SkinPropertyRecord* record = ResolvedProperty(skin, component, state, property);
  if (record == nullptr) return {};
  if (attribute.empty()) {
    // A value that begins with ";" reads as its first field that holds something, as
    // CutAtSemicolon takes more than the empty part before the first ";"; but only that
    // field, never the fields after it glued on.
    const TextView value = record->ValueText;
    const std::size_t from = value.find_first_not_of(u"; ");
    if (from == TextView::npos) return {};
    const std::size_t semicolon = value.find(u';', from);
    const TextView cut = value.substr(from, semicolon == TextView::npos ? TextView::npos : semicolon - from);
    return TrimSpaces(cut);
  }
  const auto declaration = FindSkinDeclaration(record->ValueText, LowerText(attribute));
  if (!declaration) return {};
  const std::vector<Text> arguments = SplitSkinArguments(*declaration);
  return arguments.size() == 1 ? ColourAsDecimal(arguments[0]) : *declaration;
}

std::int32_t GetSkinFunctionArgumentCount(SkinHandle skin, TextView component, TextView state, TextView property,
                                          TextView name) {
  const SkinPropertyRecord* record = ResolvedProperty(skin, component, state, property);
  if (record == nullptr) return 0;
  const auto declaration = FindSkinDeclaration(record->ValueText, LowerText(name));
  return declaration ? CountSkinArguments(*declaration) : 0;
}

Text GetSkinFunctionArgument(SkinHandle skin, TextView component, TextView state, TextView property, TextView name,
                             std::int32_t index) {
  const SkinPropertyRecord* record = ResolvedProperty(skin, component, state, property);
  if (record == nullptr || index < 1) return {};
  const auto declaration = FindSkinDeclaration(record->ValueText, LowerText(name));
  if (!declaration) return {};
  const std::vector<Text> arguments = SplitSkinArguments(*declaration);
  if (static_cast<std::size_t>(index) > arguments.size()) return {};
  return ColourAsDecimal(arguments[static_cast<std::size_t>(index) - 1]);
}

std::optional<std::uint32_t> ReadSkinArgumentColour(const Text& text) {
  if (text.empty()) return std::nullopt;
  // A colour argument already turned into the decimal text of its colour word.
  if (IsNumericString(text) && text.find(u'.') == Text::npos) return static_cast<std::uint32_t>(ParseInteger32Text(text, IntegerBases::Decimal, IntegerRange::Wrap32));
  return ReadSkinColour(text);
}

std::optional<std::uint32_t> FindSkinPropertyColour(SkinHandle skin, TextView component, TextView state,
                                                    TextView property, TextView attribute) {
  return ReadSkinArgumentColour(GetSkinProperty(skin, component, state, property, attribute));
}

std::uint32_t GetSkinPropertyColour(SkinHandle skin, TextView component, TextView state, TextView property,
                                    TextView attribute) {
  return GetSkinPropertyColourEx(skin, component, state, property, attribute, kNoColour);
}

std::uint32_t GetSkinPropertyColourEx(SkinHandle skin, TextView component, TextView state, TextView property,
                                      TextView attribute, std::uint32_t defaultColour) {
  return FindSkinPropertyColour(skin, component, state, property, attribute).value_or(defaultColour);
}

std::int32_t GetSkinPropertyNumber(SkinHandle skin, TextView component, TextView state, TextView property,
                                   TextView attribute) {
  return ParseInteger32Text(GetSkinProperty(skin, component, state, property, attribute), IntegerBases::Decimal,
                            IntegerRange::Wrap32);
}

std::uintptr_t GetSkinPropertyImage(SkinHandle skin, TextView component, TextView state, TextView property) {
  const SkinPropertyRecord* record = ResolvedProperty(skin, component, state, property);
  if (record == nullptr) return 0;
  if (record->Type == kSkinValueHandle) return record->Value;
  // The decimal text of a handle, which may not fit a signed 32-bit number.
  return static_cast<std::uintptr_t>(
      ParseIntegerText(CutAtSemicolon(record->ValueText), IntegerBases::Decimal, IntegerRange::Wrap64));
}
