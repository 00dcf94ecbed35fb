#pragma once
// The toolkit's diagnostic lines ("freed rebars", "Animation thread started...").
// The program writes them nowhere; tests install a sink to read them back.
#include "runtime/portable/text.h"

void WriteDebugLog(const Text& line);

// A sink receives every line until it is replaced; nullptr restores the silent default.
// The sink may be called from any toolkit thread.
using DebugLogSink = void (*)(const Text& line);
void SetDebugLogSinkForTesting(DebugLogSink sink);
