#include "runtime/portable/pack.h"

#include <gtest/gtest.h>

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
