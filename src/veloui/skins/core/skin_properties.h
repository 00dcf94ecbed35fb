#pragma once
// Setting and reading skin properties: a value is stored as text and, when it names an image
// or declares a gradient or a font, the handle made from it is kept in the property. Readers
// resolve the component against the current colour scheme ("explorerbar:silver" before
// "explorerbar") and read values through the skin grammar.
#include <cstdint>
#include <optional>

#include "runtime/portable/text.h"
#include "veloui/skins/core/skin_records.h"

// 1 stored; -1 the value names an image file that cannot be found; 0 the skin is unrecognised
// or a named image could not be loaded. Broadcasts a skin in use unless a build is running.
std::int32_t SetSkinProperty(SkinHandle skin, TextView component, TextView state, TextView property,
                             TextView value);

// The component name to read in the current skin: the scheme variant when it has the property.
Text ResolveSkinPropertyKey(TextView component, TextView state, TextView property);

// With an empty attribute: the value up to its first ";", stripped. Otherwise the arguments of
// that declaration (a single colour argument as the decimal text of its colour word).
// "" when the skin or property is missing.
Text GetSkinProperty(SkinHandle skin, TextView component, TextView state, TextView property,
                     TextView attribute = {});
std::int32_t GetSkinFunctionArgumentCount(SkinHandle skin, TextView component, TextView state,
                                          TextView property, TextView name);
// Argument `index` (from 1) of declaration `name`; a colour argument as its decimal colour word.
Text GetSkinFunctionArgument(SkinHandle skin, TextView component, TextView state, TextView property,
                             TextView name, std::int32_t index);

// The colour a property (or its declaration `attribute`) gives, nullopt when it is missing or
// holds none: unlike kNoColour, opaque white ("rgba(255,255,255,1.0)", the word -1) is a colour.
std::optional<std::uint32_t> FindSkinPropertyColour(SkinHandle skin, TextView component, TextView state,
                                                    TextView property, TextView attribute = {});
// A colour as the readers hand it out: the decimal text of a colour word, or a colour expression.
std::optional<std::uint32_t> ReadSkinArgumentColour(const Text& text);

// kNoColour when the property is missing or holds no colour.
std::uint32_t GetSkinPropertyColour(SkinHandle skin, TextView component, TextView state, TextView property,
                                    TextView attribute = {});
std::uint32_t GetSkinPropertyColourEx(SkinHandle skin, TextView component, TextView state, TextView property,
                                      TextView attribute, std::uint32_t defaultColour);
// 0 when missing.
std::int32_t GetSkinPropertyNumber(SkinHandle skin, TextView component, TextView state, TextView property,
                                   TextView attribute = {});
// The handle a property holds (image, gradient or font), else the number its text gives.
std::uintptr_t GetSkinPropertyImage(SkinHandle skin, TextView component, TextView state, TextView property);
