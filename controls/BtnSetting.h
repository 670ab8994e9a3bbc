// The three Setting buttons (class "buttonSetting"): play mode, friction and participant mode.
// Each tap advances its setting; the label shows the current value.
#pragma once

#include <windows.h>

extern HWND settingOwner;

ATOM RegisterBtnSettingClass(HINSTANCE instance);
LRESULT BtnSettingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
