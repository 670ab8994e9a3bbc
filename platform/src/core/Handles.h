// Handles as table entries: an index and a generation packed into the handle's value, so that a
// handle kept after its object died (or one made up) finds nothing instead of freed memory.
#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace platform::core {

// Kind tells the tables apart, so a window handle given as an accelerator table finds nothing.
// Bit 0 of every value stays clear: callers may set it as a flag (SetForegroundWindow).
template <class T, unsigned Kind>
class HandleTable {
  static_assert(Kind > 0 && Kind < 8);

 public:
  template <class H>
  H add(std::unique_ptr<T> object) {
    uint32_t index;
    if (!free_.empty()) {
      index = free_.back();
      free_.pop_back();
    } else {
      index = static_cast<uint32_t>(slots_.size());
      slots_.push_back(Slot{});
    }
    slots_[index].object = std::move(object);
    return reinterpret_cast<H>(encode(index, slots_[index].generation));
  }

  template <class H>
  T* find(H handle) const {
    const Slot* slot = slotOf(reinterpret_cast<uintptr_t>(handle));
    return slot ? slot->object.get() : nullptr;
  }

  // Takes the object out; its handle goes stale at once. The caller decides when it dies.
  template <class H>
  std::unique_ptr<T> remove(H handle) {
    Slot* slot = const_cast<Slot*>(slotOf(reinterpret_cast<uintptr_t>(handle)));
    if (!slot) return nullptr;
    std::unique_ptr<T> object = std::move(slot->object);
    slot->generation = (slot->generation + 1) & GenerationMask;
    if (slot->generation == 0) slot->generation = 1;
    free_.push_back(static_cast<uint32_t>(slot - slots_.data()));
    return object;
  }

  // The handles of every live object, in table order.
  template <class H>
  std::vector<H> handles() const {
    std::vector<H> result;
    for (uint32_t i = 0; i < slots_.size(); ++i)
      if (slots_[i].object) result.push_back(reinterpret_cast<H>(encode(i, slots_[i].generation)));
    return result;
  }

  size_t size() const { return slots_.size() - free_.size(); }

  void clear() {
    for (auto& slot : slots_) {
      if (!slot.object) continue;
      slot.object.reset();
      slot.generation = (slot.generation + 1) & GenerationMask;
      if (slot.generation == 0) slot.generation = 1;
      free_.push_back(static_cast<uint32_t>(&slot - slots_.data()));
    }
  }

 private:
  static constexpr uintptr_t GenerationMask = 0x3FF;  // ten bits keep values in 32 bits
  static constexpr unsigned IndexBits = 18;

  struct Slot {
    std::unique_ptr<T> object;
    uintptr_t generation = 1;
  };

  static uintptr_t encode(uint32_t index, uintptr_t generation) {
    return ((generation << IndexBits | (index + 1)) << 4) | (Kind << 1);
  }

  const Slot* slotOf(uintptr_t value) const {
    if ((value & 0xF) != (Kind << 1)) return nullptr;
    value >>= 4;
    uintptr_t index = (value & ((uintptr_t{1} << IndexBits) - 1));
    uintptr_t generation = value >> IndexBits;
    if (index == 0 || index > slots_.size()) return nullptr;
    const Slot& slot = slots_[index - 1];
    if (slot.generation != generation || !slot.object) return nullptr;
    return &slot;
  }

  std::vector<Slot> slots_;
  std::vector<uint32_t> free_;
};

enum HandleKind : unsigned { WindowKind = 1, AcceleratorKind = 2 };

}  // namespace platform::core
