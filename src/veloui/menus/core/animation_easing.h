#pragma once
// The arithmetic of the animation thread: how a window's bottom edge eases towards its
// target while its alpha fades, and the 60-frames-a-second clock that skips frames when
// the thread falls behind. Times are performance-counter ticks handed in by the caller.
#include <cstdint>

constexpr double kAnimationFramesPerSecond = 60.0;

// The moving part of one animation. The start distance belongs to the animation itself, so
// that a later request cannot change how an earlier one fades.
struct AnimationMotion {
  float Bottom = 0;
  float TargetBottom = 0;
  float Step = 2.0f;
  float Alpha = 0;  // 0..255
  float StartDistance = 0;
  bool Done = false;
};

AnimationMotion StartAnimationMotion(float bottom, float targetBottom);
// One frame: the bottom moves by Step towards the target (opening when below it, closing
// otherwise), alpha follows the distance covered, and Step becomes an eighth of what is
// left, at least one pixel. A motion without distance is done at once.
void StepAnimationMotion(AnimationMotion& motion);

struct FrameClock {
  std::int64_t TicksPerFrame = 0;
  std::int64_t NextFrame = 0;
  std::int64_t LastFrame = 0;  // 0: the clock is not running
  bool FrameDue = false;
};

// Ticks per frame at `frequency` ticks a second, rounded, at least 1.
std::int64_t TicksPerFrame(std::int64_t frequency);
void StartFrameClock(FrameClock& clock, std::int64_t now, std::int64_t frequency);
bool FrameClockRunning(const FrameClock& clock);
// A frame's positions were set: nothing is due until the next frame time.
void FinishFrame(FrameClock& clock, std::int64_t now);

enum class FramePresent { NotYet, Presented, PresentedLate };
// When `now` has reached the next frame time the frame is shown and the next one becomes
// due one frame later; a thread that fell behind skips to one frame after now (late).
FramePresent AdvanceFrameClock(FrameClock& clock, std::int64_t now);
void StopFrameClock(FrameClock& clock);
