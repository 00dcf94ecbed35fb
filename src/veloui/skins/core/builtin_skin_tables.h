#pragma once
// The eleven built-in skins that the skinned controls fall back on, as tables of property
// calls; pictures are named by what they show and made by the caller (drawn in the system's
// look, or decoded from the program's embedded pictures).
#include <cstdint>
#include <optional>
#include <vector>

#include "runtime/portable/text.h"
#include "veloui/skins/core/skin_records.h"

enum class SkinPictureKind : std::uint8_t { None, Embedded, ButtonFace, RadioGlyph, CheckGlyph, Gripper };

// State bits of drawn pictures.
inline constexpr std::uint32_t kPictureHot = 1, kPicturePressed = 2, kPictureDisabled = 4, kPictureSelected = 8,
                               kPictureInBetween = 16, kPictureVertical = 32;

// The program's embedded skin pictures, in the order the image script writes them.
enum class EmbeddedSkinPicture : std::uint32_t {
  SysExpand, SysExpandHot, SysCollapse, SysCollapseHot, OfficeExpand, OfficeExpandHot, OfficeCollapse,
  OfficeCollapseHot, OfficeHeaderBorderMask, OfficeGroupBorderMask, OfficeGripper, OfficeGripperVertical,
  GripperBorderMask, OfficeGripperHot, Count
};

struct SkinPicture {
  SkinPictureKind Kind = SkinPictureKind::None;
  std::uint32_t Detail = 0;  // the embedded picture, or the state bits of a drawn one
};

struct BuiltInSkinProperty {
  Text Component, State, Property, Value;
  SkinPicture Picture;  // when set, the value is the picture's handle
};

struct BuiltInSkinTable {
  Text StoredName;
  std::vector<BuiltInSkinProperty> Properties;
};

// The table of a built-in skin by the name asked for (any case); nullopt for any other name.
std::optional<BuiltInSkinTable> BuiltInSkinTableOf(TextView name);

// Makes a picture; 0 when it cannot. Embedded pictures are shared for the life of the program,
// drawn ones belong to the skin.
using SkinPictureMaker = std::uintptr_t (*)(const SkinPicture& picture);

// Creates the named built-in skin unless it exists or the name is none of the eleven, with
// SkinBuildInProgress set throughout (so nothing is broadcast). Returns 0.
std::int32_t BuildBuiltInSkinWith(TextView name, SkinPictureMaker makePicture);
