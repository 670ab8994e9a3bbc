// Back to an empty window manager, for a platform started again (tests). Nothing is told: the
// procedures of the old windows may belong to code that is gone.
#include "PlatformInternal.h"
#include "WindowManager.h"
#include "core/UiThreadCalls.h"

namespace platform {

void resetWindowManager() {
  core::topLevel().clear();
  core::handles().clear(core::HandleKind::Window);
  core::resetClasses();
  core::resetTimers();
  core::resetQueue();
  core::resetKeys();
  core::resetActivation();
  core::resetAccelerators();
  core::resetUiThreadCalls();
}

}  // namespace platform
