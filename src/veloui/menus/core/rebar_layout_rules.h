#pragma once
// A rebar's band layout as an XML document: root "Layout", one "Band" element per band in
// band order with "ID" (the band id), "cx" (its width) and "fStyle" (its band style).
// Reading trusts nothing in the file: a band whose values are not plain decimal numbers in
// range is left out, and a style keeps only the band-style bits.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/portable/text.h"

// The RBBS_ bits a band style may carry (break, fixed size ... top align).
inline constexpr std::uint32_t kBandStyleBits = 0xFFF;

// The band style a band is given, loaded or added: only its band-style bits. The rest of
// the word is the toolkit's own (its row and drag marks) and never comes from a caller or a file.
std::uint32_t KeepBandStyleBits(std::uint32_t style);

struct BandLayoutEntry {
  std::uint32_t Id = 0;
  std::uint32_t Width = 0;
  std::uint32_t Style = 0;
  int Position = 0;  // the element's place among the document's bands
};

// 1 to 10 decimal digits without sign or spaces, at most `maximum`.
bool ParseLayoutNumber(TextView text, std::uint32_t maximum, std::uint32_t& value);
// The document's bands in document order; false (and no bands) for a document that is not
// a layout (not XML, or another root).
bool ReadBandLayout(std::string_view document, std::vector<BandLayoutEntry>& bands);
std::string WriteBandLayout(const std::vector<BandLayoutEntry>& bands);
