#include "veloui/skins/core/builtin_skin_tables.h"

#include <array>
#include <string_view>

#include "runtime/portable/text_ops.h"
#include "veloui/skins/core/skin_properties.h"

namespace {

struct StateBits {
  const char16_t* Name;
  std::uint32_t Bits;
};

constexpr StateBits kButtonStates[] = {
    {u"normal", 0}, {u"hot", kPictureHot}, {u"pressed", kPicturePressed}, {u"disabled", kPictureDisabled},
    {u"selected", kPictureSelected}, {u"selected hot", kPictureSelected | kPictureHot},
    {u"selected pressed", kPictureSelected | kPicturePressed}};
constexpr StateBits kInBetweenStates[] = {{u"inbetween", kPictureInBetween},
                                          {u"inbetween hot", kPictureInBetween | kPictureHot},
                                          {u"inbetween pressed", kPictureInBetween | kPicturePressed}};
constexpr StateBits kSplitterStates[] = {
    {u"normal", 0}, {u"hot", kPictureHot}, {u"pressed", kPicturePressed}, {u"normal vertical", kPictureVertical},
    {u"hot vertical", kPictureVertical | kPictureHot}, {u"pressed vertical", kPictureVertical | kPicturePressed}};

constexpr const char16_t* kSchemes[] = {u"blue", u"silver", u"black", u"grey"};

class Writer {
 public:
  explicit Writer(BuiltInSkinTable& table) : table_(table) {}
  void Value(std::u16string_view component, std::u16string_view state, std::u16string_view property,
             std::u16string_view value) {
    table_.Properties.push_back({Text(component), Text(state), Text(property), Text(value), {}});
  }
  void Picture(std::u16string_view component, std::u16string_view state, std::u16string_view property,
               SkinPicture picture) {
    table_.Properties.push_back({Text(component), Text(state), Text(property), Text(), picture});
  }

 private:
  BuiltInSkinTable& table_;
};

SkinPicture Embedded(EmbeddedSkinPicture picture) {
  return {SkinPictureKind::Embedded, static_cast<std::uint32_t>(picture)};
}

bool IsHot(std::uint32_t bits) { return (bits & kPictureHot) != 0; }
bool IsDisabled(std::uint32_t bits) { return (bits & kPictureDisabled) != 0; }

void ImageButton(Writer& out) {
  for (const StateBits& state : std::array{kButtonStates[0], kButtonStates[1], kButtonStates[2], kButtonStates[3]}) {
    out.Value(u"imagebuttonex", state.Name, u"background", u"-1;");
    out.Value(u"imagebuttonex", state.Name, u"image position", u"x: 50%; y: 50%;");
  }
}

// Push buttons have a drawn face behind centred text; radio and check buttons a glyph at the
// left with the text beside it.
void Button(Writer& out, std::u16string_view component, SkinPictureKind picture, bool withInBetween) {
  const bool face = picture == SkinPictureKind::ButtonFace;
  auto states = std::vector<StateBits>(std::begin(kButtonStates), std::end(kButtonStates));
  if (withInBetween) states.insert(states.end(), std::begin(kInBetweenStates), std::end(kInBetweenStates));
  for (const StateBits& state : states) {
    out.Picture(component, state.Name, u"background", {picture, state.Bits});
    out.Value(component, state.Name, u"image position", u"x: 0; y: centre;");
    out.Value(component, state.Name, u"image padding", u"top: 2; left: 6; bottom: 2; right: 4;");
    out.Value(component, state.Name, u"text position", face ? u"x: 50%; y: 50%;" : u"x: 0; y: centre;");
    out.Value(component, state.Name, u"text padding",
              face ? u"top: 2; left: 6; bottom: 2; right: 4;" : u"top: 2; left: 20; bottom: 2; right: 4;");
  }
}

struct XBarLook {
  bool Office;
  const char16_t* Background;
  const char16_t* GroupBackground;
  const char16_t* HeaderBackground;
  const char16_t* HeaderText;
  const char16_t* HeaderHotText;
  const char16_t* ItemText;
  const char16_t* ItemHotText;
  const char16_t* HeaderDisabledText;
  const char16_t* ItemDisabledText;
};

constexpr XBarLook kSysXBar = {false,
                               u"gradient: vertical, COLOR_WINDOW, COLOR_BTNFACE;",
                               u"COLOR_WINDOW;",
                               u"gradient: COLOR_WINDOW, COLOR_BTNFACE;",
                               u"font: Segoe UI, 8, bold; colour: COLOR_WINDOWTEXT;",
                               u"font: Segoe UI, 8, bold; colour: COLOR_HOTLIGHT;",
                               u"font: Segoe UI, 8; colour: COLOR_HOTLIGHT;",
                               u"font: Segoe UI, 8, underline; colour: COLOR_HOTLIGHT;",
                               u"font: Segoe UI, 8, bold; colour: COLOR_GRAYTEXT;",
                               u"font: Segoe UI, 8; colour: COLOR_GRAYTEXT;"};
constexpr XBarLook kOfficeXBar = {
    true,
    u"gradient: vertical, rgb(227,239,255), rgb(182,214,255), 0.25, rgb(227,239,255), 0.75, rgb(182,214,255);",
    u"white;",
    u"gradient: #d6e8ff, #d6e8ff, 0.5, #e2eeff;",
    u"font: Segoe UI, 8, bold; colour: #15428b;",
    u"font: Segoe UI, 8, bold; colour: #15428b;",
    u"font: Segoe UI, 8; colour: #15428b;",
    u"font: Segoe UI, 8, underline; colour: #003db2;",
    u"font: Segoe UI, 8, bold; colour: #8d8d8d;",
    u"font: Segoe UI, 8; colour: #8d8d8d;"};

SkinPicture HeaderArrow(const XBarLook& look, std::uint32_t bits) {
  using P = EmbeddedSkinPicture;
  const bool open = (bits & kPictureSelected) != 0;
  if (look.Office) {
    return Embedded(open ? (IsHot(bits) ? P::OfficeCollapseHot : P::OfficeCollapse)
                         : (IsHot(bits) ? P::OfficeExpandHot : P::OfficeExpand));
  }
  return Embedded(open ? (IsHot(bits) ? P::SysCollapseHot : P::SysCollapse)
                       : (IsHot(bits) ? P::SysExpandHot : P::SysExpand));
}

const char16_t* TextValue(const char16_t* normal, const char16_t* hot, const char16_t* disabled, std::uint32_t bits) {
  if (IsDisabled(bits)) return disabled;
  return IsHot(bits) ? hot : normal;
}

void XBar(Writer& out, const XBarLook& look) {
  for (const StateBits& state : kButtonStates) {
    const char16_t* c = u"explorerbar";
    out.Value(c, state.Name, u"background", look.Background);
    out.Value(c, state.Name, u"group background", look.GroupBackground);
    out.Value(c, state.Name, u"margin", u"top: 12; left: 12; bottom: 12; right: 12;");
    out.Value(c, state.Name, u"group margin", u"bottom: 15;");
    out.Value(c, state.Name, u"group padding", u"top: 6; left: 12; bottom: 6; right: 12;");
    out.Value(c, state.Name, u"item padding", u"top: 2; left: 0; bottom: 2; right: 0;");
    out.Value(c, state.Name, u"header height", u"20;");
    out.Value(c, state.Name, u"item height", u"22;");
    if (look.Office) out.Picture(c, state.Name, u"group border mask", Embedded(EmbeddedSkinPicture::OfficeGroupBorderMask));
  }
  for (const StateBits& state : kButtonStates) {
    const char16_t* c = u"explorerbar group header";
    out.Value(c, state.Name, u"background", look.HeaderBackground);
    out.Value(c, state.Name, u"background position", u"x: 0; y: 0;");
    out.Picture(c, state.Name, u"image", HeaderArrow(look, state.Bits));
    out.Value(c, state.Name, u"image position", u"right: 4; top: 50%; masked: true;");
    out.Value(c, state.Name, u"image padding", u"top: 2; left: 6; bottom: 2; right: 4;");
    out.Value(c, state.Name, u"text position", u"x: 0; y: centre;");
    out.Value(c, state.Name, u"text padding", u"top: 2; left: 9; bottom: 2; right: 20;");
    out.Value(c, state.Name, u"text", TextValue(look.HeaderText, look.HeaderHotText, look.HeaderDisabledText, state.Bits));
    out.Value(c, state.Name, u"cursor", IsDisabled(state.Bits) ? u"arrow;" : u"hand;");
    if (look.Office) out.Picture(c, state.Name, u"border mask", Embedded(EmbeddedSkinPicture::OfficeHeaderBorderMask));
  }
  for (const StateBits& state : kButtonStates) {
    const char16_t* c = u"explorerbar group item";
    out.Value(c, state.Name, u"background", u"-1;");
    out.Value(c, state.Name, u"background position", u"x: 0; y: 0;");
    out.Value(c, state.Name, u"image", u"-1;");
    out.Value(c, state.Name, u"image position", u"x: 0; y: centre;");
    out.Value(c, state.Name, u"image padding", u"top: 0; left: 4; bottom: 0; right: 4;");
    out.Value(c, state.Name, u"text position", u"x: 0; y: centre;");
    out.Value(c, state.Name, u"text padding", u"top: 2; left: 6; bottom: 2; right: 4;");
    out.Value(c, state.Name, u"text", TextValue(look.ItemText, look.ItemHotText, look.ItemDisabledText, state.Bits));
    out.Value(c, state.Name, u"cursor", IsDisabled(state.Bits) ? u"arrow;" : u"hand;");
  }
}

// The Office 2007 header of each colour scheme: background (normal and hot) and text colour.
struct SchemeHeader {
  const char16_t* Background;
  const char16_t* HotBackground;
  const char16_t* Text;
};
constexpr SchemeHeader kSchemeHeaders[] = {
    {u"gradient: #d6e8ff, #d6e8ff, 0.5, #e2eeff;", u"gradient: #e3efff, #e3efff, 0.5, #fefeff;",
     u"font: Segoe UI, 8, bold; colour: #15428b;"},
    {u"gradient: #d5dbe7, #d5dbe7, 0.5, #f3f5f5;", u"gradient: #e7eaee, #e7eaee, 0.5, #fefefe;",
     u"font: Segoe UI, 8, bold; colour: #15428b;"},
    {u"gradient: #dde0e3, #dde0e3, 0.5, #f0f1f2;", u"gradient: #e8eaec, #e8eaec, 0.5, #fefefe;",
     u"font: Segoe UI, 8, bold; colour: black;"},
    {u"gradient: #dde0e3, #dde0e3, 0.5, #f0f1f2;", u"gradient: #e8eaec, #e8eaec, 0.5, #fefefe;",
     u"font: Segoe UI, 8, bold; colour: black;"}};

void OfficeXBarSchemes(Writer& out) {
  for (std::size_t scheme = 0; scheme < std::size(kSchemes); ++scheme) {
    const Text component = Text(u"explorerbar group header:") + kSchemes[scheme];
    const SchemeHeader& look = kSchemeHeaders[scheme];
    for (const StateBits& state : kButtonStates) {
      out.Value(component, state.Name, u"background", IsHot(state.Bits) ? look.HotBackground : look.Background);
      if (!IsDisabled(state.Bits)) out.Value(component, state.Name, u"text", look.Text);
    }
  }
}

enum class SplitterLook { System, System2, Office };

SkinPicture SplitterGripper(SplitterLook look, std::uint32_t bits) {
  if (look != SplitterLook::Office) return {SkinPictureKind::Gripper, bits};
  if (IsHot(bits)) return Embedded(EmbeddedSkinPicture::OfficeGripperHot);
  return Embedded((bits & kPictureVertical) != 0 ? EmbeddedSkinPicture::OfficeGripperVertical
                                                 : EmbeddedSkinPicture::OfficeGripper);
}

void Splitter(Writer& out, SplitterLook look) {
  const char16_t* c = u"splitterex";
  for (const StateBits& state : kSplitterStates) {
    const bool vertical = (state.Bits & kPictureVertical) != 0;
    out.Value(c, state.Name, u"gripper size", vertical ? u"width: 5;" : u"height: 5;");
    if (look == SplitterLook::System) {
      out.Picture(c, state.Name, u"gripper background", SplitterGripper(look, state.Bits));
      out.Value(c, state.Name, u"background", u"COLOR_BTNFACE;");
      continue;
    }
    out.Value(c, state.Name, u"first padding", vertical ? u"right: 2;" : u"bottom: 2;");
    out.Value(c, state.Name, u"second padding", vertical ? u"left: 2;" : u"top: 2;");
    out.Value(c, state.Name, u"background", look == SplitterLook::Office ? u"#bfdbff;" : u"COLOR_BTNFACE;");
    out.Picture(c, state.Name, u"gripper background", SplitterGripper(look, state.Bits));
    out.Picture(c, state.Name, u"gripper border mask", Embedded(EmbeddedSkinPicture::GripperBorderMask));
    if (look == SplitterLook::Office) out.Value(c, state.Name, u"gripper background position", u"x: 50%; y: 50%;");
  }
}

void OfficeSplitterSchemes(Writer& out) {
  constexpr const char16_t* kBackgrounds[] = {u"#bfdbff;", u"#d0d4dd;", u"#535353;", u"#c5c5c5;"};
  for (std::size_t scheme = 0; scheme < std::size(kSchemes); ++scheme) {
    const Text component = Text(u"splitterex:") + kSchemes[scheme];
    for (const StateBits& state : kSplitterStates) out.Value(component, state.Name, u"background", kBackgrounds[scheme]);
  }
}

struct BuiltInSkin {
  const char16_t* AskedFor;
  const char16_t* StoredName;
  void (*Write)(Writer& out);
};

constexpr BuiltInSkin kBuiltInSkins[] = {
    {u"imagebuttonskin", u"imageButtonSkin", ImageButton},
    {u"sysbuttonskin", u"sysButtonSkin", [](Writer& out) { Button(out, u"buttonex", SkinPictureKind::ButtonFace, false); }},
    {u"systogglebuttonskin", u"sysToggleButtonSkin",
     [](Writer& out) { Button(out, u"togglebuttonex", SkinPictureKind::ButtonFace, false); }},
    {u"sysstickybuttonskin", u"sysStickyButtonSkin",
     [](Writer& out) { Button(out, u"togglebuttonex", SkinPictureKind::ButtonFace, false); }},
    {u"sysradiobuttonskin", u"sysRadioButtonSkin",
     [](Writer& out) { Button(out, u"radiobuttonex", SkinPictureKind::RadioGlyph, false); }},
    {u"syscheckbuttonskin", u"sysCheckButtonSkin",
     [](Writer& out) { Button(out, u"checkbuttonex", SkinPictureKind::CheckGlyph, true); }},
    {u"sysxbarskin", u"sysXBarSkin", [](Writer& out) { XBar(out, kSysXBar); }},
    {u"office2007xbarskin", u"office2007XBarSkin",
     [](Writer& out) {
       XBar(out, kOfficeXBar);
       OfficeXBarSchemes(out);
     }},
    {u"syssplitterskin", u"sysSplitterSkin", [](Writer& out) { Splitter(out, SplitterLook::System); }},
    {u"syssplitter2skin", u"sysSplitter2Skin", [](Writer& out) { Splitter(out, SplitterLook::System2); }},
    {u"office2007splitterskin", u"office2007SplitterSkin",
     [](Writer& out) {
       Splitter(out, SplitterLook::Office);
       OfficeSplitterSchemes(out);
     }},
};

}  // namespace

std::optional<BuiltInSkinTable> BuiltInSkinTableOf(TextView name) {
  const Text lower = LowerText(name);
  for (const BuiltInSkin& skin : kBuiltInSkins) {
    if (lower != skin.AskedFor) continue;
    BuiltInSkinTable table;
    table.StoredName = skin.StoredName;
    Writer out(table);
    skin.Write(out);
    return table;
  }
  return std::nullopt;
}

std::int32_t BuildBuiltInSkinWith(TextView name, SkinPictureMaker makePicture) {
  if (FindSkin(name) != 0) return 0;
  const auto table = BuiltInSkinTableOf(name);
  if (!table) return 0;
  const bool building = Skins().SkinBuildInProgress;
  Skins().SkinBuildInProgress = true;
  const SkinHandle skin = CreateSkin(table->StoredName);
  for (const BuiltInSkinProperty& p : table->Properties) {
    if (p.Picture.Kind == SkinPictureKind::None) {
      SetSkinProperty(skin, p.Component, p.State, p.Property, p.Value);
      continue;
    }
    const std::uintptr_t picture = makePicture != nullptr ? makePicture(p.Picture) : 0;
    SetSkinProperty(skin, p.Component, p.State, p.Property, picture != 0 ? DecimalText(static_cast<std::int64_t>(picture)) + u";" : Text(u"-1;"));
    if (picture == 0) continue;
    const bool shared = p.Picture.Kind == SkinPictureKind::Embedded;
    SetSkinPropertyValue(skin, p.Component, p.State, p.Property, picture, shared ? SkinOwnedHandle::None : SkinOwnedHandle::Image);
  }
  Skins().SkinBuildInProgress = building;
  return 0;
}
