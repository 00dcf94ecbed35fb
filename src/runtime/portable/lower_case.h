#pragma once
// Lower case as the system maps it, one UTF-16 unit to one, for every script. The Windows build
// asks the system once for the whole table; other builds use a stand-in that gives the same
// answers, so that their tests prove what the Windows build does.
#include <array>

using LowerCaseTable = std::array<char16_t, 0x10000>;

// The table of this build, made at its first use (from any thread).
const LowerCaseTable& SystemLowerCase();
// The stand-in: the system's table written down (units the system leaves alone are left alone).
void FillStandInLowerCase(LowerCaseTable& table);
