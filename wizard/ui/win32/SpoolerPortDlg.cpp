#include "wizard/ui/win32/SpoolerPortDlg.h"

namespace quispor::win32 {

void SpoolerPortDlg::OnCreatePage() {
  // The enumeration of the spooler's ports fills the list here (names with
  // "COM" or "LPT" and a colon), then selects its first item. Until then the
  // list stays empty.
  SetItemTextKey(hwnd(), labelId_, labelKey_);
}

void SpoolerPortDlg::ReadPortName(char16_t* portName) { ReadPortListText(hwnd(), listId_, portName); }

}  // namespace quispor::win32
