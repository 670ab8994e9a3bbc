// Threads: started through the back end (deterministic in a headless run), detached; the handle
// the caller gets is only for CloseHandle, as nobody waits for a thread.
#include "HandleSet.h"
#include "KernelObjects.h"
#include "PlatformInternal.h"

namespace platform {

namespace {

HandleSet& threadHandles() {
  static HandleSet* handles = new HandleSet(0x7A);
  return *handles;
}

}  // namespace

void forgetThreadHandles() { threadHandles().clear(); }

}  // namespace platform

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, DWORD, LPTHREAD_START_ROUTINE start, LPVOID parameter, DWORD,
                    DWORD* threadId) {
  if (!start) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (!platform::backend().startThread(start, parameter)) return nullptr;
  HANDLE handle = platform::threadHandles().add();
  if (threadId) *threadId = DWORD(reinterpret_cast<uintptr_t>(handle));
  return handle;
}

BOOL CloseHandle(HANDLE handle) {
  if (!platform::threadHandles().remove(handle)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}
