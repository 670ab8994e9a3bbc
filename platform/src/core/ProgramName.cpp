// The name every message of the program starts with: argv[0]'s base name, as start-up gives it.
#include "PlatformInternal.h"

#include <cstdio>
#include <cstring>

namespace platform {

namespace {
// A plain array: messages may come before any static of the platform is built, or after.
char name[64] = "vortelle";
}  // namespace

void setProgramName(const char* argv0) {
  if (argv0 == nullptr || *argv0 == '\0') return;
  const char* slash = std::strrchr(argv0, '/');
  const char* base = slash != nullptr ? slash + 1 : argv0;
  if (*base != '\0') std::snprintf(name, sizeof name, "%s", base);
}

const char* programName() { return name; }

void complain(const std::string& message) {
  std::fflush(stdout);
  std::fprintf(stderr, "%s: %s\n", name, message.c_str());
}

}  // namespace platform
