// The command line of a program built on the platform: what it asks for, read without side
// effects so that every case can be tested.
#pragma once

#include "PlatformInternal.h"

#include <string>
#include <vector>

namespace platform {

struct CommandLine {
  enum class Action { Run, Help, Version, Error };
  Action action = Action::Run;
  Options options;
  std::string error;  // Action::Error: one line that names the option
};

// `arguments` are the program's arguments without the program's name.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// The text --help prints; `screens` (may be nullptr) lists the screens the program plays on.
std::string usageText(const std::string& program, const char* screens = nullptr);

}  // namespace platform
