#include "Options.h"

#include <charconv>

namespace platform {

namespace {

// Cairo's image surfaces stop at this size.
constexpr int MaxScreenSide = 32767;

bool parseSide(const std::string& text, int* side) {
  if (text.empty() || text.size() > 5) return false;
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return false;
  if (value <= 0 || value > MaxScreenSide) return false;
  *side = value;
  return true;
}

bool parseScreen(const std::string& text, Options* options) {
  auto x = text.find('x');
  if (x == std::string::npos) return false;
  int width = 0;
  int height = 0;
  if (!parseSide(text.substr(0, x), &width) || !parseSide(text.substr(x + 1), &height)) return false;
  options->screenWidth = width;
  options->screenHeight = height;
  return true;
}

CommandLine failure(std::string message) {
  CommandLine result;
  result.action = CommandLine::Action::Error;
  result.error = std::move(message);
  return result;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine result;
  Options& options = result.options;
  bool scriptGiven = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    std::string name = arguments[i];
    std::string value;
    bool inlineValue = false;
    if (auto equals = name.find('='); name.rfind("--", 0) == 0 && equals != std::string::npos) {
      value = name.substr(equals + 1);
      name.resize(equals);
      inlineValue = true;
    }
    bool takesValue = name == "--screen" || name == "--model" || name == "--script" || name == "--trace";
    if (takesValue && !inlineValue) {
      if (i + 1 >= arguments.size()) return failure(name + " needs a value");
      value = arguments[++i];
    } else if (!takesValue && inlineValue) {
      if (name == "--headless" || name == "--leds" || name == "--refuse-leds" || name == "--help" ||
          name == "--version")
        return failure(name + " takes no value");
    }

    if (name == "--screen") {
      if (!parseScreen(value, &options))
        return failure("--screen: '" + value + "' is not WIDTHxHEIGHT with sides from 1 to " +
                       std::to_string(MaxScreenSide));
    } else if (name == "--model") {
      options.modelGiven = true;
      options.model = utf16(value);
    } else if (name == "--script") {
      if (value.empty()) return failure("--script needs a file name, or - for standard input");
      options.scriptPath = value;
      scriptGiven = true;
    } else if (name == "--trace") {
      if (value.empty()) return failure("--trace needs a file name");
      options.tracePath = value;
    } else if (name == "--headless") {
      options.headless = true;
    } else if (name == "--leds") {
      options.leds = true;
    } else if (name == "--refuse-leds") {
      options.refuseLeds = true;
    } else if (name == "--help") {
      result.action = CommandLine::Action::Help;
    } else if (name == "--version") {
      if (result.action != CommandLine::Action::Help) result.action = CommandLine::Action::Version;
    } else if (name.rfind("-", 0) == 0) {
      return failure("unknown option " + name + " (see --help)");
    } else {
      return failure("unexpected argument '" + name + "' (see --help)");
    }
  }
  if (result.action != CommandLine::Action::Run) return result;
  if (scriptGiven && !options.headless) return failure("--script needs --headless");
  return result;
}

std::string usageText(const std::string& program, const char* screens) {
  std::string text = "Usage: " + program +
                     " [options]\n"
                     "\n"
                     "  --screen WxH     the phone's screen size in pixels (default 480x800)\n";
  if (screens != nullptr && *screens != '\0') text += "                   " + std::string(screens) + "\n";
  return text +
         "  --model TEXT     the device model text the phone reports (default: this machine's;\n"
         "                   \"\" reports none)\n"
         "  --headless       in-memory screen, virtual clock, driven by a script\n"
         "  --script FILE    the script to play (headless only; - reads standard input)\n"
         "  --trace FILE     where the trace goes (default standard output)\n"
         "  --leds           show the LEDs as a lamp strip beside the screen\n"
         "  --refuse-leds    the LED driver refuses every setting\n"
         "  --help           print this text\n"
         "  --version        print the version\n"
         "\n"
         "Exit codes: 0 or the program's own; 2 for a bad option or script line, or output that\n"
         "can't be written; 3 for a question the script does not answer.\n";
}

}  // namespace platform
