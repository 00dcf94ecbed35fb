#include "veloui/foundation/core/gradient_records.h"

#include <algorithm>

ToolkitRecordList<GradientRecord>& GradientList() { return ToolkitList<GradientRecord>(ToolkitListId::Gradients); }

GradientHandle AddGradientRecord(std::uint32_t kind, std::uint32_t startColour, std::uint32_t endColour) {
  GradientRecord& record = GradientList().emplace_back();
  record.Kind = kind;
  record.StartColour = startColour;
  record.EndColour = endColour;
  return reinterpret_cast<GradientHandle>(&record);
}

GradientRecord* FindGradient(GradientHandle gradient) {
  for (GradientRecord& record : GradientList()) {
    if (reinterpret_cast<GradientHandle>(&record) == gradient) return &record;
  }
  return nullptr;
}

int SetGradientKind(GradientHandle gradient, std::uint32_t kind) {
  if (GradientRecord* record = FindGradient(gradient)) record->Kind = kind;
  return 0;
}

int AddGradientColour(GradientHandle gradient, float position, std::uint32_t colour) {
  GradientRecord* record = FindGradient(gradient);
  if (record == nullptr) return 0;
  if (position == 0.0f) {
    record->StartColour = colour;
  } else if (position == 1.0f) {
    record->EndColour = colour;
  } else {
    auto& stops = record->Stops;
    auto same = std::find_if(stops.begin(), stops.end(), [&](const GradientStop& s) { return s.Position == position; });
    if (same != stops.end()) {
      same->Colour = colour;
    } else {
      auto later = std::find_if(stops.begin(), stops.end(), [&](const GradientStop& s) { return s.Position > position; });
      stops.insert(later, GradientStop{colour, position});
    }
  }
  return 1;
}

std::uint32_t GetGradientColour(GradientHandle gradient, float position) {
  const GradientRecord* record = FindGradient(gradient);
  if (record == nullptr) return kNoGradientColour;
  if (position == 0.0f) return record->StartColour;
  if (position == 1.0f) return record->EndColour;
  for (const GradientStop& stop : record->Stops) {
    if (stop.Position == position) return stop.Colour;
  }
  return kNoGradientColour;
}

int RemoveGradientColour(GradientHandle gradient, float position) {
  GradientRecord* record = FindGradient(gradient);
  if (record == nullptr) return 0;
  if (position == -1.0f) {
    record->Stops.clear();
  } else {
    std::erase_if(record->Stops, [&](const GradientStop& s) { return s.Position == position; });
  }
  return 1;
}

int FreeGradient(GradientHandle gradient) {
  GradientList().remove_if(
      [&](const GradientRecord& record) { return reinterpret_cast<GradientHandle>(&record) == gradient; });
  return 0;
}
