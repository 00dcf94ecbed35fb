#include "database/number_index.h"

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::vector<std::uint32_t> AllWithHash(const NumberIndex& index, std::uint32_t hash) {
  std::vector<std::uint32_t> found;
  index.Probe(hash, [&](std::uint32_t number) {
    found.push_back(number);
    return false;
  });
  std::sort(found.begin(), found.end());
  return found;
}

TEST(NumberIndex, EveryNumberIsFoundUnderItsHashAfterGrowingAndClearing) {
  NumberIndex index;
  for (std::uint32_t n = 0; n < 10000; ++n) index.Insert(n * 2654435761u, n);
  EXPECT_EQ(index.Count(), 10000u);
  for (std::uint32_t n = 0; n < 10000; n += 37) EXPECT_EQ(AllWithHash(index, n * 2654435761u), std::vector<std::uint32_t>{n});
  EXPECT_TRUE(AllWithHash(index, 3).empty());
  index.Clear();
  EXPECT_EQ(index.Count(), 0u);
  EXPECT_TRUE(AllWithHash(index, 0).empty());
  index.Reserve(1000);
  for (std::uint32_t n = 0; n < 1000; ++n) index.Insert(n, n);
  EXPECT_EQ(AllWithHash(index, 999), std::vector<std::uint32_t>{999});
}

// Equal hashes keep every number, and a probe stops when the visit says so.
TEST(NumberIndex, EqualHashesKeepEveryNumber) {
  NumberIndex index;
  for (std::uint32_t n = 0; n < 200; ++n) index.Insert(n % 2 == 0 ? 1000u : n, n);
  const auto even = AllWithHash(index, 1000);
  ASSERT_EQ(even.size(), 100u);
  for (std::size_t i = 0; i < even.size(); ++i) EXPECT_EQ(even[i], 2 * i);
  std::vector<std::uint32_t> seen;
  index.Probe(1000, [&](std::uint32_t number) {
    seen.push_back(number);
    return seen.size() == 2;
  });
  EXPECT_EQ(seen.size(), 2u);
}

}  // namespace
