#include "veloui/foundation/core/debug_log.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
std::vector<Text> Captured;
void Capture(const Text& line) { Captured.push_back(line); }

TEST(DebugLog, SilentWithoutSinkAndCapturedWithOne) {
  Captured.clear();
  WriteDebugLog(u"nobody hears this");
  SetDebugLogSinkForTesting(Capture);
  WriteDebugLog(u"freed rebars");
  SetDebugLogSinkForTesting(nullptr);
  WriteDebugLog(u"gone again");
  EXPECT_EQ(Captured, std::vector<Text>{u"freed rebars"});
}
}  // namespace
