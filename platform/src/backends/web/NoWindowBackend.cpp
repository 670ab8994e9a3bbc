// The driver for node has no window back end: only --headless runs.
#include "PlatformInternal.h"

namespace platform {

Backend* createWindowBackend(const Options&, std::string* error) {
  *error = "this build plays only headless: give --headless and a --script";
  return nullptr;
}

}  // namespace platform
