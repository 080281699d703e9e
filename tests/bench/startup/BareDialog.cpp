// The start-up baseline: the least a statically linked Win32 dialog program
// does before its first window is painted.
#include <windows.h>

#include "tests/bench/startup/BareDialogIds.h"

namespace {

INT_PTR CALLBACK BareDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  return static_cast<int>(DialogBoxParamW(instance, MAKEINTRESOURCEW(kBareDialogId), nullptr, BareDialogProc, 0));
}
