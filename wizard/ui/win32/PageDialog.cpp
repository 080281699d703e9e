#include "wizard/ui/win32/PageDialog.h"

#include "wizard/ui/win32/WindowCentring.h"

namespace quispor::win32 {

BOOL PageDialog::OnInitDialog() {
  controls_.Attach(hwnd());
  CentreWindow(hwnd());
  OnCreatePage();
  // The pages are created hidden; the host decides where the focus goes.
  return FALSE;
}

}  // namespace quispor::win32
