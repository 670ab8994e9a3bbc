// The Start and Stop buttons (class "buttonStartStop"): they report a press to the main window
// as soon as the stylus touches them, with a haptic click on touch and on release.
#pragma once

#include <windows.h>

extern HWND startStopOwner;

ATOM RegisterBtnStartStopClass(HINSTANCE instance);
LRESULT BtnStartStopProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
