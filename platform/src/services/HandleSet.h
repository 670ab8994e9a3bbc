// Kernel handles (threads, power requirements): numbers handed out once and checked at every
// use, so that a stale or foreign handle fails instead of touching anything.
#pragma once

#include <windows.h>

#include <cstdint>
#include <mutex>
#include <unordered_set>

namespace platform {

class HandleSet {
 public:
  // `kind` keeps the sets apart: a thread handle is never a power requirement.
  explicit HandleSet(uintptr_t kind) : kind_(kind) {}

  HANDLE add() {
    std::lock_guard lock(mutex_);
    uintptr_t value = (kind_ << 24) | (++issued_ & 0xFFFFFF);
    live_.insert(value);
    return reinterpret_cast<HANDLE>(value);
  }

  // False for a handle that is not live in this set.
  bool remove(HANDLE handle) {
    std::lock_guard lock(mutex_);
    return live_.erase(reinterpret_cast<uintptr_t>(handle)) == 1;
  }

  void clear() {
    std::lock_guard lock(mutex_);
    live_.clear();
  }

  bool empty() {
    std::lock_guard lock(mutex_);
    return live_.empty();
  }

 private:
  const uintptr_t kind_;
  std::mutex mutex_;
  uintptr_t issued_ = 0;
  std::unordered_set<uintptr_t> live_;
};

}  // namespace platform
