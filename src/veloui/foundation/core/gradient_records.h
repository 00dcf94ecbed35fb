#pragma once
// Gradient records for the skinned controls: a kind, a start and an end colour and the colour
// stops between them, kept in ascending order of position. A gradient is addressed by the
// address of its record, as every toolkit object is.
#include <cstdint>
#include <vector>

#include "veloui/foundation/core/toolkit_registry.h"

struct GradientStop {
  std::uint32_t Colour = 0;
  float Position = 0;  // never exactly 0 or 1: those are the start and end colours
};

struct GradientRecord {
  std::uint32_t Kind = 0;
  std::uint32_t StartColour = 0;
  std::uint32_t EndColour = 0;
  std::vector<GradientStop> Stops;
};

using GradientHandle = std::uintptr_t;
inline constexpr std::uint32_t kNoGradientColour = 0xFFFFFFFF;

// The toolkit's gradients list.
ToolkitRecordList<GradientRecord>& GradientList();

// The record half of CreateGradient, which first makes sure the drawing library is there.
GradientHandle AddGradientRecord(std::uint32_t kind, std::uint32_t startColour, std::uint32_t endColour);
GradientRecord* FindGradient(GradientHandle gradient);

int SetGradientKind(GradientHandle gradient, std::uint32_t kind);
int AddGradientColour(GradientHandle gradient, float position, std::uint32_t colour);
std::uint32_t GetGradientColour(GradientHandle gradient, float position);
int RemoveGradientColour(GradientHandle gradient, float position);
int FreeGradient(GradientHandle gradient);
