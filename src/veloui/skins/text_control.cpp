#include "veloui/skins/text_control.h"

// None can exist yet: nothing creates one.
std::int32_t FreeTextControl(std::intptr_t control) { return control == -1 ? 1 : 0; }
