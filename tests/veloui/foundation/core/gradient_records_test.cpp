#include "veloui/foundation/core/gradient_records.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

class GradientRecords : public ::testing::Test {
 protected:
  void SetUp() override { ResetToolkitGlobalLists(); }
  void TearDown() override { ResetToolkitGlobalLists(); }
};

std::vector<float> Positions(GradientHandle g) {
  std::vector<float> result;
  for (const GradientStop& stop : FindGradient(g)->Stops) result.push_back(stop.Position);
  return result;
}

TEST_F(GradientRecords, StopsStayInAscendingOrderAndAreRemovedByPosition) {
  const GradientHandle g = AddGradientRecord(0, 0, 0);
  const std::pair<float, std::uint32_t> stops[] = {{0.7f, 1}, {0.3f, 2}, {0.9f, 3}, {0.5f, 4}, {-0.2f, 5}, {0.5f, 6}};
  for (const auto& [position, colour] : stops) AddGradientColour(g, position, colour);  // 0.5 twice keeps one stop
  EXPECT_EQ(Positions(g), (std::vector<float>{-0.2f, 0.3f, 0.5f, 0.7f, 0.9f}));
  EXPECT_EQ(GetGradientColour(g, 0.5f), 6u);
  EXPECT_EQ(GetGradientColour(g, 0.4f), kNoGradientColour);
  EXPECT_EQ(RemoveGradientColour(g, 0.3f), 1);
  EXPECT_EQ(Positions(g), (std::vector<float>{-0.2f, 0.5f, 0.7f, 0.9f}));
  EXPECT_EQ(RemoveGradientColour(g, -1.0f), 1);  // every stop
  EXPECT_TRUE(FindGradient(g)->Stops.empty());
}

}  // namespace
