// Compiled as the game is: the platform's public headers and the game's own are found.
#include <windows.h>

#include "app/Vortelle.h"

DWORD probePublic() { return GetTickCount(); }
