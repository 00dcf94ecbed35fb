#include <array>
#include <optional>

#include "runtime/portable/text_ops.h"
#include "veloui/foundation/core/colour_expression.h"
#include "veloui/foundation/core/font_steps.h"
#include "veloui/skins/builtin_skins.h"
#include "veloui/skins/control_look/control_look.h"
#include "veloui/skins/core/skin_properties.h"
#include "veloui/skins/core/skin_records.h"

namespace {
// A skin colour word as a COLORREF: rgba() gives ARGB (a non-zero top byte), the rest COLORREF.
COLORREF AsColorRef(std::uint32_t colour) {
  if ((colour & 0xFF000000u) == 0) return colour;
  return RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
}

std::optional<COLORREF> ColourIn(ControlSkin skin, TextView component, TextView state, const Text& property,
                                 TextView attribute = {}) {
  const std::uint32_t colour = GetSkinPropertyColour(skin, component, state, property, attribute);
  if (colour == kNoColour) return std::nullopt;
  return AsColorRef(colour);
}

// A colour argument comes as the decimal text of its colour word.
std::uint32_t ArgumentColour(const Text& argument) {
  if (!argument.empty() && IsNumericString(argument) != 0 && argument.find(u'.') == Text::npos)
    return static_cast<std::uint32_t>(ParseIntegerText(argument, IntegerBases::Decimal, IntegerRange::Wrap64));
  return ParseColourValue(argument);
}

// "gradient: [vertical,] start, end, ..." in a property: the two colours of its ends.
bool ReadGradient(ControlLook& look, ControlSkin skin, TextView component, TextView state, const Text& property) {
  if (GetSkinFunctionArgumentCount(skin, component, state, property, u"gradient") < 2) return false;
  const Text kind = GetSkinFunctionArgument(skin, component, state, property, u"gradient", 1);
  const int first = kind == u"vertical" || kind == u"rectangle" || kind == u"ellipse" ? 2 : 1;
  const std::uint32_t start = ArgumentColour(GetSkinFunctionArgument(skin, component, state, property, u"gradient", first));
  const std::uint32_t end =
      ArgumentColour(GetSkinFunctionArgument(skin, component, state, property, u"gradient", first + 1));
  if (start == kNoColour || end == kNoColour) return false;
  look.Background = AsColorRef(start);
  look.GradientEnd = AsColorRef(end);
  look.GradientVertical = first == 2;
  return true;
}

// The record of a property as the readers resolve it, or nullptr.
const SkinPropertyRecord* PropertyRecord(ControlSkin skin, TextView component, TextView state, TextView property) {
  if (FindSkinRecord(skin) == nullptr) return nullptr;  // leaves the current skin alone
  CurrentSkinScope scope(skin);
  return FindSkinProperty(ResolveSkinPropertyKey(component, state, property), state, property);
}

void ReadBackground(ControlLook& look, ControlSkin skin, TextView component, TextView state, const Text& prefix) {
  const Text background = prefix + u"background";
  // An image the skin made (its drawn button faces, say) rather than a colour.
  if (HANDLE image = ReadSkinImage(skin, component, state, background)) {
    look.Image = image;
    return;
  }
  if (ReadGradient(look, skin, component, state, background) || ReadGradient(look, skin, component, state, prefix + u"gradient"))
    return;
  const Text value = GetSkinProperty(skin, component, state, background);
  if (value == u"-1") {
    look.Background = CLR_INVALID;
  } else if (const auto colour = ColourIn(skin, component, state, background)) {
    look.Background = *colour;
    look.GradientEnd = CLR_INVALID;
  }
}

void ReadPadding(RECT& padding, ControlSkin skin, TextView component, TextView state, TextView property) {
  const auto side = [&](TextView name, LONG& edge) {
    const Text value = GetSkinProperty(skin, component, state, property, name);
    if (!value.empty()) edge = GetSkinPropertyNumber(skin, component, state, property, name);
  };
  side(u"left", padding.left);
  side(u"top", padding.top);
  side(u"right", padding.right);
  side(u"bottom", padding.bottom);
}

// "x: 50%; y: 50%;" centres the text, "x: 0; y: centre;" puts it left and centred down.
void ReadTextPosition(ControlLook& look, ControlSkin skin, TextView component, TextView state) {
  const auto centred = [&](TextView axis) {
    const Text value = GetSkinProperty(skin, component, state, u"text position", axis);
    return value == u"50%" || value == u"centre" || value == u"center";
  };
  if (GetSkinProperty(skin, component, state, u"text position").empty()) return;
  look.TextOptions = (centred(u"x") ? kCodedCentreAcross : 0) | (centred(u"y") ? kCodedCentreDown : 0);
}

// "x: 0; y: centre;", "x: 50%; y: 50%;" or "right: 4; top: 50%;".
void ReadImagePosition(ControlLook& look, ControlSkin skin, TextView component, TextView state) {
  const auto read = [&](ControlLook::Place& at, TextView nearName, TextView farName, TextView axisName) {
    for (TextView name : {axisName, nearName, farName}) {
      const Text value = GetSkinProperty(skin, component, state, u"image position", name);
      if (value.empty()) continue;
      at.Centred = value == u"50%" || value == u"centre" || value == u"center";
      at.FromFar = name == farName;
      at.Offset = GetSkinPropertyNumber(skin, component, state, u"image position", name);
      return;
    }
  };
  read(look.ImageX, u"left", u"right", u"x");
  read(look.ImageY, u"top", u"bottom", u"y");
}

HCURSOR CursorNamed(const Text& name) {
  struct Named {
    const char16_t* Name;
    const wchar_t* Id;
  };
  static const std::array<Named, 14> kCursors{{{u"appstarting", IDC_APPSTARTING}, {u"arrow", IDC_ARROW},
                                               {u"cross", IDC_CROSS}, {u"hand", IDC_HAND}, {u"help", IDC_HELP},
                                               {u"ibeam", IDC_IBEAM}, {u"size", IDC_SIZEALL},
                                               {u"sizeall", IDC_SIZEALL}, {u"sizenesw", IDC_SIZENESW},
                                               {u"sizens", IDC_SIZENS}, {u"sizenwse", IDC_SIZENWSE},
                                               {u"sizewe", IDC_SIZEWE}, {u"uparrow", IDC_UPARROW},
                                               {u"wait", IDC_WAIT}}};
  Text lower = name;
  for (char16_t& c : lower)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  for (const Named& cursor : kCursors)
    if (lower == cursor.Name) return LoadCursorW(nullptr, cursor.Id);
  return nullptr;
}

HFONT FontOf(ControlSkin skin, TextView component, TextView state) {
  const SkinPropertyRecord* text = PropertyRecord(skin, component, state, u"text");
  if (text == nullptr || text->Type != kSkinValueHandle || text->Mode != kSkinModeFont) return nullptr;
  return reinterpret_cast<HFONT>(text->Value);
}
}  // namespace

void ApplySkinLook(ControlLook& look, ControlSkin skin, TextView component, TextView state, TextView prefix) {
  const Text p(prefix);
  ReadBackground(look, skin, component, state, p);
  look.OverlayImage = ReadSkinImage(skin, component, state, p + u"overlay image");
  if (look.OverlayImage == nullptr) look.OverlayImage = ReadSkinImage(skin, component, state, p + u"overlay");
  look.BorderImage = ReadSkinImage(skin, component, state, p + u"border image");
  if (!p.empty()) return;  // a sub-look ("gripper ", "group ") has only its background
  if (const auto colour = ColourIn(skin, component, state, u"text", u"colour")) look.TextColour = *colour;
  if (const auto colour = ColourIn(skin, component, state, u"colour")) look.TextColour = *colour;
  if (HFONT font = FontOf(skin, component, state)) look.Font = font;
  ReadPadding(look.TextPadding, skin, component, state, u"text padding");
  ReadPadding(look.ImagePadding, skin, component, state, u"image padding");
  ReadTextPosition(look, skin, component, state);
  look.StateImage = ReadSkinImage(skin, component, state, u"image");
  ReadImagePosition(look, skin, component, state);
  if (HCURSOR cursor = CursorNamed(GetSkinProperty(skin, component, state, u"cursor"))) look.Cursor = cursor;
}

HANDLE ReadSkinImage(ControlSkin skin, TextView component, TextView state, TextView property) {
  const SkinPropertyRecord* record = PropertyRecord(skin, component, state, property);
  if (record == nullptr || record->Type != kSkinValueHandle || record->Mode == kSkinModeGradient) return nullptr;
  return reinterpret_cast<HANDLE>(record->Value);
}

std::int32_t ReadSkinNumber(ControlSkin skin, TextView component, TextView state, TextView property,
                            std::int32_t fallback) {
  const Text value = GetSkinProperty(skin, component, state, property);
  if (value.empty()) return fallback;
  // "5;" or a single declaration such as "width: 5;" or "bottom: 15;".
  const std::size_t colon = value.find(u':');
  const Text number = colon == Text::npos ? value : value.substr(colon + 1);
  std::int32_t result = 0;
  bool any = false;
  for (char16_t c : number) {
    if (c == u' ' && !any) continue;
    if (c < u'0' || c > u'9') break;
    result = result * 10 + (c - u'0');
    any = true;
    if (result > 100000) break;
  }
  return any ? result : fallback;
}

ControlSkin BuiltInControlSkin(TextView name) {
  BuildBuiltInSkin(name);
  return FindSkin(name);
}
