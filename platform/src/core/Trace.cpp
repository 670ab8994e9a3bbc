// The trace: one "TIME EVENT" line for everything a person would notice. Workers trace too, so
// lines are written whole under a lock.
#include "PlatformInternal.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <string>

namespace platform {

namespace {

std::mutex traceLock;
std::FILE* traceFile = nullptr;

thread_local char currentThreadName[16] = "";

}  // namespace

void setTraceOutput(std::FILE* file) {
  std::lock_guard<std::mutex> hold(traceLock);
  traceFile = file;
}

bool tracing() {
  std::lock_guard<std::mutex> hold(traceLock);
  return traceFile != nullptr;
}

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

  uint32_t time = started() ? backend().now() : 0;
  std::lock_guard<std::mutex> hold(traceLock);
  if (!traceFile) return;
  std::fprintf(traceFile, "%u %s\n", time, event.c_str());
  std::fflush(traceFile);
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
