#pragma once
// An open-addressed table of the 32-bit numbers of elements kept elsewhere (the texts of the
// pool, the rows of the mirror), found by a hash and a comparison the caller makes. Eight bytes
// a slot and no allocation per element: at a million rows the node-based standard maps cost
// several times the memory, and most of the load time went to their cache misses.
// Elements are never removed, so a probe ends at the first empty slot.
#include <cstdint>
#include <vector>

class NumberIndex {
 public:
  // Calls `visit(number)` for every stored number whose hash is `hash`, until it returns true.
  template <typename Visit>
  void Probe(std::uint32_t hash, Visit visit) const {
    if (slots_.empty()) return;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
      const Slot& slot = slots_[i];
      if (slot.Number == kEmpty) return;
      if (slot.Hash == hash && visit(slot.Number)) return;
    }
  }
  void Insert(std::uint32_t hash, std::uint32_t number);
  // Room for `count` numbers in all without growing.
  void Reserve(std::size_t count);
  std::size_t Count() const { return count_; }
  void Clear();

 private:
  static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;
  struct Slot {
    std::uint32_t Hash = 0;
    std::uint32_t Number = kEmpty;
  };

  void Place(Slot slot);
  void Resize(std::size_t slots);

  std::vector<Slot> slots_;
  std::size_t count_ = 0;
};
