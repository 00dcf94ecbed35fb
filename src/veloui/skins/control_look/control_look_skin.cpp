#include <array>
#include <optional>

#include "runtime/portable/text_ops.h"
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

// Opaque white written "rgba(255,255,255,1.0)" has the word -1, which is no "no colour" here.
std::optional<COLORREF> ColourIn(ControlSkin skin, TextView component, TextView state, const Text& property,
                                 TextView attribute = {}) {
  const auto colour = FindSkinPropertyColour(skin, component, state, property, attribute);
  if (!colour) return std::nullopt;
  return AsColorRef(*colour);
}

// "gradient: [vertical,] start, end, ..." in a property: the two colours of its ends.
bool ReadGradient(ControlLook& look, ControlSkin skin, TextView component, TextView state, const Text& property) {
  if (GetSkinFunctionArgumentCount(skin, component, state, property, u"gradient") < 2) return false;
  const Text kind = GetSkinFunctionArgument(skin, component, state, property, u"gradient", 1);
  const int first = kind == u"vertical" || kind == u"rectangle" || kind == u"ellipse" ? 2 : 1;
  const auto start = ReadSkinArgumentColour(GetSkinFunctionArgument(skin, component, state, property, u"gradient", first));
  const auto end = ReadSkinArgumentColour(GetSkinFunctionArgument(skin, component, state, property, u"gradient", first + 1));
  if (!start || !end) return false;
  look.Background = AsColorRef(*start);
  look.GradientEnd = AsColorRef(*end);
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
  look.Image = ReadSkinImage(skin, component, state, prefix + u"background image");
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

bool IsCentreWord(const Text& value) { return value == u"50%" || value == u"centre" || value == u"center"; }

// One axis of a position: "x: 50%" or "x: centre", "left: 4" (bare "left" is "left: 0"),
// "right: 4". False when the property names none of them.
bool ReadPlace(ImagePlacement::Place& at, ControlSkin skin, TextView component, TextView state, const Text& property,
               TextView axis, TextView nearName, TextView farName) {
  for (TextView name : {axis, nearName, farName}) {
    const Text value = GetSkinProperty(skin, component, state, property, name);
    if (value.empty()) continue;
    at.Centred = IsCentreWord(value);
    at.FromFar = name == farName;
    at.Offset = value == u"true" ? 0 : GetSkinPropertyNumber(skin, component, state, property, name);
    return true;
  }
  return false;
}

// "stretch", "tile", "repeat", "centre", "masked", and the places of ReadPlace.
ImagePlacement ReadPlacement(ControlSkin skin, TextView component, TextView state, const Text& property,
                             ImagePlacement place = {}) {
  if (GetSkinProperty(skin, component, state, property).empty()) return place;
  const auto word = [&](TextView name) { return GetSkinProperty(skin, component, state, property, name) == u"true"; };
  const bool x = ReadPlace(place.X, skin, component, state, property, u"x", u"left", u"right");
  const bool y = ReadPlace(place.Y, skin, component, state, property, u"y", u"top", u"bottom");
  if (x || y || word(u"centre") || word(u"center")) place.Fit = ImagePlacement::Fit::OwnSize;
  if (word(u"tile") || word(u"repeat")) place.Fit = ImagePlacement::Fit::Tile;
  if (word(u"stretch")) place.Fit = ImagePlacement::Fit::Stretch;
  place.Masked = word(u"masked");
  return place;
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
  const auto centred = [&](TextView axis) { return IsCentreWord(GetSkinProperty(skin, component, state, u"text position", axis)); };
  if (GetSkinProperty(skin, component, state, u"text position").empty()) return;
  look.TextOptions = (centred(u"x") ? kCodedCentreAcross : 0) | (centred(u"y") ? kCodedCentreDown : 0);
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

// The font of the "font" property, else of the "text" property's font declaration.
HFONT FontOf(ControlSkin skin, TextView component, TextView state) {
  for (TextView property : {u"font", u"text"}) {
    const SkinPropertyRecord* record = PropertyRecord(skin, component, state, property);
    if (record != nullptr && record->Type == kSkinValueHandle && record->Owned == SkinOwnedHandle::Font)
      return reinterpret_cast<HFONT>(record->Value);
  }
  return nullptr;
}

bool ReadFlag(ControlSkin skin, TextView component, TextView state, TextView property) {
  const Text value = GetSkinProperty(skin, component, state, property);
  return value == u"true" || value == u"1" || GetSkinProperty(skin, component, state, property, property) == u"true";
}
}  // namespace

void ApplySkinLook(ControlLook& look, ControlSkin skin, TextView component, TextView state, TextView prefix) {
  const Text p(prefix);
  ReadBackground(look, skin, component, state, p);
  look.ImagePlace = ReadPlacement(skin, component, state, p + u"background position");
  look.OverlayImage = ReadSkinImage(skin, component, state, p + u"overlay image");
  if (look.OverlayImage == nullptr) look.OverlayImage = ReadSkinImage(skin, component, state, p + u"overlay");
  look.OverlayPlace = ReadPlacement(skin, component, state, p + u"overlay position");
  look.BorderImage = ReadSkinImage(skin, component, state, p + u"border image");
  look.BorderMask = ReadSkinImage(skin, component, state, p + u"border mask");
  if (!p.empty()) return;  // a sub-look ("gripper ", "group ") has only its background, border and overlay
  if (const auto colour = ColourIn(skin, component, state, u"text", u"colour")) look.TextColour = *colour;
  if (const auto colour = ColourIn(skin, component, state, u"colour")) look.TextColour = *colour;
  if (HFONT font = FontOf(skin, component, state)) look.Font = font;
  look.NoClip = ReadFlag(skin, component, state, u"noclip");
  ReadPadding(look.TextPadding, skin, component, state, u"text padding");
  ReadPadding(look.ImagePadding, skin, component, state, u"image padding");
  ReadTextPosition(look, skin, component, state);
  look.StateImage = ReadSkinImage(skin, component, state, u"image");
  look.StatePlace = ReadPlacement(skin, component, state, u"image position", look.StatePlace);
  if (HCURSOR cursor = CursorNamed(GetSkinProperty(skin, component, state, u"cursor"))) look.Cursor = cursor;
}

RECT ReadSkinPadding(ControlSkin skin, TextView component, TextView state, TextView property) {
  RECT padding{};
  ReadPadding(padding, skin, component, state, property);
  return padding;
}

HANDLE ReadSkinImage(ControlSkin skin, TextView component, TextView state, TextView property) {
  const SkinPropertyRecord* record = PropertyRecord(skin, component, state, property);
  if (record == nullptr || record->Type != kSkinValueHandle || record->Owned == SkinOwnedHandle::Gradient ||
      record->Owned == SkinOwnedHandle::Font)
    return nullptr;
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
