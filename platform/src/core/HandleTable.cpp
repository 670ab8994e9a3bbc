#include "core/HandleTable.h"

#include "core/NeverDestroyed.h"

#include <utility>

namespace platform::core {

HandleTable::HandleTable(uint32_t capacity) : capacity_(capacity < MaxSlots ? capacity : MaxSlots) {}

uintptr_t HandleTable::encode(HandleKind kind, uint32_t index, uint32_t generation) {
  return uintptr_t{generation} << GenerationShift | uintptr_t{index} << IndexShift |
         uintptr_t{static_cast<uint8_t>(kind)} << KindShift;
}

const HandleTable::Slot* HandleTable::slotOf(uintptr_t value, HandleKind first, HandleKind last) const {
  if (value > UINT32_MAX || (value & 1) != 0) return nullptr;
  const auto kind = static_cast<HandleKind>((value >> KindShift) & (HandleKindLimit - 1));
  if (kind < first || kind > last) return nullptr;
  const uintptr_t index = (value >> IndexShift) & (MaxSlots - 1);
  const uintptr_t generation = value >> GenerationShift;
  if (index >= slots_.size()) return nullptr;
  const Slot& slot = slots_[index];
  if (slot.kind != kind || slot.generation != generation) return nullptr;
  return &slot;
}

HandleTable::Slot* HandleTable::slotOf(uintptr_t value, HandleKind first, HandleKind last) {
  return const_cast<Slot*>(std::as_const(*this).slotOf(value, first, last));
}

std::unique_ptr<HandleObject> HandleTable::release(Slot& slot) {
  if (!slot.permanent) --counts_[static_cast<uint8_t>(slot.kind)];
  slot.kind = HandleKind{};
  slot.permanent = false;
  const uint32_t next = slot.generation + 1u;
  slot.generation = static_cast<uint16_t>(next < GenerationLimit ? next : 1);  // never 0
  free_.push_back(static_cast<uint32_t>(&slot - slots_.data()));
  return std::move(slot.object);
}

uintptr_t HandleTable::add(HandleKind kind, std::unique_ptr<HandleObject> object) {
  std::lock_guard lock(mutex_);
  uint32_t index;
  if (!free_.empty()) {
    index = free_.back();
    free_.pop_back();
  } else {
    if (slots_.size() >= capacity_) return 0;  // the object dies on the way out
    index = static_cast<uint32_t>(slots_.size());
    slots_.emplace_back();
  }
  Slot& slot = slots_[index];
  slot.object = std::move(object);
  slot.kind = kind;
  ++counts_[static_cast<uint8_t>(kind)];
  return encode(kind, index, slot.generation);
}

HandleObject* HandleTable::find(uintptr_t value, HandleKind first, HandleKind last) const {
  std::lock_guard lock(mutex_);
  const Slot* slot = slotOf(value, first, last);
  return slot != nullptr ? slot->object.get() : nullptr;
}

bool HandleTable::contains(uintptr_t value, HandleKind kind) const {
  std::lock_guard lock(mutex_);
  return slotOf(value, kind, kind) != nullptr;
}

bool HandleTable::remove(uintptr_t value, HandleKind kind) {
  std::unique_ptr<HandleObject> dying;
  std::lock_guard lock(mutex_);
  Slot* slot = slotOf(value, kind, kind);
  if (slot == nullptr || slot->permanent) return false;
  dying = release(*slot);
  return true;
}

void HandleTable::makePermanent(uintptr_t value) {
  std::lock_guard lock(mutex_);
  Slot* slot = slotOf(value, HandleKind::Window, LastHandleKind);
  if (slot == nullptr || slot->permanent) return;
  slot->permanent = true;
  --counts_[static_cast<uint8_t>(slot->kind)];
}

bool HandleTable::isPermanent(uintptr_t value) const {
  std::lock_guard lock(mutex_);
  const Slot* slot = slotOf(value, HandleKind::Window, LastHandleKind);
  return slot != nullptr && slot->permanent;
}

std::vector<uintptr_t> HandleTable::handles(HandleKind kind) const {
  std::lock_guard lock(mutex_);
  std::vector<uintptr_t> result;
  for (uint32_t i = 0; i < slots_.size(); ++i)
    if (slots_[i].kind == kind) result.push_back(encode(kind, i, slots_[i].generation));
  return result;
}

void HandleTable::clear(HandleKind kind) {
  std::vector<std::unique_ptr<HandleObject>> dying;
  std::lock_guard lock(mutex_);
  for (Slot& slot : slots_)
    if (slot.kind == kind && !slot.permanent) dying.push_back(release(slot));
}

uint32_t HandleTable::count(HandleKind kind) const {
  std::lock_guard lock(mutex_);
  return counts_[static_cast<uint8_t>(kind)];
}

HandleTable& handles() {
  static constinit NeverDestroyed<HandleTable> table;
  return *table;
}

}  // namespace platform::core
