// The soft-key commands: the exit question, and the About and Manual dialogs.
#include <windows.h>

#include <aygshell.h>

#include "app/Vortelle.h"

void AskToQuit(HWND hwnd) {
  // The spinner turns on behind the question.
  MessageBeep(MB_ICONQUESTION);
  if (MessageBoxW(hwnd, TEXT("Would you like to quit?"), TEXT("EXIT"), MB_YESNO) == IDYES) {
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
  }
}

void ShowInfoDialog(HWND hwnd, int templateId) {
  // A dialog covers the board, so the spin ends here, without an outcome.
  HaltSpinner(hwnd);
  HRSRC found = FindResourceW(appInstance, MAKEINTRESOURCEW(templateId), RT_DIALOG);
  if (!found) return;
  HGLOBAL loaded = LoadResource(appInstance, found);
  LPCDLGTEMPLATEW dialogTemplate = static_cast<LPCDLGTEMPLATEW>(LockResource(loaded));
  if (!dialogTemplate) return;
  DialogBoxIndirectParamW(appInstance, dialogTemplate, hwnd, InfoDlgProc, 0);
}

BOOL InfoDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: {
      SHINITDLGINFO info;
      info.dwMask = SHIDIM_FLAGS;
      info.hDlg = dialog;
      info.dwFlags = SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN | SHIDIF_EMPTYMENU;
      SHInitDialog(&info);
      return TRUE;
    }
    case WM_COMMAND:
      // The caption's OK and the Done button both send IDOK.
      if (LOWORD(wParam) == IDOK) {
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      return FALSE;
    case WM_CLOSE:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}
