// The command line: the input's NUL-separated parts are the program's arguments.
#include "host/Options.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> arguments;
  std::string text(reinterpret_cast<const char*>(data), size);
  for (size_t start = 0; start <= text.size();) {
    size_t end = text.find('\0', start);
    if (end == std::string::npos) end = text.size();
    arguments.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  platform::parseCommandLine(arguments);
  return 0;
}
