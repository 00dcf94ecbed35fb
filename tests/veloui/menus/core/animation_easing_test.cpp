#include "veloui/menus/core/animation_easing.h"

#include <gtest/gtest.h>

namespace {
TEST(AnimationEasing, AShortCloseMovesOnePixelAFrameAndEndsTransparent) {
  AnimationMotion motion = StartAnimationMotion(100, 95);
  EXPECT_FLOAT_EQ(motion.StartDistance, 5);
  EXPECT_FLOAT_EQ(motion.Step, 2);
  StepAnimationMotion(motion);  // the first step is the starting 2 pixels
  EXPECT_FLOAT_EQ(motion.Bottom, 98);
  EXPECT_NEAR(motion.Alpha, 153.0, 1e-3);  // 3 * 255 / 5
  EXPECT_FLOAT_EQ(motion.Step, 1);
  for (float bottom : {97.0f, 96.0f}) {
    StepAnimationMotion(motion);
    EXPECT_FLOAT_EQ(motion.Bottom, bottom);
    EXPECT_FALSE(motion.Done);
  }
  StepAnimationMotion(motion);
  EXPECT_TRUE(motion.Done);
  EXPECT_FLOAT_EQ(motion.Bottom, 95);
  EXPECT_FLOAT_EQ(motion.Alpha, 0);
}

TEST(AnimationEasing, AlphaStaysWithinAByteForAnyMotion) {
  for (int start = -50; start <= 50; start += 7) {
    for (int target = -50; target <= 50; target += 11) {
      AnimationMotion motion = StartAnimationMotion(static_cast<float>(start), static_cast<float>(target));
      for (int frame = 0; frame < 500 && !motion.Done; ++frame) {
        StepAnimationMotion(motion);
        ASSERT_GE(motion.Alpha, 0.0f);
        ASSERT_LE(motion.Alpha, 255.0f);
        ASSERT_GE(motion.Step, 1.0f);
      }
      EXPECT_TRUE(motion.Done) << start << " -> " << target;
      EXPECT_FLOAT_EQ(motion.Bottom, static_cast<float>(target));
    }
  }
}

TEST(FrameClock, TicksPerFrameAreASixtiethOfTheFrequencyRounded) {
  EXPECT_EQ(TicksPerFrame(3000000), 50000);
  EXPECT_EQ(TicksPerFrame(1000), 17);  // 16.67
  EXPECT_EQ(TicksPerFrame(10), 1);     // never zero
}

TEST(FrameClock, FramesComeOnePeriodApartAndLateOnesAreSkipped) {
  FrameClock clock;
  EXPECT_FALSE(FrameClockRunning(clock));
  StartFrameClock(clock, 1000, 3000000);
  EXPECT_TRUE(FrameClockRunning(clock));
  EXPECT_TRUE(clock.FrameDue);
  FinishFrame(clock, 1200);
  EXPECT_FALSE(clock.FrameDue);
  EXPECT_EQ(clock.LastFrame, 1200);

  EXPECT_EQ(AdvanceFrameClock(clock, 1200), FramePresent::Presented);  // the first frame is shown at once
  EXPECT_TRUE(clock.FrameDue);
  EXPECT_EQ(clock.NextFrame, 51000);
  FinishFrame(clock, 1300);
  EXPECT_EQ(AdvanceFrameClock(clock, 50999), FramePresent::NotYet);
  EXPECT_FALSE(clock.FrameDue);
  EXPECT_EQ(AdvanceFrameClock(clock, 51000), FramePresent::Presented);
  EXPECT_EQ(clock.NextFrame, 101000);
  FinishFrame(clock, 51500);
  // Far behind: no catching up, the next frame is one period after now.
  EXPECT_EQ(AdvanceFrameClock(clock, 300000), FramePresent::PresentedLate);
  EXPECT_EQ(clock.NextFrame, 350000);

  StopFrameClock(clock);
  EXPECT_FALSE(FrameClockRunning(clock));
  EXPECT_FALSE(clock.FrameDue);
}
}  // namespace
