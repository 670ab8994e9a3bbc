// The shell's activation and setting-change helpers: the phone's input panel is not emulated,
// so there is nothing to save or restore around activation.
#include <aygshell.h>

BOOL SHHandleWMActivate(HWND, WPARAM, LPARAM, SHACTIVATEINFO*, DWORD) { return TRUE; }

BOOL SHHandleWMSettingChange(HWND, WPARAM, LPARAM, SHACTIVATEINFO*) { return TRUE; }

BOOL SHInitExtraControls() { return TRUE; }
