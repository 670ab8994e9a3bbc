#include "core/FileBytes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace platform::core {

bool readFileBytes(const std::string& path, std::vector<unsigned char>* bytes, std::string* failure) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    *failure = std::strerror(errno);
    return false;
  }
  unsigned char block[65536];
  size_t got;
  while ((got = std::fread(block, 1, sizeof block, file)) > 0) bytes->insert(bytes->end(), block, block + got);
  bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) *failure = "read error";
  return !failed;
}

}  // namespace platform::core
