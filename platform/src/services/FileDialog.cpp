// GetOpenFileNameW: the back end answers first (headless: the script's choices); otherwise the
// host's file chooser runs while the game keeps painting. Paths reach the game in the
// phone's form.
#include <commdlg.h>

#include "PlatformInternal.h"

#include <algorithm>

namespace platform {

namespace {

// As message boxes name their owners in the trace.
std::string ownerName(HWND owner) {
  if (owner == nullptr || !IsWindow(owner)) return "none";
  if (GetParent(owner) == nullptr) return "main";
  return std::to_string(GetDlgCtrlID(owner));
}

// The record's filter: pairs of zero-terminated strings, closed by an empty one.
std::vector<FileFilter> readFilters(LPCWSTR filter) {
  std::vector<FileFilter> filters;
  if (filter == nullptr) return filters;
  const WCHAR* at = filter;
  while (*at != 0) {
    std::u16string name(at);
    at += name.size() + 1;
    if (*at == 0) break;
    std::u16string patterns(at);
    at += patterns.size() + 1;
    FileFilter entry;
    entry.name = utf8(name);
    size_t start = 0;
    while (start <= patterns.size()) {
      size_t end = patterns.find(u';', start);
      if (end == std::u16string::npos) end = patterns.size();
      if (end > start) entry.patterns.push_back(utf8(patterns.substr(start, end - start)));
      start = end + 1;
    }
    filters.push_back(std::move(entry));
  }
  return filters;
}

bool runChooser(const OPENFILENAMEW& record, std::u16string* path) {
  FileChooserRequest request;
  request.owner = record.hwndOwner;
  request.title = record.lpstrTitle != nullptr ? utf8(record.lpstrTitle) : "Open";
  request.filters = readFilters(record.lpstrFilter);
  // nFilterIndex counts from 1; 0 opens on the first pair.
  if (record.nFilterIndex > 0 && record.nFilterIndex <= request.filters.size())
    request.currentFilter = record.nFilterIndex - 1;

  std::string chosen;
  if (backend().chooseFile(request, &chosen) != ChooserResult::Chosen) return false;
  *path = phonePath(chosen);
  return true;
}

}  // namespace

bool pumpWhileChoosing(unsigned maxWaitMs) {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (messageReady()) return true;
  uint32_t now = backend().now();
  backend().waitWhileChoosing(std::min<uint32_t>(nextTimerDeadline(), now + maxWaitMs));
  return true;
}

}  // namespace platform

BOOL GetOpenFileNameW(LPOPENFILENAMEW record) {
  if (!platform::requireUiThread()) return FALSE;
  using namespace platform;
  if (record == nullptr || record->lStructSize != sizeof(OPENFILENAMEW) || record->lpstrFile == nullptr ||
      record->nMaxFile == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }

  std::u16string path;
  bool chosen = false;
  if (!backend().answerFileDialog(record->hwndOwner, &path, &chosen)) {
    // The owner's window stays out of reach while the chooser is up, as behind any modal dialog.
    HWND top = record->hwndOwner;
    while (top != nullptr && GetParent(top) != nullptr) top = GetParent(top);
    bool disabled = top != nullptr && IsWindowEnabled(top) && (EnableWindow(top, FALSE), true);
    chosen = runChooser(*record, &path);
    if (disabled && IsWindow(top)) EnableWindow(top, TRUE);
  }

  std::string owner = ownerName(record->hwndOwner);
  if (!chosen) {
    trace("file-dialog %s -> cancel", owner.c_str());
    return FALSE;
  }
  trace("file-dialog %s -> %s", owner.c_str(), quoted(path).c_str());
  // A path that doesn't fit the game's buffer is not cut into another file's name.
  if (path.size() + 1 > record->nMaxFile) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  std::copy(path.begin(), path.end(), record->lpstrFile);
  record->lpstrFile[path.size()] = 0;

  size_t nameStart = path.find_last_of(u'\\');
  nameStart = nameStart == std::u16string::npos ? 0 : nameStart + 1;
  size_t dot = path.find_last_of(u'.');
  record->nFileOffset = static_cast<WORD>(std::min<size_t>(nameStart, 0xFFFF));
  record->nFileExtension = static_cast<WORD>(
      dot == std::u16string::npos || dot < nameStart ? path.size() : std::min<size_t>(dot + 1, 0xFFFF));
  if (record->lpstrFileTitle != nullptr && record->nMaxFileTitle > 0) {
    std::u16string name = path.substr(nameStart);
    size_t count = std::min<size_t>(name.size(), record->nMaxFileTitle - 1);
    std::copy(name.begin(), name.begin() + count, record->lpstrFileTitle);
    record->lpstrFileTitle[count] = 0;
  }
  return TRUE;
}
