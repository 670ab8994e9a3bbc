// The browser's page plays on its canvas only: headless runs are the node driver's, so the page's
// program carries neither the script player nor the screenshot writer.
#include "PlatformInternal.h"

namespace platform {

Backend* createHeadlessBackend(const Options&, std::string* error) {
  *error = "the page plays on its canvas only: headless runs are for vortelle-headless.js under node";
  return nullptr;
}

}  // namespace platform
