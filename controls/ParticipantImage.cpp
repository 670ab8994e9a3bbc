// The players' pictures: chosen through the file-open dialog, drawn through the imaging
// component. Nothing is cached, so a picture changed on storage shows at the next paint.
#include <commdlg.h>
#include <imaging.h>

#include "controls/ParticipantTable.h"

namespace {

// Where the picture goes on the button, by screen; false on a screen without participants.
bool PictureRect(RECT* rect) {
  RECT screen;
  GetWindowRect(GetDesktopWindow(), &screen);
  if (screen.right == 320 && screen.bottom == 320) {
    SetRect(rect, 2, 2, 50, 38);
    return true;
  }
  if (screen.right == 480) {
    SetRect(rect, 2, 36, 68, 88);
    return true;
  }
  return false;
}

}  // namespace

void ChooseParticipantImage(int id, HWND owner) {
  WCHAR path[MAX_PATH];
  ZeroMemory(path, sizeof(path));

  OPENFILENAMEW record;
  ZeroMemory(&record, sizeof(record));
  record.lStructSize = sizeof(record);
  record.hwndOwner = owner;
  record.lpstrFilter = TEXT("JPEG Files (*.jpg;*.jpeg;*.jfif)\0*.jpg;*.jpeg;*.jfif\0All Files (*.*)\0*.*\0");
  record.lpstrFile = path;
  record.nMaxFile = MAX_PATH;

  if (GetOpenFileNameW(&record)) SetParticipantImagePath(id, path);
}

void DrawParticipantImage(HDC hdc, int id) {
  CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  IImagingFactory* factory = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IImagingFactory,
                                 (LPVOID*)&factory))) {
    IImage* image = nullptr;
    if (SUCCEEDED(factory->CreateImageFromFile(GetParticipantImagePath(id), &image))) {
      RECT destination;
      if (PictureRect(&destination)) image->Draw(hdc, &destination, nullptr);
      image->Release();
    }
    factory->Release();
  }
  CoUninitialize();
}
