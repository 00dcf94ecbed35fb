#include "runtime/portable/lines.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
std::vector<std::string> AllLines(std::string_view bytes) {
  std::vector<std::string> lines;
  LineReader reader(bytes);
  while (!reader.AtEnd()) lines.emplace_back(reader.NextLine());
  return lines;
}
}  // namespace

TEST(LineReader, EndsLinesAtCrLfCrLfAndZero) {
  const std::string bytes("a\r\nb\nc\rd", 8);
  EXPECT_EQ(AllLines(bytes), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(AllLines(std::string("x\0y", 3)), (std::vector<std::string>{"x", "y"}));
}

TEST(LineReader, TwoLineEndsMakeAnEmptyLine) {
  EXPECT_EQ(AllLines("a\n\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(AllLines("a\r\r\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_EQ(AllLines("a\n\r"), (std::vector<std::string>{"a", ""}));
}

TEST(LineReader, ReadsNothingPastTheEnd) {
  LineReader reader("last");
  EXPECT_FALSE(reader.AtEnd());
  EXPECT_EQ(reader.NextLine(), "last");
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(reader.NextLine(), "");
  EXPECT_TRUE(reader.AtEnd());
}

TEST(LacksFinalLineEnd, OnlyForATextWhoseLastLineIsOpen) {
  EXPECT_FALSE(LacksFinalLineEnd(""));
  EXPECT_TRUE(LacksFinalLineEnd("a\r\nb"));
  EXPECT_FALSE(LacksFinalLineEnd("a\r\n"));
  EXPECT_FALSE(LacksFinalLineEnd("a\r"));
}
