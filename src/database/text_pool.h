#pragma once
// Every distinct text of the mirror is stored once, in large blocks, and rows hold 32-bit
// numbers of texts. A table of a million rows repeats its servers, GUIDs, names and dates
// many times over; this keeps such a mirror small enough for a 32-bit process.
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "database/number_index.h"
#include "runtime/portable/text.h"

using PooledText = std::uint32_t;

class TextPool {
 public:
  // The number of `text`, storing it when it is new.
  PooledText Intern(TextView text);
  // The number of `text` when it is stored, without storing it.
  std::optional<PooledText> Find(TextView text) const;
  // Valid for the life of the pool: blocks never move.
  TextView View(PooledText id) const { return texts_[id]; }
  std::size_t Count() const { return texts_.size(); }
  void Clear();

 private:
  std::optional<PooledText> Find(TextView text, std::uint32_t hash) const;
  TextView Store(TextView text);

  std::vector<std::unique_ptr<char16_t[]>> blocks_;
  std::size_t blockUsed_ = 0;
  std::size_t blockSize_ = 0;
  std::vector<TextView> texts_;
  NumberIndex numbers_;
};
