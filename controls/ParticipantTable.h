// The six players: a tap counter and a picture path each, addressed by the control id of the
// player's button (700, 704, ... 720). Ids of no player change nothing.
#pragma once

#include <windows.h>

#include "controls/ControlIds.h"

// A picture path, terminator included.
#define PARTICIPANT_PATH_MAX 300

extern int participantCount[PARTICIPANT_COUNT];
extern WCHAR participantImagePath[PARTICIPANT_COUNT][PARTICIPANT_PATH_MAX];
extern WCHAR imagePathBuffer[PARTICIPANT_PATH_MAX];

// Every counter 0, every picture the default beside the program: img\char_01.jpg ... char_06.jpg.
void InitParticipantTable();
// 0 for an id of no player.
int GetParticipantCount(int id);
void IncrementParticipantCount(int id);
void ResetParticipantCount(int id);
// The player's path copied into imagePathBuffer, valid until the next call.
LPCWSTR GetParticipantImagePath(int id);
// Stores the path as it stands; one that doesn't fit is refused and the old path stays.
void SetParticipantImagePath(int id, LPCWSTR path);

// The file-open dialog; a chosen file becomes the player's picture.
void ChooseParticipantImage(int id, HWND owner);
// Decodes the player's picture and draws it into its place on the button. Draws nothing when
// the picture can't be read.
void DrawParticipantImage(HDC hdc, int id);
