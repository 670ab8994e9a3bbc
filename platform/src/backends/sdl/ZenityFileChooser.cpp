// zenity's file selection, where the desktop has no portal. Started without a shell, with its
// arguments as a vector; its answer is the path on its standard output.
#include "backends/sdl/DesktopFileChooser.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace platform {

namespace {

// zenity's own --timeout does nothing for file selection, so the wait has its own limit.
constexpr int64_t ChooserLimitMs = 30 * 60 * 1000;

std::string findExecutable(const char* name) {
  const char* searchPath = std::getenv("PATH");
  std::string paths = searchPath != nullptr ? searchPath : "/usr/local/bin:/usr/bin:/bin";
  size_t start = 0;
  while (start <= paths.size()) {
    size_t end = paths.find(':', start);
    if (end == std::string::npos) end = paths.size();
    if (end > start) {
      std::string candidate = paths.substr(start, end - start) + "/" + name;
      if (access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    start = end + 1;
  }
  return {};
}

int64_t monotonicMs() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

std::vector<std::string> zenityArguments(const FileChooserRequest& request) {
  std::vector<std::string> arguments = {"zenity", "--file-selection", "--title=" + request.title};
  // zenity opens on the first filter it is given.
  for (size_t n = 0; n < request.filters.size(); ++n) {
    const FileFilter& filter = request.filters[(request.currentFilter + n) % request.filters.size()];
    std::string argument = "--file-filter=" + filter.name + " |";
    for (const std::string& pattern : desktopPatterns(filter.patterns)) argument += " " + pattern;
    arguments.push_back(argument);
  }
  return arguments;
}

}  // namespace

ChooserResult chooseZenity(const FileChooserRequest& request, std::string* path) {
  std::string program = findExecutable("zenity");
  if (program.empty()) return ChooserResult::Unavailable;

  std::vector<std::string> arguments = zenityArguments(request);
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  int output[2];
  if (pipe2(output, O_CLOEXEC) != 0) return ChooserResult::Unavailable;
  pid_t child = fork();
  if (child < 0) {
    close(output[0]);
    close(output[1]);
    return ChooserResult::Unavailable;
  }
  if (child == 0) {
    // Only async-signal-safe calls between fork and exec.
    int null = open("/dev/null", O_RDWR);
    if (null >= 0) {
      dup2(null, STDIN_FILENO);
      dup2(null, STDERR_FILENO);
    }
    dup2(output[1], STDOUT_FILENO);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(output[1]);
  fcntl(output[0], F_SETFL, O_NONBLOCK);

  std::string answer;
  int status = 0;
  bool ended = false;
  bool quitting = false;
  int64_t started = monotonicMs();
  while (!ended) {
    char buffer[4096];
    ssize_t got;
    while ((got = read(output[0], buffer, sizeof buffer)) > 0) answer.append(buffer, static_cast<size_t>(got));
    pid_t done = waitpid(child, &status, WNOHANG);
    if (done == child || (done < 0 && errno != EINTR)) {
      ended = true;
      break;
    }
    if (quitting || monotonicMs() - started > ChooserLimitMs) {
      kill(child, SIGTERM);
      waitpid(child, &status, 0);
      close(output[0]);
      return ChooserResult::Cancelled;
    }
    quitting = !pumpWhileChoosing(20);
  }
  char buffer[4096];
  ssize_t got;
  while ((got = read(output[0], buffer, sizeof buffer)) > 0) answer.append(buffer, static_cast<size_t>(got));
  close(output[0]);

  // 0: a file was chosen; 1: cancelled; 127: zenity couldn't start; others: it failed (no display).
  if (!WIFEXITED(status)) return ChooserResult::Cancelled;
  int code = WEXITSTATUS(status);
  if (code == 127) return ChooserResult::Unavailable;
  if (code != 0) return ChooserResult::Cancelled;
  while (!answer.empty() && (answer.back() == '\n' || answer.back() == '\r')) answer.pop_back();
  if (answer.empty()) return ChooserResult::Cancelled;
  *path = answer;
  return ChooserResult::Chosen;
}

}  // namespace platform
