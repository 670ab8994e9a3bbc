// The desktop's own file choosers behind GetOpenFileNameW on the window back end: the desktop
// portal over D-Bus, else zenity. Both keep the game's windows painting while they wait.
#pragma once

#include <string>
#include <vector>

namespace platform {

// One filter pair of the dialog's record: its text and its patterns ("*.jpg").
struct FileFilter {
  std::string name;
  std::vector<std::string> patterns;
};

struct FileChooserRequest {
  std::string title;
  std::vector<FileFilter> filters;
  size_t currentFilter = 0;
};

enum class ChooserResult { Chosen, Cancelled, Unavailable };

// Each fills *path (a host path) when the result is Chosen.
ChooserResult choosePortal(const FileChooserRequest& request, std::string* path);
ChooserResult chooseZenity(const FileChooserRequest& request, std::string* path);

// One round of the wait behind a chooser: dispatches the user-interface thread's messages, or
// waits for them up to `maxWaitMs`. False once the quit request was met; it is posted again
// and the chooser should give up.
bool pumpWhileChoosing(unsigned maxWaitMs);

// Patterns as the desktop matches them: case-sensitive, so "*.jpg" also gives "*.JPG"; "*.*"
// means every file.
std::vector<std::string> desktopPatterns(const std::vector<std::string>& patterns);

}  // namespace platform
