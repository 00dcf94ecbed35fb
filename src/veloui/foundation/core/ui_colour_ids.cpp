#include "veloui/foundation/core/ui_colour_ids.h"

#include <algorithm>
#include <array>

namespace {
constexpr std::array<std::string_view, kNamedUIColourIdCount> kNames = {
    "menutitletextcolor", "menutitlehottextcolor", "menutitleheldtextcolor",
    "menutitleinactivetextcolor", "menutextcolor", "menuhotcolor", "menuhotgradientcolor1",
    "menuhotgradientcolor2", "menuhotborder", "menuheldcolor", "menuheldgradientcolor1",
    "menuheldgradientcolor2", "menuheldborder", "menubarcolor", "menucheckboxbackground",
    "menucheckboxborder", "menucheckboxselectedbackground", "menucheckboxselectedborder",
    "menucheckboxdisabledbackground", "menucheckboxdisabledborder", "menudropshadow",
    "bargradientcolor1", "bargradientcolor2", "bargradientcolor3", "bargradientcolor4",
    "separatorbar", "selectedcolor", "selectedtextcolor", "selectedborder", "disabledcolor",
    "background", "rebarbackground1", "rebarbackground2", "toolstripbackground1",
    "toolstripbackground2", "toolstripbackground3", "toolstripbackground4",
    "toolstripdropdowngradient1", "toolstripdropdowngradient2", "toolstripdropdowngradient3",
    "toolstripdropdowngradient4", "toolstripshadow", "grippersolid", "grippershadow",
    "selectgradientcolor1", "selectgradientcolor2", "stickyselectgradientcolor1",
    "stickyselectgradientcolor2", "stickyselectbordercolor", "toolbarbuttontextcolor",
    "toolbarbuttonhottextcolor", "toolbarbuttondisabledtextcolor", "toolbarhotgradientcolor1",
    "toolbarhotgradientcolor2", "toolbarseparator", "toolbarseparatorshadow",
};

constexpr std::array<std::int32_t, 22> kPlainIds = {5,  8,  9,  12, 13, 14, 15, 16, 17, 18, 19,
                                                    25, 26, 28, 30, 42, 43, 49, 50, 51, 54, 55};
}  // namespace

std::string_view UIColourIdName(std::int32_t id) {
  if (id < 0 || id >= kNamedUIColourIdCount) return {};
  return kNames[static_cast<std::size_t>(id)];
}

std::optional<std::int32_t> FindUIColourId(std::string_view name) {
  const auto found = std::find(kNames.begin(), kNames.end(), name);
  if (found == kNames.end()) return std::nullopt;
  return static_cast<std::int32_t>(found - kNames.begin());
}

bool IsPlainColourId(std::int32_t id) {
  return std::find(kPlainIds.begin(), kPlainIds.end(), id) != kPlainIds.end();
}
