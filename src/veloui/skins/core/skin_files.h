#pragma once
// Skin files: a ".skn" XML document, or a ".sknz" pack holding the document last with the
// image files its values name before it (a name entry, then a data entry, per file).
#include <cstdint>

#include "runtime/portable/text.h"
#include "veloui/skins/core/skin_records.h"

// 1 and stored (with a trailing separator) when the path is an existing folder; else 0.
std::int32_t SetSkinDirectory(TextView path);

// The skin read; 0 when no readable document is found (a malformed pack included) or it holds
// no component, -1 when a component or state holds a foreign element, -2 when a property names
// a missing image file. A failed load leaves no skin behind. Compare with these values, never with "< 0": a handle
// is an address.
std::intptr_t LoadSkinFile(TextView file);

// 1 when the whole output was written; 0 (and no partial output) otherwise.
std::int32_t SaveSkinFile(SkinHandle skin, TextView file, bool asPack);
