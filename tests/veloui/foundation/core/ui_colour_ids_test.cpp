#include "veloui/foundation/core/ui_colour_ids.h"

#include <gtest/gtest.h>

#include <string>

namespace {
TEST(UIColourIds, NamesAndIdsMatchBothWays) {
  for (std::int32_t id = 0; id < kNamedUIColourIdCount; ++id) {
    const std::string_view name = UIColourIdName(id);
    ASSERT_FALSE(name.empty()) << id;
    EXPECT_EQ(FindUIColourId(name), id) << std::string(name);
  }
  EXPECT_TRUE(UIColourIdName(56).empty());
  EXPECT_TRUE(UIColourIdName(-1).empty());
  EXPECT_EQ(FindUIColourId("Background"), std::nullopt);  // callers lower-case first
}

}  // namespace
