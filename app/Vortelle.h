// The game window: start-up, the main window procedure, its painting, the menu commands and
// dialogs. Everything here runs on the user-interface thread.
#pragma once

#include <windows.h>

#include <aygshell.h>

// Start-up
extern HINSTANCE appInstance;
// The shell's soft-key bar of the main window; 0 when the shell made none.
extern HWND menuBar;

BOOL InitInstance(HINSTANCE instance, int cmdShow);
ATOM RegisterMainClass(HINSTANCE instance, LPCWSTR className);

// The main window's state. The stylus points are client pixels of the main window.
extern int stylusDownX;
extern int stylusDownY;
extern int stylusUpX;
extern int stylusUpY;
// Angle of the arrow's tip after the last bottle-mode tick; the bottle is drawn along it.
extern double bottleAngle;
extern SHACTIVATEINFO activateInfo;

// Drawing objects that live as long as the main window.
extern HBITMAP boardBitmap;
extern HBITMAP bottleStrip;
extern HBITMAP backBuffer;
extern HDC backBufferDC;
extern HGDIOBJ backBufferOldBitmap;

LRESULT MainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Starts the spinner from rest, or makes it 0.05 half-turns per tick faster.
void StartSpin(HWND hwnd);
// Stops the spinner without an outcome: before a dialog takes the screen.
void HaltSpinner(HWND hwnd);

// WM_PAINT: composes the board, the bottle or the arrow, and the pick overlays in the back
// buffer, then copies it to the screen.
void PaintMainWindow(HWND hwnd);

// Menu commands
void AskToQuit(HWND hwnd);
void ShowInfoDialog(HWND hwnd, int templateId);
BOOL InfoDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
