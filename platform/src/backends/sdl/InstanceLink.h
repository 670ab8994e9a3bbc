// One desktop program per user, display and phone screen size, as the phone has one per device.
// The first instance holds a Unix socket named after those and answers on it from a thread of
// its own; a later one asks through it whether a window of a class and title exists there, and
// has it come forward. Nothing here knows SDL, so two links can meet inside one test.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <thread>

namespace platform::sdl {

// The socket's name, in the abstract namespace (it dies with its holder, so none is ever left
// stale): the user, the display the windows go to and the phone's screen size.
std::string instanceName(unsigned userId, const std::string& display, int screenWidth, int screenHeight);

// A window's class or title as it travels on the socket: "-" for any (nullopt), otherwise "="
// and the UTF-8 text with '%', spaces and control characters as %XX. fromWire is false for
// anything else.
std::string toWire(const std::optional<std::u16string>& text);
bool fromWire(const std::string& wire, std::optional<std::u16string>* text);

class InstanceLink {
 public:
  // Run on the link's own thread.
  struct Answers {
    // Whether this instance has a top-level window of this class and title (nullopt: any).
    std::function<bool(const std::optional<std::u16string>& className, const std::optional<std::u16string>& title)>
        hasWindow;
    // Bring this instance's window to the front; it need not have happened on return.
    std::function<void()> raise;
  };

  // `timeout` bounds every exchange on both sides, so neither instance's user-interface thread
  // waits long on the other.
  explicit InstanceLink(std::string name, std::chrono::milliseconds timeout = std::chrono::milliseconds(500));
  InstanceLink(const InstanceLink&) = delete;
  InstanceLink& operator=(const InstanceLink&) = delete;
  ~InstanceLink();

  // Takes the name and starts answering. False when another instance holds it, or when no
  // socket could be had at all (then this one runs alone and finds nobody).
  bool listen(Answers answers);
  bool listening() const { return listener_ >= 0; }

  // As a later instance: whether the holder of the name has such a window. When the holder is
  // gone, this one takes the name in its place and answers false.
  bool findWindow(const std::optional<std::u16string>& className, const std::optional<std::u16string>& title);
  // Has the holder come forward; false when it did not take the request.
  bool raise();

 private:
  // One request line to the holder; its answer line, or "" when there is none in time.
  std::string request(const std::string& line);
  bool takeName();
  void serve();
  void answer(int connection);

  std::string name_;
  std::chrono::milliseconds timeout_;
  Answers answers_;
  bool wantsName_ = false;  // listen() was called
  int listener_ = -1;
  int stopPipe_[2] = {-1, -1};
  std::thread thread_;
};

}  // namespace platform::sdl
