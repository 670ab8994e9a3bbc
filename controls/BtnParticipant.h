// The six participant buttons (class "buttonParticipant"): a player's picture and tap counter.
// A tap counts, resets or chooses the picture, by the participant mode.
#pragma once

#include <windows.h>

extern HWND participantOwner;
// Stylus x of the last down and up on any participant button, each in its button's coordinates.
extern int participantDownX;
extern int participantUpX;

ATOM RegisterBtnParticipantClass(HINSTANCE instance);
LRESULT BtnParticipantProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
