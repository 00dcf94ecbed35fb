#include "database/number_index.h"

namespace {

// Filled to at most 70 %, so that a probe that finds nothing still ends within a few slots.
bool TooFull(std::size_t count, std::size_t slots) { return count * 10 > slots * 7; }

}  // namespace

void NumberIndex::Insert(std::uint32_t hash, std::uint32_t number) {
  if (slots_.empty() || TooFull(count_ + 1, slots_.size())) {
    Resize(slots_.empty() ? 64 : slots_.size() * 2);
  }
  Place(Slot{hash, number});
  ++count_;
}

void NumberIndex::Reserve(std::size_t count) {
  std::size_t slots = slots_.empty() ? 64 : slots_.size();
  while (TooFull(count, slots)) slots *= 2;
  if (slots != slots_.size()) Resize(slots);
}

void NumberIndex::Clear() {
  slots_.clear();
  slots_.shrink_to_fit();
  count_ = 0;
}

void NumberIndex::Place(Slot slot) {
  const std::size_t mask = slots_.size() - 1;
  std::size_t i = slot.Hash & mask;
  while (slots_[i].Number != kEmpty) i = (i + 1) & mask;
  slots_[i] = slot;
}

void NumberIndex::Resize(std::size_t slots) {
  std::vector<Slot> old(slots, Slot{});
  old.swap(slots_);
  for (const Slot& slot : old) {
    if (slot.Number != kEmpty) Place(slot);
  }
}
