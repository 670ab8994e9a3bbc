// The headless driver's script, read for the largest and the smallest screen.
#include "backends/headless/Script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  for (int side : {320, 800}) {
    std::vector<platform::ScriptStep> steps;
    std::string error;
    platform::parseScript(text, "fuzz.script", 480, side, &steps, &error);
  }
  return 0;
}
