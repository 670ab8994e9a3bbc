// The phone writes paths with backslashes; the host with slashes. Nothing else differs.
#include "PlatformInternal.h"

#include <algorithm>

namespace platform {

std::u16string phonePath(const std::string& hostPath) {
  std::u16string path = utf16(hostPath);
  std::replace(path.begin(), path.end(), u'/', u'\\');
  return path;
}

std::string hostPath(const std::u16string& phonePath) {
  std::u16string path = phonePath;
  std::replace(path.begin(), path.end(), u'\\', u'/');
  return utf8(path);
}

}  // namespace platform
