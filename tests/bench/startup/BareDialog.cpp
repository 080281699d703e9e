// The start-up baseline: the least a statically linked Win32 dialog program
// with the kit's kind of manifest (common controls 6, DPI awareness) does
// before its first window is painted.
#include <windows.h>
#include <commctrl.h>

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
  // As both programs do before their first window.
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  return static_cast<int>(DialogBoxParamW(instance, MAKEINTRESOURCEW(kBareDialogId), nullptr, BareDialogProc, 0));
}
