#include "veloui/foundation/binding_names.h"

DwmBinding Dwm;

std::int32_t BindDwm() {
  if (Dwm.Library == nullptr) Dwm.Library = LoadLibraryW(BoundLibraryNames().Dwm);
  if (Dwm.Library == nullptr) return 0;
  Resolve(Dwm.Library, "DwmIsCompositionEnabled", Dwm.DwmIsCompositionEnabled);
  Resolve(Dwm.Library, "DwmEnableComposition", Dwm.DwmEnableComposition);
  Resolve(Dwm.Library, "DwmSetWindowAttribute", Dwm.DwmSetWindowAttribute);
  Resolve(Dwm.Library, "DwmFlush", Dwm.DwmFlush);
  Resolve(Dwm.Library, "DwmSetPresentParameters", Dwm.DwmSetPresentParameters);
  ReadDwmComposition();
  return 0;
}

void ReadDwmComposition() {
  BOOL enabled = FALSE;
  if (Dwm.DwmIsCompositionEnabled != nullptr && FAILED(Dwm.DwmIsCompositionEnabled(&enabled))) enabled = FALSE;
  Dwm.DwmCompositionEnabled = enabled;
}

std::int32_t ReleaseDwm() {
  if (Dwm.Library != nullptr) FreeLibrary(Dwm.Library);
  Dwm = DwmBinding{};
  return 0;
}
