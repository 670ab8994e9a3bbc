// Compiled as the game is: a library of the drawing layer must not be found.
#include <ft2build.h>

int probeFreeType() { return 0; }
