#include "PlatformInternal.h"

BOOL MessageBeep(UINT type) {
  platform::trace("beep %u", type);
  platform::backend().beep(type);
  return TRUE;
}
