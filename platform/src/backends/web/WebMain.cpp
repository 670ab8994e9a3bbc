// The program's entry in the web build. As on the desktop the platform starts in a constructor,
// before the game's global objects are built; Emscripten hands constructors no arguments, so the
// command line comes from the JavaScript side. main()'s thread, the only one, is the
// user-interface thread; the workers are fibers on it.
#include <windows.h>

#include <emscripten.h>

#include <string>
#include <vector>

#include "host/Start.h"

namespace {

// Index 0 is the program's name, as emcc's own main() gets it.
EM_JS(int, commandLineLength, (), { return arguments_.length + 1; });
EM_JS(int, argumentSize, (int index),
      { return lengthBytesUTF8(index == 0 ? thisProgram : arguments_[index - 1]) + 1; });
EM_JS(void, copyArgument, (int index, char* out, int size),
      { stringToUTF8(index == 0 ? thisProgram : arguments_[index - 1], out, size); });

}  // namespace

__attribute__((constructor(101))) static void startPlatform() {
  static std::vector<std::string> texts;
  static std::vector<char*> argv;
  int argc = commandLineLength();
  for (int i = 0; i < argc; ++i) {
    std::string text(size_t(argumentSize(i)), '\0');
    copyArgument(i, text.data(), int(text.size()));
    text.pop_back();
    texts.push_back(std::move(text));
  }
  for (std::string& text : texts) argv.push_back(text.data());
  argv.push_back(nullptr);
#ifdef PROGRAM_SCREENS
  platform::setProgramScreens(PROGRAM_SCREENS);  // the program's build names them
#endif
  platform::startFromCommandLine(argc, argv.data());
}

int main() {
  platform::continueOnThisThread();
  static WCHAR commandLine[] = TEXT("");
  int exitCode = WinMain(GetModuleHandleW(nullptr), nullptr, commandLine, SW_SHOW);
  return platform::endRun(exitCode);
}
