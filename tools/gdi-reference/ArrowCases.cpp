// Prints the arrow's outline at evenly spaced turns on each screen as cases for the reference
// tool: the points come from the game's own Arrow, so the cases follow its geometry.
// Usage: gdi_arrow_cases [TURNS]  (48 by default), the case file on standard output.
#include <cstdio>
#include <cstdlib>

#include "PlatformTest.h"
#include "spinner/Arrow.h"

namespace {

struct Screen {
  const char* name;
  int width;
  int height;
  int windowHeight;  // the main window's height, the back buffer's
};

const Screen screens[] = {{"320x320", 320, 320, 268}, {"480x640", 480, 640, 536}, {"480x800", 480, 800, 696}};

void printTurns(const Screen& screen, int turns) {
  platform_test::start({.width = screen.width, .height = screen.height});
  Arrow shape;  // laid out for the screen just started
  const double start[ARROW_VERTICES - 1] = {shape.angles[0], shape.angles[1], shape.angles[2], shape.angles[3],
                                            shape.angles[4], shape.angles[5], shape.angles[6]};
  for (int turn = 0; turn < turns; ++turn) {
    // The motions turn every vertex by the same angle, in half-turns.
    for (int i = 0; i < ARROW_VERTICES - 1; ++i) shape.placeVertex(i, start[i] + 2.0 * turn / turns);
    std::printf("\ncase arrow-%s-%02d %d %d 202020\npen 2 000000\nbrush FFFF00\npolygon", screen.name, turn,
                screen.width, screen.windowHeight);
    for (int i = 0; i < ARROW_VERTICES - 1; ++i)
      std::printf(" %d,%d", static_cast<int>(shape.points[i].x), static_cast<int>(shape.points[i].y));
    std::printf("\n");
  }
}

}  // namespace

int main(int argc, char** argv) {
  int turns = argc > 1 ? std::atoi(argv[1]) : 48;
  if (turns < 1 || turns > 360) {
    std::fprintf(stderr, "usage: %s [TURNS 1..360]\n", argv[0]);
    return 2;
  }
  std::printf("# Made by gdi_arrow_cases %d: the arrow at %d turns on each screen.\n", turns, turns);
  for (const Screen& screen : screens) printTurns(screen, turns);
  return 0;
}
