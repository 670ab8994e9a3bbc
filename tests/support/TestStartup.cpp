// The game's global objects are built before main() and ask the platform for the screen, so
// the headless platform is started first, as the program's own start-up does.
#include "PlatformTest.h"

__attribute__((constructor(101))) static void startHeadlessPlatform() { platform_test::start(); }
