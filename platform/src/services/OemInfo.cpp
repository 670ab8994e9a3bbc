// The device model text: --model, or the host machine's own product name.
#include "PlatformInternal.h"
#include "core/FileBytes.h"
#include "core/NeverDestroyed.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

namespace platform {

namespace {

std::string trimmed(std::string text) {
  auto blank = [](char c) { return c == '\0' || std::isspace(static_cast<unsigned char>(c)); };
  while (!text.empty() && blank(text.back())) text.pop_back();
  size_t first = 0;
  while (first < text.size() && blank(text[first])) ++first;
  return text.substr(first);
}

// A short text file of the system's; empty when it can't be read.
std::string readFile(const char* path) {
  std::vector<unsigned char> bytes;
  std::string failure;
  if (!core::readFileBytes(path, &bytes, &failure)) return {};
  return std::string(bytes.begin(), bytes.end());
}

std::u16string hostModel() {
  for (const char* path : {"/sys/class/dmi/id/product_name", "/proc/device-tree/model"}) {
    std::string text = trimmed(readFile(path));
    // A device-tree text may hold several strings; the first is the model.
    text.resize(std::strlen(text.c_str()));
    if (!text.empty()) return utf16(text);
  }
  return {};
}

}  // namespace

std::u16string modelText() {
  if (options().modelGiven) return options().model;
  static constinit core::NeverDestroyed<std::u16string> host{hostModel};
  return *host;
}

}  // namespace platform

namespace {

// Copies `text` with its terminator into a buffer of `sizeInBytes`, or leaves it as it was.
BOOL copyWhole(const std::u16string& text, UINT sizeInBytes, PVOID data) {
  if (!data) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  size_t needed = (text.size() + 1) * sizeof(WCHAR);
  if (sizeInBytes < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  std::memcpy(data, text.c_str(), needed);
  return TRUE;
}

}  // namespace

BOOL SystemParametersInfoW(UINT action, UINT param, PVOID data, UINT) {
  switch (action) {
    case SPI_GETOEMINFO: {
      std::u16string model = platform::modelText();
      if (model.empty()) return FALSE;
      return copyWhole(model, param, data);
    }
    case SPI_GETPLATFORMTYPE:
      return copyWhole(u"PocketPC", param, data);
  }
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}
