// The program's entry. The game's global objects are built before main() and already use the
// platform, so the platform starts in a constructor that runs before theirs.
#include <windows.h>

#include "host/Start.h"

__attribute__((constructor(101))) static void startPlatform(int argc, char** argv, char** /*envp*/) {
#ifdef PROGRAM_SCREENS
  platform::setProgramScreens(PROGRAM_SCREENS);  // the program's build names them
#endif
  platform::startFromCommandLine(argc, argv);
}

int main() {
  static WCHAR commandLine[] = TEXT("");
  int exitCode = WinMain(GetModuleHandleW(nullptr), nullptr, commandLine, SW_SHOW);
  return platform::endRun(exitCode);
}
