#pragma once
// The report shown when the program meets an unhandled processor exception: the message for
// the exception code and the whole text of the box, lines separated by a single CR.
#include <cstdint>

#include "runtime/portable/text.h"

inline constexpr std::uint32_t kAccessViolation = 0xC0000005;
inline constexpr std::uint32_t kStackOverflow = 0xC00000FD;

struct ErrorReport {
  std::uint32_t ErrorCode = 0;
  std::uint64_t CodeAddress = 0;
  std::uint64_t TargetAddress = 0;  // access violations only
  std::int32_t SourceLine = -1;     // -1: no line information
};

Text ErrorMessageForCode(std::uint32_t code);
Text ProgramErrorText(const ErrorReport& report);
