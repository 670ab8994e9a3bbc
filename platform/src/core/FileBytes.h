// A whole file's bytes, read with stdio: a file stream would bring the C++ locale machinery into
// the browser's download for it.
#pragma once

#include <string>
#include <vector>

namespace platform::core {

// Appends the bytes of the file at `path` to *bytes; false with the reason in *failure.
bool readFileBytes(const std::string& path, std::vector<unsigned char>* bytes, std::string* failure);

}  // namespace platform::core
