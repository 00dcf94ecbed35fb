#include "runtime/portable/lines.h"

#include <gtest/gtest.h>

#include <vector>

// CR LF, LF, CR and NUL each end a line; two line ends make an empty line; nothing is read
// past the end.
TEST(LineReader, EndsLinesAtCrLfLfCrAndNul) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"a\r\nb\nc\rd", {"a", "b", "c", "d"}}, {std::string("x\0y", 3), {"x", "y"}}, {"a\n\nb\r\n", {"a", "", "b"}},
      {"a\r\r\n", {"a", ""}}, {"a\n\r", {"a", ""}}};
  for (const auto& [bytes, expected] : cases) {
    std::vector<std::string> lines;
    LineReader reader(bytes);
    for (int i = 0; i < 10 && !reader.AtEnd(); ++i) lines.emplace_back(reader.NextLine());
    EXPECT_EQ(lines, expected) << bytes;
    EXPECT_EQ(reader.NextLine(), "");
    EXPECT_TRUE(reader.AtEnd());
  }
  EXPECT_FALSE(LacksFinalLineEnd(""));
  EXPECT_TRUE(LacksFinalLineEnd("a\r\nb"));
  EXPECT_FALSE(LacksFinalLineEnd("a\r\n"));
  EXPECT_FALSE(LacksFinalLineEnd("a\r"));
}
