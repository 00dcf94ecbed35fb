#include "listsort/core/cell_compare.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Short texts made of the characters the parsers treat specially, so that signs, prefixes,
// points, exponents, units and date separators meet in every combination.
Text RandomCell(std::mt19937& random) {
  static const std::u16string alphabet = u"0123456789-+$%.eE kbKBmoGO/:aAzZ\tNIfinty";
  std::uniform_int_distribution<std::size_t> length(0, 12);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  Text cell;
  for (std::size_t n = length(random); n > 0; --n) cell += alphabet[pick(random)];
  return cell;
}

}  // namespace

// A sort needs a comparison that gives the opposite answer when its arguments swap, and
// equality with itself; every type must keep that for any cell text.
TEST(CompareProperties, EveryTypeIsAntisymmetricAndReflexive) {
  std::mt19937 random(20240611);
  for (int round = 0; round < 20000; ++round) {
    const Text a = RandomCell(random);
    const Text b = RandomCell(random);
    for (int type = -1; type <= 14; ++type) {
      const auto sortType = static_cast<SortType>(type);
      ASSERT_EQ(CompareCellTexts(a, b, sortType, 1), -CompareCellTexts(b, a, sortType, 1))
          << "type " << type;
      ASSERT_EQ(CompareCellTexts(a, a, sortType, 1), 0) << "type " << type;
      ASSERT_EQ(CompareCellTexts(a, b, sortType, -1), -CompareCellTexts(a, b, sortType, 1));
    }
  }
}
