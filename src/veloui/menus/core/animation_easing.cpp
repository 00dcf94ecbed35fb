#include "veloui/menus/core/animation_easing.h"

#include <algorithm>
#include <cmath>

namespace {
float ClampedAlpha(float alpha) { return std::clamp(alpha, 0.0f, 255.0f); }
}  // namespace

AnimationMotion StartAnimationMotion(float bottom, float targetBottom) {
  AnimationMotion motion;
  motion.Bottom = bottom;
  motion.TargetBottom = targetBottom;
  motion.StartDistance = std::fabs(bottom - targetBottom);
  motion.Step = 2.0f;
  return motion;
}

void StepAnimationMotion(AnimationMotion& motion) {
  if (motion.Done) return;
  const float target = motion.TargetBottom;
  if (motion.StartDistance <= 0.0f) {
    // Nothing to move: finish as a closing animation does.
    motion.Bottom = target;
    motion.Alpha = 0;
    motion.Done = true;
    motion.Step = 1.0f;
    return;
  }
  if (motion.Bottom < target) {
    motion.Bottom += motion.Step;
    motion.Alpha = ClampedAlpha(255.0f - std::fabs(motion.Bottom - target) * 255.0f / motion.StartDistance);
    if (motion.Bottom >= target) {
      motion.Bottom = target;
      motion.Alpha = 255;
      motion.Done = true;
    }
  } else {
    motion.Bottom -= motion.Step;
    motion.Alpha = ClampedAlpha(std::fabs(motion.Bottom - target) * 255.0f / motion.StartDistance);
    if (motion.Bottom <= target) {
      motion.Bottom = target;
      motion.Alpha = 0;
      motion.Done = true;
    }
  }
  motion.Step = std::max(std::fabs(motion.Bottom - target) / 8.0f, 1.0f);
}

std::int64_t TicksPerFrame(std::int64_t frequency) {
  const auto ticks = static_cast<std::int64_t>(std::llround(static_cast<double>(frequency) / kAnimationFramesPerSecond));
  return std::max<std::int64_t>(ticks, 1);
}

void StartFrameClock(FrameClock& clock, std::int64_t now, std::int64_t frequency) {
  clock.TicksPerFrame = TicksPerFrame(frequency);
  // A counter that reads 0 would look like a stopped clock.
  clock.NextFrame = clock.LastFrame = std::max<std::int64_t>(now, 1);
  clock.FrameDue = true;
}

bool FrameClockRunning(const FrameClock& clock) { return clock.LastFrame != 0; }

void FinishFrame(FrameClock& clock, std::int64_t now) {
  clock.FrameDue = false;
  clock.LastFrame = std::max<std::int64_t>(now, 1);
}

FramePresent AdvanceFrameClock(FrameClock& clock, std::int64_t now) {
  if (now < clock.NextFrame) return FramePresent::NotYet;
  clock.FrameDue = true;
  clock.NextFrame += clock.TicksPerFrame;
  if (clock.NextFrame > now) return FramePresent::Presented;
  clock.NextFrame = now + clock.TicksPerFrame;
  return FramePresent::PresentedLate;
}

void StopFrameClock(FrameClock& clock) { clock = FrameClock{}; }
