// State of the platform that needs a constructor (containers, strings, maps), kept where every
// static and every worker can reach it: the game's static objects call the platform before the
// platform's own statics are known to be built, and workers may still run while the process
// exits. So the wrapper itself is constant-initialised (no code runs for it before main), its
// object is built on first use, once, whichever thread comes first, and it is never destroyed.
//
//   constinit NeverDestroyed<std::vector<Timer>> timers;
//   timers->push_back(...);
#pragma once

#include <atomic>
#include <mutex>
#include <new>
#include <type_traits>

namespace platform::core {

template <class T>
class NeverDestroyed {
 public:
  constexpr NeverDestroyed() noexcept = default;
  NeverDestroyed(const NeverDestroyed&) = delete;
  NeverDestroyed& operator=(const NeverDestroyed&) = delete;

  T& get() {
    if (!built_.load(std::memory_order_acquire)) build();
    return *std::launder(reinterpret_cast<T*>(storage_));
  }
  T& operator*() { return get(); }
  T* operator->() { return &get(); }

 private:
  void build() {
    std::call_once(once_, [this] {
      ::new (static_cast<void*>(storage_)) T();
      built_.store(true, std::memory_order_release);
    });
  }

  alignas(T) unsigned char storage_[sizeof(T)]{};
  std::once_flag once_;
  std::atomic<bool> built_{false};
};

}  // namespace platform::core
