// Accelerator tables: key strokes that become commands before the focused window sees them.
#include "PlatformInternal.h"
#include "WindowManager.h"

#include <vector>

namespace platform::core {

namespace {

struct AcceleratorTable : HandleObject {
  std::vector<ACCEL> entries;
};

bool held(int virtualKey) { return GetKeyState(virtualKey) < 0; }

bool matches(const ACCEL& entry, WPARAM virtualKey) {
  if (!(entry.fVirt & FVIRTKEY) || entry.key != virtualKey) return false;
  return held(VK_SHIFT) == ((entry.fVirt & FSHIFT) != 0) && held(VK_CONTROL) == ((entry.fVirt & FCONTROL) != 0) &&
         held(VK_MENU) == ((entry.fVirt & FALT) != 0);
}

}  // namespace

void resetAccelerators() { handles().clear(HandleKind::AcceleratorTable); }

}  // namespace platform::core

using namespace platform::core;

HACCEL CreateAcceleratorTableW(LPACCEL entries, int count) {
  if (!platform::requireUiThread()) return nullptr;
  if (!entries || count <= 0) return nullptr;
  auto table = std::make_unique<AcceleratorTable>();
  table->entries.assign(entries, entries + count);
  return handles().add<HACCEL>(HandleKind::AcceleratorTable, std::move(table));
}

BOOL DestroyAcceleratorTable(HACCEL table) {
  if (!platform::requireUiThread()) return FALSE;
  return handles().remove(table, HandleKind::AcceleratorTable) ? TRUE : FALSE;
}

int TranslateAcceleratorW(HWND hwnd, HACCEL table, LPMSG msg) {
  if (!platform::requireUiThread()) return 0;
  const AcceleratorTable* accelerators = handles().find<AcceleratorTable>(table, HandleKind::AcceleratorTable);
  if (!accelerators || !msg || !findWindow(hwnd)) return 0;
  if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) return 0;
  for (const ACCEL& entry : accelerators->entries) {
    if (!matches(entry, msg->wParam)) continue;
    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(entry.cmd, 1), 0);
    return 1;
  }
  return 0;
}
