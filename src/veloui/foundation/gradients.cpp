#include "veloui/foundation/gradients.h"

#include "veloui/foundation/system_binding.h"

GradientHandle CreateGradient(std::uint32_t kind, std::uint32_t startColour, std::uint32_t endColour) {
  if (BindGdiPlus() == 0) return 0;
  return AddGradientRecord(kind, startColour, endColour);
}
