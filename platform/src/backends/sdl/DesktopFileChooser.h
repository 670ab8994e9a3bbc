// The desktop's own file choosers behind GetOpenFileNameW: the desktop portal over D-Bus, else
// zenity. Both keep the game's windows painting while they wait (platform::pumpWhileChoosing).
#pragma once

#include "PlatformInternal.h"

#include <string>
#include <vector>

namespace platform {

// Each fills *path (a host path) when the result is Chosen.
ChooserResult choosePortal(const FileChooserRequest& request, std::string* path);
ChooserResult chooseZenity(const FileChooserRequest& request, std::string* path);

// Patterns as the desktop matches them: case-sensitive, so "*.jpg" also gives "*.JPG"; "*.*"
// means every file.
std::vector<std::string> desktopPatterns(const std::vector<std::string>& patterns);

}  // namespace platform
