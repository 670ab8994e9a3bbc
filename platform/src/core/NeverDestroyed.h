// State of the platform that needs a constructor (containers, strings, maps), kept where every
// static and every worker can reach it: the game's static objects call the platform before the
// platform's own statics are known to be built, and workers may still run while the process
// exits. So the wrapper itself is constant-initialised (no code runs for it before main), its
// object is built on first use, once, whichever thread comes first, and it is never destroyed.
//
//   constinit NeverDestroyed<std::vector<Timer>> timers;    // built empty
//   constinit NeverDestroyed<std::u16string> model{hostModel};  // built from what hostModel() returns
//   timers->push_back(...);
//
// A thread_local one (scratch reused from call to call) is built once per thread that uses it.
#pragma once

#include <atomic>
#include <mutex>
#include <new>
#include <type_traits>

namespace platform::core {

template <class T>
class NeverDestroyed {
 public:
  constexpr NeverDestroyed() noexcept requires std::is_default_constructible_v<T>
  = default;
  constexpr explicit NeverDestroyed(T (*make)()) noexcept : make_(make) {}
  NeverDestroyed(const NeverDestroyed&) = delete;
  NeverDestroyed& operator=(const NeverDestroyed&) = delete;

  T& get() {
    static_assert(std::is_trivially_destructible_v<NeverDestroyed>, "nothing of it may run at exit");
    if (!built_.load(std::memory_order_acquire)) build();
    return *std::launder(reinterpret_cast<T*>(storage_));
  }
  T& operator*() { return get(); }
  T* operator->() { return &get(); }

 private:
  void build() {
    std::call_once(once_, [this] {
      void* place = storage_;
      if (make_ != nullptr)
        ::new (place) T(make_());
      else if constexpr (std::is_default_constructible_v<T>)
        ::new (place) T();
      built_.store(true, std::memory_order_release);
    });
  }

  alignas(T) unsigned char storage_[sizeof(T)]{};
  T (*make_)() = nullptr;
  std::once_flag once_;
  std::atomic<bool> built_{false};
};

}  // namespace platform::core
