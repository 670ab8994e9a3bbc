// Control ids of the game window's custom buttons and the notification codes they send with
// their commands. A participant's id also addresses its row of the participant table.
#pragma once

#define IDC_START 500
#define IDC_STOP 504
#define IDC_MODE 600
#define IDC_FRICTION 604
#define IDC_PARTICIPANT_MODE 608
// The six participants: IDC_PARTICIPANT_FIRST + 4 x index, index 0 to 5.
#define IDC_PARTICIPANT_FIRST 700
#define PARTICIPANT_ID_STEP 4
#define PARTICIPANT_COUNT 6
// Sent by a participant button in picture mode before the file dialog opens.
#define IDC_PICTURE_CHOICE 724

// High word of a button's WM_COMMAND.
#define BUTTON_NOTIFY 1004
#define PICTURE_CHOICE_NOTIFY 1008
