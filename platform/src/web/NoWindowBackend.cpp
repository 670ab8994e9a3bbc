// The web build has no window back end: only --headless runs.
#include "PlatformInternal.h"

namespace platform {

Backend* createSdlBackend(const Options&, std::string* error) {
  *error = "this build plays only headless: give --headless and a --script";
  return nullptr;
}

}  // namespace platform
