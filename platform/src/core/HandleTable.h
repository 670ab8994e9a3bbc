// Every handle the platform gives out (windows, accelerator tables, drawing objects, icons,
// threads, power requirements) is an entry of one table: its value packs the kind, the slot's
// index and the slot's generation, so that a handle kept after its object died, one of another
// kind, or one made up finds nothing instead of freed memory.
//
// A value, low bit first:
//   bit 0        always clear: callers may set it as a flag (SetForegroundWindow)
//   bits 1-4     the kind, never 0
//   bits 5-20    the slot's index
//   bits 21-31   the slot's generation, never 0, so every handle is at least 2 MiB and never
//                looks like a resource number (below 64 KiB) or the null handle
// It fits 32 bits, the phone's and WebAssembly's width, and is the same in a 64-bit build.
//
// Workers make and close kernel handles, so the table takes a lock. An object found stays
// valid until its handle is removed, which only the thread that owns such objects does.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace platform::core {

enum class HandleKind : uint8_t {
  Window = 1,
  AcceleratorTable,
  Pen,
  Brush,
  Font,
  Bitmap,
  DeviceContext,
  Icon,
  Thread,
  PowerRequirement,
};
constexpr HandleKind LastHandleKind = HandleKind::PowerRequirement;
constexpr unsigned HandleKindLimit = 16;  // kinds are below this (four bits)
static_assert(static_cast<unsigned>(LastHandleKind) < HandleKindLimit);

// What a handle may own; kernel handles own nothing.
struct HandleObject {
  virtual ~HandleObject() = default;
};

class HandleTable {
 public:
  static constexpr unsigned KindShift = 1;
  static constexpr unsigned IndexShift = 5;
  static constexpr unsigned IndexBits = 16;
  static constexpr unsigned GenerationShift = IndexShift + IndexBits;
  static constexpr uint32_t GenerationLimit = uint32_t{1} << (32 - GenerationShift);
  static constexpr uint32_t MaxSlots = uint32_t{1} << IndexBits;

  // `capacity` slots at most (tests use small tables to run out of handles).
  explicit HandleTable(uint32_t capacity = MaxSlots);
  HandleTable(const HandleTable&) = delete;
  HandleTable& operator=(const HandleTable&) = delete;

  // A new handle owning `object` (which may be null); 0 when every slot is taken, and then the
  // object is freed: out of handles, as the phone's system runs out.
  uintptr_t add(HandleKind kind, std::unique_ptr<HandleObject> object = nullptr);
  // The object of a live handle whose kind is in [first, last]; nullptr for a stale, foreign or
  // null handle, or one that owns nothing.
  HandleObject* find(uintptr_t value, HandleKind first, HandleKind last) const;
  bool contains(uintptr_t value, HandleKind kind) const;
  // Ends a live handle of `kind` and frees its object (after letting go of the lock, so the
  // object's destructor may use the table). False for a stale, foreign or permanent handle.
  bool remove(uintptr_t value, HandleKind kind);
  // A handle that lives as long as the process (a stock object): never counted, never removed.
  void makePermanent(uintptr_t value);
  bool isPermanent(uintptr_t value) const;
  // Every live handle of a kind, permanent ones included, in slot order.
  std::vector<uintptr_t> handles(HandleKind kind) const;
  // Ends every handle of a kind but the permanent ones (a platform started again).
  void clear(HandleKind kind);
  // The live handles of a kind, permanent ones not counted.
  uint32_t count(HandleKind kind) const;

  // The typed forms, for handles of the API's types (HWND, HGDIOBJ, HANDLE, ...).
  template <class H, class T>
  H add(HandleKind kind, std::unique_ptr<T> object) {
    return reinterpret_cast<H>(add(kind, std::unique_ptr<HandleObject>(std::move(object))));
  }
  template <class T, class H>
  T* find(H handle, HandleKind kind) const {
    return static_cast<T*>(find(valueOf(handle), kind, kind));
  }
  template <class H>
  bool remove(H handle, HandleKind kind) {
    return remove(valueOf(handle), kind);
  }
  template <class H>
  static uintptr_t valueOf(H handle) {
    return reinterpret_cast<uintptr_t>(handle);
  }

 private:
  struct Slot {
    std::unique_ptr<HandleObject> object;
    uint16_t generation = 1;
    HandleKind kind{};  // 0: the slot is free
    bool permanent = false;
  };

  static uintptr_t encode(HandleKind kind, uint32_t index, uint32_t generation);
  // The live slot a value names, if its kind is in [first, last]; the caller holds the lock.
  const Slot* slotOf(uintptr_t value, HandleKind first, HandleKind last) const;
  Slot* slotOf(uintptr_t value, HandleKind first, HandleKind last);
  // Frees a slot and moves its generation on; its object goes to the caller to free.
  std::unique_ptr<HandleObject> release(Slot& slot);

  const uint32_t capacity_;
  mutable std::mutex mutex_;
  std::vector<Slot> slots_;
  std::vector<uint32_t> free_;
  std::array<uint32_t, HandleKindLimit> counts_{};
};

// The platform's table, made on first use and never destroyed.
HandleTable& handles();

}  // namespace platform::core
