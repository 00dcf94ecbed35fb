#include "veloui/skins/splitterex.h"

// None can exist yet: nothing creates one.
std::int32_t FreeSplitterEx(std::intptr_t splitter) { return splitter == -1 ? 1 : 0; }
