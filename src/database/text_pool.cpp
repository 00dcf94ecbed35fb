#include "database/text_pool.h"

#include <algorithm>
#include <functional>

namespace {

constexpr std::size_t kBlockUnits = std::size_t{1} << 16;

std::uint32_t HashOf(TextView text) {
  return static_cast<std::uint32_t>(std::hash<TextView>{}(text));
}

}  // namespace

PooledText TextPool::Intern(TextView text) {
  const std::uint32_t hash = HashOf(text);
  if (const auto found = Find(text, hash)) return *found;
  const auto id = static_cast<PooledText>(texts_.size());
  texts_.push_back(Store(text));
  numbers_.Insert(hash, id);
  return id;
}

std::optional<PooledText> TextPool::Find(TextView text) const { return Find(text, HashOf(text)); }

std::optional<PooledText> TextPool::Find(TextView text, std::uint32_t hash) const {
  std::optional<PooledText> found;
  numbers_.Probe(hash, [&](std::uint32_t id) {
    if (texts_[id] != text) return false;
    found = id;
    return true;
  });
  return found;
}

void TextPool::Clear() {
  numbers_.Clear();
  texts_.clear();
  texts_.shrink_to_fit();
  blocks_.clear();
  blockUsed_ = 0;
  blockSize_ = 0;
}

TextView TextPool::Store(TextView text) {
  if (text.empty()) return TextView();
  if (text.size() > blockSize_ - blockUsed_) {
    // A text longer than a block gets a block of its own; the next text starts a new one.
    blockSize_ = std::max(kBlockUnits, text.size());
    blocks_.push_back(std::make_unique<char16_t[]>(blockSize_));
    blockUsed_ = 0;
  }
  char16_t* place = blocks_.back().get() + blockUsed_;
  std::copy(text.begin(), text.end(), place);
  blockUsed_ += text.size();
  return TextView(place, text.size());
}
