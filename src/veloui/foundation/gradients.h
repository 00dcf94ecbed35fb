#pragma once
// Gradient records for the skinned controls (kind, start and end colour, ordered stops).
// Creating one needs GDI+, which paints them; the record operations are in the core header.
#include <cstdint>

#include "veloui/foundation/core/gradient_records.h"

// A new gradient appended to the toolkit's gradients list; 0 when GDI+ is not available.
GradientHandle CreateGradient(std::uint32_t kind, std::uint32_t startColour, std::uint32_t endColour);
