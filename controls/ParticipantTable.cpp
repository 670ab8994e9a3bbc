#include "controls/ParticipantTable.h"

int participantCount[PARTICIPANT_COUNT];
WCHAR participantImagePath[PARTICIPANT_COUNT][PARTICIPANT_PATH_MAX];
WCHAR imagePathBuffer[PARTICIPANT_PATH_MAX];

namespace {

// Room for any path the platform hands out (a host path is at most 4096 bytes).
constexpr DWORD PROGRAM_PATH_MAX = 4097;
WCHAR programPath[PROGRAM_PATH_MAX];

// The row of a player's control id, or -1.
int IndexOf(int id) {
  for (int i = 0; i < PARTICIPANT_COUNT; ++i) {
    if (id == IDC_PARTICIPANT_FIRST + PARTICIPANT_ID_STEP * i) return i;
  }
  return -1;
}

// The program's folder without a trailing backslash into programPath; false when the path was
// cut, since a cut path names no real folder.
bool ReadProgramFolder() {
  DWORD length = GetModuleFileNameW(nullptr, programPath, PROGRAM_PATH_MAX);
  if (length == 0 || length >= PROGRAM_PATH_MAX - 1) {
    programPath[0] = 0;
    return false;
  }
  int end = (int)length;
  while (end > 0 && programPath[end] != TEXT('\\')) --end;
  programPath[end] = 0;
  return true;
}

}  // namespace

void InitParticipantTable() {
  bool folderKnown = ReadProgramFolder();
  for (int i = 0; i < PARTICIPANT_COUNT; ++i) {
    participantCount[i] = 0;
    // A default that doesn't fit its slot is left empty rather than cut into another file's name.
    if (!folderKnown || StringCchPrintfW(participantImagePath[i], PARTICIPANT_PATH_MAX, TEXT("%s\\img\\char_0%d.jpg"),
                                         programPath, i + 1) < 0) {
      participantImagePath[i][0] = 0;
    }
  }
}

int GetParticipantCount(int id) {
  int i = IndexOf(id);
  return i < 0 ? 0 : participantCount[i];
}

void IncrementParticipantCount(int id) {
  int i = IndexOf(id);
  if (i >= 0) ++participantCount[i];
}

void ResetParticipantCount(int id) {
  int i = IndexOf(id);
  if (i >= 0) participantCount[i] = 0;
}

LPCWSTR GetParticipantImagePath(int id) {
  int i = IndexOf(id);
  if (i >= 0) StringCchCopyW(imagePathBuffer, PARTICIPANT_PATH_MAX, participantImagePath[i]);
  return imagePathBuffer;
}

void SetParticipantImagePath(int id, LPCWSTR path) {
  int i = IndexOf(id);
  if (i < 0 || lstrlenW(path) >= PARTICIPANT_PATH_MAX) return;
  StringCchCopyW(participantImagePath[i], PARTICIPANT_PATH_MAX, path);
}
