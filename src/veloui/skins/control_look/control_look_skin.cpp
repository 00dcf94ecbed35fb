#include "veloui/skins/control_look/control_look.h"

void ApplySkinLook(ControlLook&, ControlSkin, TextView, TextView, TextView) {}

ControlSkin BuiltInControlSkin(TextView) { return 0; }

std::int32_t ReadSkinNumber(ControlSkin, TextView, TextView, TextView, std::int32_t fallback) { return fallback; }
