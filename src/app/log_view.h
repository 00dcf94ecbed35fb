#pragma once
// The log (list box 13): one line per entry, newest last, never trimmed. GUI thread only.
#include "runtime/portable/text.h"

// An empty text is ignored; otherwise it becomes the last line and is selected, which
// scrolls it into view and raises no event.
void AddLogLine(TextView text);
