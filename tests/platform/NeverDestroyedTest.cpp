// The wrapper of the platform's state: built once whichever thread comes first, from a function
// when given one, and still there for whatever runs while the process exits.
#include "PlatformInternal.h"
#include "core/NeverDestroyed.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <map>
#include <string>
#include <thread>
#include <vector>

using platform::core::NeverDestroyed;

namespace {

std::atomic<int> builds{0};

struct Counted {
  Counted() {
    ++builds;
    std::this_thread::yield();  // leaves room for another thread to try building it too
  }
  std::vector<int> values;
};

constinit NeverDestroyed<Counted> shared;
static_assert(std::is_trivially_destructible_v<NeverDestroyed<std::map<int, std::string>>>);

TEST(NeverDestroyed, ThreadsThatReachItFirstTogetherBuildItOnceAndSeeTheSameObject) {
  std::vector<std::thread> threads;
  std::vector<Counted*> seen(8);
  for (size_t i = 0; i < seen.size(); ++i) threads.emplace_back([&seen, i] { seen[i] = &shared.get(); });
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(builds.load(), 1);
  for (Counted* object : seen) EXPECT_EQ(object, &*shared);
}

std::string greeting() { return "built from a function"; }
constinit NeverDestroyed<std::string> made{greeting};

TEST(NeverDestroyed, GivenAFunctionItIsBuiltFromWhatTheFunctionReturns) { EXPECT_EQ(*made, "built from a function"); }

// Says so when destroyed (what a static built after the exit handler's registration would be
// before the handler runs).
struct Tracked {
  ~Tracked() { destroyed = true; }
  bool destroyed = false;
  std::vector<int> values;
};
constinit NeverDestroyed<Tracked> late;
std::u16string modelAtStart;

void checkAtExit() {
  const bool intact = !late->destroyed && late->values.size() == 1 && platform::modelText() == modelAtStart;
  std::_Exit(intact ? 7 : 1);
}

TEST(NeverDestroyedDeathTest, StateFirstUsedAfterAnExitHandlerWasRegisteredIsStillThereWhenItRuns) {
  EXPECT_EXIT(
      {
        std::atexit(checkAtExit);
        late->values.push_back(1);
        modelAtStart = platform::modelText();  // the model text as a worker reads it
        std::exit(0);
      },
      testing::ExitedWithCode(7), "");
}

}  // namespace
