#include "database/text_pool.h"

#include <algorithm>

namespace {

constexpr std::size_t kBlockUnits = std::size_t{1} << 16;

}  // namespace

PooledText TextPool::Intern(TextView text) {
  if (const auto found = numbers_.find(text); found != numbers_.end()) return found->second;
  const auto id = static_cast<PooledText>(texts_.size());
  const TextView stored = Store(text);
  texts_.push_back(stored);
  numbers_.emplace(stored, id);
  return id;
}

std::optional<PooledText> TextPool::Find(TextView text) const {
  if (const auto found = numbers_.find(text); found != numbers_.end()) return found->second;
  return std::nullopt;
}

void TextPool::Clear() {
  numbers_.clear();
  texts_.clear();
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
