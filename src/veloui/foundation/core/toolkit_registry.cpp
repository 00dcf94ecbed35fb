#include "veloui/foundation/core/toolkit_registry.h"

#include <array>
#include <atomic>
#include <cstdlib>
#include <deque>
#include <mutex>

namespace {
struct Slot {
  void* Object = nullptr;
  const std::type_info* Type = nullptr;
  toolkit_detail::Destroyer Destroy = nullptr;
};

struct ToolkitGlobalLists {
  std::mutex SlotGuard;  // only around finding and making a slot, never across a call out
  std::array<Slot, static_cast<std::size_t>(ToolkitListId::Count)> Lists;
  std::array<Slot, static_cast<std::size_t>(ToolkitMapId::Count)> Maps;
  std::mutex ObjectGuard;
  std::deque<std::array<std::uint8_t, 16>> ObjectTable;
  std::atomic<std::uint16_t> AutoCommandCounter{65535};
};

ToolkitGlobalLists& Registry() {
  static ToolkitGlobalLists registry;
  return registry;
}

void* Resolve(Slot& slot, const std::type_info& type, toolkit_detail::Maker make, toolkit_detail::Destroyer destroy,
              std::size_t buckets) {
  if (slot.Object == nullptr) {
    slot.Object = make(buckets);
    slot.Type = &type;
    slot.Destroy = destroy;
  } else if (*slot.Type != type) {
    std::abort();
  }
  return slot.Object;
}

void Clear(Slot& slot) {
  if (slot.Object != nullptr) slot.Destroy(slot.Object);
  slot = Slot{};
}
}  // namespace

namespace toolkit_detail {
void* ListSlot(ToolkitListId id, const std::type_info& type, Maker make, Destroyer destroy) {
  std::lock_guard guard(Registry().SlotGuard);
  return Resolve(Registry().Lists[static_cast<std::size_t>(id)], type, make, destroy, 0);
}

void* MapSlot(ToolkitMapId id, const std::type_info& type, Maker make, Destroyer destroy) {
  std::lock_guard guard(Registry().SlotGuard);
  return Resolve(Registry().Maps[static_cast<std::size_t>(id)], type, make, destroy, ToolkitMapBuckets(id));
}
}  // namespace toolkit_detail

std::size_t ToolkitMapBuckets(ToolkitMapId id) { return id == ToolkitMapId::ChildSubclass ? 10000 : 512; }

void ResetToolkitGlobalLists() {
  std::lock_guard guard(Registry().SlotGuard);
  for (Slot& slot : Registry().Lists) Clear(slot);
  for (Slot& slot : Registry().Maps) Clear(slot);
}

std::intptr_t AllocateObjectNumber() {
  std::lock_guard guard(Registry().ObjectGuard);
  auto& block = Registry().ObjectTable.emplace_back();
  block.fill(0);
  return reinterpret_cast<std::intptr_t>(block.data());
}

std::uint16_t NextAutoCommandID() {
  return static_cast<std::uint16_t>(Registry().AutoCommandCounter.fetch_sub(1) - 1);
}

void ResetAutoCommandID() { Registry().AutoCommandCounter = 65535; }
