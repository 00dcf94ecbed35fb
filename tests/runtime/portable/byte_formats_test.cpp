#include "runtime/portable/lines.h"
#include "runtime/portable/pack.h"
#include "runtime/portable/ticks.h"

#include <gtest/gtest.h>

#include <vector>

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

TEST(Pack, EntriesStoredAsIsUnlessCompressionIsStrictlySmaller) {
  const std::vector<std::string> entries = {"", "ab", std::string(1000, 'z'), "\x01\x02\x03\x04"};
  std::string pack;
  for (const std::string& entry : entries) ASSERT_TRUE(AppendPackEntry(pack, entry));
  // "ab": sizes 2 and 2, then the bytes themselves.
  EXPECT_EQ(pack.substr(8, 10), std::string("\x02\0\0\0\x02\0\0\0ab", 10));
  std::vector<std::string> back;
  ASSERT_TRUE(ReadPackEntries(pack, back));
  EXPECT_EQ(back, entries);
  EXPECT_LT(pack.size(), 100u);
}

// An entry whose stored size is exactly the bytes left is the pack's last; one that claims a byte more, or far more,
// is a pack cut short and refused whole, never read as a shorter entry.
TEST(Pack, AnEntryWhoseStoredSizeClaimsMoreThanThePackHoldsIsRefused) {
  std::string pack;
  ASSERT_TRUE(AppendPackEntry(pack, "first"));
  const auto withLast = [&pack](std::uint32_t unpacked, std::uint32_t stored, const std::string& bytes) {
    std::string out = pack;
    for (const std::uint32_t size : {unpacked, stored})
      for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>(size >> shift & 0xFF);
    return out + bytes;
  };
  std::vector<std::string> entries;
  EXPECT_TRUE(ReadPackEntries(withLast(3, 3, "abc"), entries));
  EXPECT_EQ(entries, (std::vector<std::string>{"first", "abc"}));
  for (const std::uint32_t claimed : {4u, 0xFFFFFFF0u}) {
    SCOPED_TRACE(claimed);
    entries = {"left over"};
    EXPECT_FALSE(ReadPackEntries(withLast(claimed == 4u ? 4u : 3u, claimed, "abc"), entries));
    EXPECT_TRUE(entries.empty());
  }
}

// The replaceable clock itself is exercised by every time-out test of the protocol.
TEST(Ticks, ElapsedTimeSurvivesTheWrap) {
  EXPECT_EQ(ElapsedTicks(0xFFFFFF00u, 0x00000100u), 0x200u);
  EXPECT_EQ(ElapsedTicks(100, 10100), 10000u);
}
