// Two instances of the desktop program meeting through their link, inside one process: the
// first holds the name and answers, the second asks and has it come forward.
#include "backends/sdl/InstanceLink.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <cstring>
#include <string>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform::sdl {
namespace {

using Text = std::optional<std::u16string>;

// Parallel test runs must not meet each other.
std::string uniqueName(const char* test, int screen = 480) {
  return instanceName(getuid(), std::string(":test-") + std::to_string(getpid()) + "-" + test, screen, 800);
}

TEST(SdlInstanceLink, NameCarriesTheUserTheDisplayAndTheScreenAndFitsASocketAddress) {
  EXPECT_EQ(instanceName(1000, ":0", 480, 800), "vortelle-1000-:0-480x800");
  EXPECT_EQ(instanceName(5, "a/b", 480, 800), "vortelle-5-a_b-480x800");
  const std::string name = instanceName(4294967295u, std::string(300, 'd'), 10000, 10000);
  EXPECT_LT(name.size() + 1, sizeof(sockaddr_un::sun_path));
}

TEST(SdlInstanceLink, ClassAndTitleTravelUnchanged) {
  const Text texts[] = {std::nullopt, u"", u"VORTELLE", u"Spin it 100%", u"a\nb\tc", u"-", u"=", u"보틀 게임"};
  for (const Text& text : texts) {
    const std::string wire = toWire(text);
    EXPECT_EQ(wire.find_first_of(" \n\r"), std::string::npos) << wire;
    Text back = u"unchanged";
    ASSERT_TRUE(fromWire(wire, &back)) << wire;
    EXPECT_EQ(back, text) << wire;
  }
  Text ignored;
  for (const char* bad : {"", "x", "=%", "=%4", "=%zz", "-x"}) EXPECT_FALSE(fromWire(bad, &ignored)) << bad;
}

struct Holder {
  std::atomic<int> raises{0};

  InstanceLink::Answers answers() {
    InstanceLink::Answers a;
    a.hasWindow = [](const Text& className, const Text& title) {
      return className == u"VORTELLE" && (!title || *title == u"Vortelle");
    };
    a.raise = [this] { ++raises; };
    return a;
  }
};

TEST(SdlInstanceLink, WhenTheHolderEndsTheNextInstanceTakesTheName) {
  const std::string name = uniqueName("takeover");
  Holder second;
  InstanceLink secondLink(name);
  EXPECT_FALSE(secondLink.findWindow(u"VORTELLE", u"Vortelle"));  // nobody holds it yet
  EXPECT_FALSE(secondLink.raise());
  {
    Holder first;
    InstanceLink firstLink(name);
    ASSERT_TRUE(firstLink.listen(first.answers()));
    EXPECT_FALSE(secondLink.listen(second.answers()));
    // Another screen size is another instance.
    EXPECT_TRUE(InstanceLink(uniqueName("takeover", 320)).listen(Holder().answers()));
  }
  EXPECT_FALSE(secondLink.findWindow(u"VORTELLE", u"Vortelle"));
  EXPECT_TRUE(secondLink.listening());
  InstanceLink third(name);
  EXPECT_FALSE(third.listen(Holder().answers()));
  EXPECT_TRUE(third.findWindow(u"VORTELLE", std::nullopt));
  EXPECT_FALSE(third.findWindow(u"OTHER", u"Vortelle"));
  EXPECT_TRUE(third.raise());
  EXPECT_EQ(second.raises.load(), 1);
}

// A holder that reads nothing and answers nothing costs the asker its time limit, no more.
TEST(SdlInstanceLink, SilentHolderIsGivenUpAfterTheTimeLimit) {
  const std::string name = uniqueName("silent");
  int silent = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(silent, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path + 1, name.data(), name.size());
  const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
  ASSERT_EQ(bind(silent, reinterpret_cast<sockaddr*>(&address), length), 0);
  ASSERT_EQ(listen(silent, 4), 0);

  InstanceLink asker(name, std::chrono::milliseconds(50));
  EXPECT_FALSE(asker.listen(Holder().answers()));
  EXPECT_FALSE(asker.findWindow(u"VORTELLE", u"Vortelle"));
  EXPECT_FALSE(asker.raise());
  close(silent);
}

}  // namespace
}  // namespace platform::sdl
