#pragma once
// The texts the copies put on the clipboard: cells and lines joined by CR LF, with no line
// end after the last one. Needs no window.
#include <vector>

#include "runtime/portable/text.h"

Text JoinWithLineEnds(const std::vector<Text>& parts);
