#pragma once
// Texts are UTF-16 and so is Windows' wchar_t: the W functions take them as they are.
#include "runtime/portable/text.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the Windows build has a 16-bit wchar_t");

inline const wchar_t* Wide(const Text& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
inline wchar_t* WideBuffer(Text& text) { return reinterpret_cast<wchar_t*>(text.data()); }
inline Text FromWide(const wchar_t* wide) {
  return wide != nullptr ? Text(reinterpret_cast<const char16_t*>(wide)) : Text();
}
