// The report of a screen size the arrow has no layout for.
#pragma once

#include <windows.h>

// Shows "resolution not supported." with `where` and the size in an ownerless error box, and
// asks the program to end once it is closed with OK.
void reportUnsupportedScreen(const WCHAR* where, int width, int height);
