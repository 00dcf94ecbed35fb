#pragma once
// Saving a rebar's band order, widths and styles to an XML file and loading them back.
#include <cstdint>

#include "runtime/portable/text.h"

// Writes through a temporary file and a rename; 1 when the file was written, 0 when there is
// no such rebar, the name is no valid file name or the file could not be written.
std::int32_t SaveRebarLayout(std::intptr_t rebar, const Text& file);
// Moves each band the file names to its place (clamped to the band count) and gives it its
// width and style; bands the rebar does not have, and bands with values that are no plain
// numbers, are skipped. 1 when the file was a layout, 0 when it changed nothing (no such
// rebar, no readable file, not XML, another root).
std::int32_t LoadRebarLayout(std::intptr_t rebar, const Text& file);
