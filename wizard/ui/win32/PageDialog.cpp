#include "wizard/ui/win32/PageDialog.h"

#include "wizard/ui/text/PoText.h"
#include "wizard/ui/win32/WideCast.h"
#include "wizard/ui/win32/WindowCentring.h"

namespace quispor::win32 {

BOOL PageDialog::OnInitDialog() {
  controls_.Attach(hwnd());
  CentreWindow(hwnd());
  OnCreatePage();
  // The pages are created hidden; the host decides where the focus goes.
  return FALSE;
}

void SetItemTextKey(HWND dialog, int id, const char* key) {
  const char16_t* text = GetPoText(key);
  SetDlgItemTextW(dialog, id, W(text != nullptr ? text : u""));
}

}  // namespace quispor::win32
