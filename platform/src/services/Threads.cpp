// Threads: started through the back end (deterministic in a headless run), detached; the handle
// the caller gets is only for CloseHandle, as nobody waits for a thread.
#include "KernelObjects.h"
#include "PlatformInternal.h"
#include "core/HandleTable.h"

using platform::core::HandleKind;

void platform::forgetThreadHandles() { core::handles().clear(HandleKind::Thread); }

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, DWORD, LPTHREAD_START_ROUTINE start, LPVOID parameter, DWORD,
                    DWORD* threadId) {
  if (!start) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  // The handle first: a thread never starts when no handle is left for it.
  const uintptr_t handle = platform::core::handles().add(HandleKind::Thread);
  if (handle == 0) return nullptr;
  if (!platform::backend().startThread(start, parameter)) {
    platform::core::handles().remove(handle, HandleKind::Thread);
    return nullptr;
  }
  if (threadId) *threadId = DWORD(handle);
  return reinterpret_cast<HANDLE>(handle);
}

BOOL CloseHandle(HANDLE handle) {
  if (!platform::core::handles().remove(handle, HandleKind::Thread)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}
