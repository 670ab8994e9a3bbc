// The dialog's patterns in the form the desktop's choosers match them.
#include "backends/sdl/DesktopFileChooser.h"

#include <algorithm>

namespace platform {

std::vector<std::string> desktopPatterns(const std::vector<std::string>& patterns) {
  std::vector<std::string> result;
  auto add = [&](const std::string& pattern) {
    if (std::find(result.begin(), result.end(), pattern) == result.end()) result.push_back(pattern);
  };
  for (const std::string& pattern : patterns) {
    if (pattern == "*.*" || pattern == "*") {
      add("*");
      continue;
    }
    std::string lower = pattern;
    std::string upper = pattern;
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    add(pattern);
    add(lower);
    add(upper);
  }
  return result;
}

}  // namespace platform
