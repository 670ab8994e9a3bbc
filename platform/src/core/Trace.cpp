// The trace: one "TIME EVENT" line for everything a person would notice. Workers trace too, so
// lines are written whole under a lock (core/TraceOutput.cpp).
#include "PlatformInternal.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace platform {

namespace {

thread_local char currentThreadName[16] = "";

}  // namespace

void trace(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  char fixed[512];
  std::string event;
  va_list copy;
  va_copy(copy, arguments);
  int length = std::vsnprintf(fixed, sizeof fixed, format, copy);
  va_end(copy);
  if (length < 0) length = 0;
  if (static_cast<size_t>(length) < sizeof fixed) {
    event.assign(fixed, length);
  } else {
    event.resize(length + 1);
    std::vsnprintf(event.data(), event.size(), format, arguments);
    event.resize(length);
  }
  va_end(arguments);

  writeTraceLine(started() ? backend().now() : 0, event);
}

std::string quoted(const std::u16string& text) {
  std::string result = "\"";
  for (char c : utf8(text)) {
    switch (c) {
      case '\n':
        result += "\\n";
        break;
      case '"':
        result += "\\\"";
        break;
      case '\\':
        result += "\\\\";
        break;
      default:
        result += c;
    }
  }
  result += '"';
  return result;
}

const char* threadName() {
  if (currentThreadName[0] == '\0' && onUiThread()) return "ui";
  return currentThreadName;
}

void setThreadName(const char* name) {
  std::snprintf(currentThreadName, sizeof currentThreadName, "%s", name ? name : "");
}

}  // namespace platform
