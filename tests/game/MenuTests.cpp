// The dialogs' procedure. The keys that open the dialogs and the exit question, and the modal
// loops that end them, are played in the scenario scripts.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/ResourceIds.h"
#include "app/Vortelle.h"

namespace {

TEST(InfoDialogProcedure, HandlesInitOkAndCloseOnly) {
  HWND dialog = reinterpret_cast<HWND>(0x1234);
  EXPECT_TRUE(InfoDlgProc(dialog, WM_INITDIALOG, 0, 0));
  EXPECT_TRUE(InfoDlgProc(dialog, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0));
  EXPECT_TRUE(InfoDlgProc(dialog, WM_CLOSE, 0, 0));
  EXPECT_FALSE(InfoDlgProc(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0));
  EXPECT_FALSE(InfoDlgProc(dialog, WM_PAINT, 0, 0));
  EXPECT_FALSE(InfoDlgProc(dialog, WM_LBUTTONDOWN, 0, 0));
}

}  // namespace
