#include "veloui/skins/panelex.h"

// None can exist yet: nothing creates one.
std::int32_t FreePanelEx(std::intptr_t panel) { return panel == -1 ? 1 : 0; }
