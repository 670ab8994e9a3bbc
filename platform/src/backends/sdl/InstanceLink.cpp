#include "backends/sdl/InstanceLink.h"

#include "PlatformInternal.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform::sdl {

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kMaxLine = 2048;

// The abstract namespace: sun_path starts with a zero byte and the name's length is explicit.
bool socketAddress(const std::string& name, sockaddr_un* address, socklen_t* length) {
  if (name.empty() || name.size() + 1 > sizeof(address->sun_path)) return false;
  *address = sockaddr_un{};
  address->sun_family = AF_UNIX;
  std::memcpy(address->sun_path + 1, name.data(), name.size());
  *length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
  return true;
}

// Abstract names are visible to every user of the machine: only our own user is talked to.
bool peerIsUs(int socket) {
  ucred peer{};
  socklen_t length = sizeof peer;
  return getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 && peer.uid == geteuid();
}

int millisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return static_cast<int>(std::clamp<long long>(left, 0, 60000));
}

bool sendAll(int socket, const std::string& text, Clock::time_point deadline) {
  size_t sent = 0;
  while (sent < text.size()) {
    pollfd ready{socket, POLLOUT, 0};
    const int polled = poll(&ready, 1, millisecondsLeft(deadline));
    if (polled < 0 && errno == EINTR) continue;
    if (polled <= 0) return false;
    const ssize_t n = send(socket, text.data() + sent, text.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n <= 0) return false;
    sent += static_cast<size_t>(n);
  }
  return true;
}

// One line without its '\n'; false when none came whole before the deadline.
bool receiveLine(int socket, std::string* line, Clock::time_point deadline) {
  line->clear();
  while (line->size() < kMaxLine) {
    pollfd ready{socket, POLLIN, 0};
    const int polled = poll(&ready, 1, millisecondsLeft(deadline));
    if (polled < 0 && errno == EINTR) continue;
    if (polled <= 0) return false;
    char buffer[256];
    const ssize_t n = recv(socket, buffer, sizeof buffer, MSG_DONTWAIT);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n <= 0) return false;
    line->append(buffer, static_cast<size_t>(n));
    if (const size_t end = line->find('\n'); end != std::string::npos) {
      line->resize(end);
      return true;
    }
  }
  return false;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

void closeQuietly(int* fd) {
  if (*fd >= 0) close(*fd);
  *fd = -1;
}

}  // namespace

std::string instanceName(unsigned userId, const std::string& display, int screenWidth, int screenHeight) {
  // Display names are short (":0", "wayland-0"); a long one is cut so the name still fits.
  std::string shown = display.empty() ? "-" : display.substr(0, 48);
  std::replace_if(
      shown.begin(), shown.end(), [](char c) { return c == '\0' || c == '/'; }, '_');
  char name[96];
  std::snprintf(name, sizeof name, "vortelle-%u-%s-%dx%d", userId, shown.c_str(), screenWidth, screenHeight);
  return name;
}

std::string toWire(const std::optional<std::u16string>& text) {
  if (!text) return "-";
  std::string wire = "=";
  for (unsigned char c : utf8(*text)) {
    if (c <= ' ' || c == '%' || c == 0x7F) {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", c);
      wire += escaped;
    } else {
      wire += static_cast<char>(c);
    }
  }
  return wire;
}

bool fromWire(const std::string& wire, std::optional<std::u16string>* text) {
  if (wire == "-") {
    text->reset();
    return true;
  }
  if (wire.empty() || wire[0] != '=') return false;
  std::string plain;
  for (size_t i = 1; i < wire.size(); ++i) {
    if (wire[i] != '%') {
      plain += wire[i];
      continue;
    }
    if (i + 2 >= wire.size()) return false;
    const int high = hexDigit(wire[i + 1]);
    const int low = hexDigit(wire[i + 2]);
    if (high < 0 || low < 0) return false;
    plain += static_cast<char>(high * 16 + low);
    i += 2;
  }
  *text = utf16(plain);
  return true;
}

InstanceLink::InstanceLink(std::string name, std::chrono::milliseconds timeout)
    : name_(std::move(name)), timeout_(timeout) {}

InstanceLink::~InstanceLink() {
  if (thread_.joinable()) {
    const char stop = 's';
    [[maybe_unused]] const ssize_t written = write(stopPipe_[1], &stop, 1);
    thread_.join();
  }
  closeQuietly(&listener_);
  closeQuietly(&stopPipe_[0]);
  closeQuietly(&stopPipe_[1]);
}

bool InstanceLink::listen(Answers answers) {
  answers_ = std::move(answers);
  wantsName_ = true;
  return takeName();
}

bool InstanceLink::takeName() {
  if (listening()) return true;
  sockaddr_un address;
  socklen_t length;
  if (!socketAddress(name_, &address, &length)) return false;
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  if (bind(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0 || ::listen(fd, 8) != 0) {
    close(fd);
    return false;
  }
  if (stopPipe_[0] < 0 && pipe2(stopPipe_, O_CLOEXEC) != 0) {
    close(fd);
    return false;
  }
  listener_ = fd;
  try {
    thread_ = std::thread([this] { serve(); });
  } catch (const std::system_error&) {
    closeQuietly(&listener_);
    return false;
  }
  return true;
}

void InstanceLink::serve() {
  while (true) {
    pollfd ready[2] = {{listener_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
    const int polled = poll(ready, 2, -1);
    if (polled < 0 && errno == EINTR) continue;
    if (polled < 0 || (ready[1].revents & POLLIN) != 0) return;
    if ((ready[0].revents & POLLIN) == 0) continue;
    int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) continue;
    if (peerIsUs(connection)) answer(connection);
    close(connection);
  }
}

// "hello CLASS TITLE" is answered "yes" or "no"; "raise" is answered "ok".
void InstanceLink::answer(int connection) {
  const Clock::time_point deadline = Clock::now() + timeout_;
  std::string line;
  if (!receiveLine(connection, &line, deadline)) return;
  if (line == "raise") {
    if (answers_.raise) answers_.raise();
    sendAll(connection, "ok\n", deadline);
    return;
  }
  const size_t classStart = 6;
  const size_t titleStart = line.find(' ', classStart) + 1;
  std::optional<std::u16string> className;
  std::optional<std::u16string> title;
  if (line.rfind("hello ", 0) != 0 || titleStart == 0 ||
      !fromWire(line.substr(classStart, titleStart - 1 - classStart), &className) ||
      !fromWire(line.substr(titleStart), &title))
    return;
  const bool found = answers_.hasWindow && answers_.hasWindow(className, title);
  sendAll(connection, found ? "yes\n" : "no\n", deadline);
}

std::string InstanceLink::request(const std::string& line) {
  sockaddr_un address;
  socklen_t length;
  if (!socketAddress(name_, &address, &length)) return "";
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return "";
  std::string reply;
  const Clock::time_point deadline = Clock::now() + timeout_;
  // A local stream connects at once or not at all (EAGAIN: the holder's queue is full).
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0) {
    if (!peerIsUs(fd) || !sendAll(fd, line + "\n", deadline) || !receiveLine(fd, &reply, deadline)) reply.clear();
  } else if (errno == ECONNREFUSED && wantsName_) {
    takeName();  // the holder ended: this instance holds the name from now on
  }
  close(fd);
  return reply;
}

bool InstanceLink::findWindow(const std::optional<std::u16string>& className,
                              const std::optional<std::u16string>& title) {
  if (listening()) return false;  // the holder is this instance itself
  return request("hello " + toWire(className) + " " + toWire(title)) == "yes";
}

bool InstanceLink::raise() { return !listening() && request("raise") == "ok"; }

}  // namespace platform::sdl
