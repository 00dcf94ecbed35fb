#include "veloui/foundation/core/debug_log.h"

#include <atomic>

namespace {
std::atomic<DebugLogSink> Sink{nullptr};
}

void WriteDebugLog(const Text& line) {
  if (DebugLogSink sink = Sink.load(std::memory_order_acquire)) sink(line);
}

void SetDebugLogSinkForTesting(DebugLogSink sink) { Sink.store(sink, std::memory_order_release); }
