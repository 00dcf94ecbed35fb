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
  return found;
}

TEST(NumberIndex, EveryNumberIsFoundUnderItsHashAfterGrowing) {
  NumberIndex index;
  for (std::uint32_t n = 0; n < 10000; ++n) index.Insert(n * 2654435761u, n);
  EXPECT_EQ(index.Count(), 10000u);
  for (std::uint32_t n = 0; n < 10000; n += 37) {
    EXPECT_EQ(AllWithHash(index, n * 2654435761u), std::vector<std::uint32_t>{n});
  }
  EXPECT_TRUE(AllWithHash(index, 3).empty());
}

TEST(NumberIndex, EqualHashesKeepEveryNumber) {
  NumberIndex index;
  for (std::uint32_t n = 0; n < 200; ++n) index.Insert(n % 2 == 0 ? 1000u : n, n);
  auto fives = AllWithHash(index, 1000);
  std::sort(fives.begin(), fives.end());
  ASSERT_EQ(fives.size(), 100u);
  for (std::size_t i = 0; i < fives.size(); ++i) EXPECT_EQ(fives[i], 2 * i);
}

TEST(NumberIndex, ProbeStopsWhenTheVisitSaysSo) {
  NumberIndex index;
  index.Insert(9, 1);
  index.Insert(9, 2);
  index.Insert(9, 3);
  std::vector<std::uint32_t> seen;
  index.Probe(9, [&](std::uint32_t number) {
    seen.push_back(number);
    return number == 2;
  });
  EXPECT_EQ(seen, (std::vector<std::uint32_t>{1, 2}));
}

TEST(NumberIndex, ReserveAndClear) {
  NumberIndex index;
  index.Reserve(1000);
  for (std::uint32_t n = 0; n < 1000; ++n) index.Insert(n, n);
  EXPECT_EQ(AllWithHash(index, 999), std::vector<std::uint32_t>{999});
  index.Clear();
  EXPECT_EQ(index.Count(), 0u);
  EXPECT_TRUE(AllWithHash(index, 999).empty());
  index.Insert(999, 4);
  EXPECT_EQ(AllWithHash(index, 999), std::vector<std::uint32_t>{4});
}

}  // namespace
