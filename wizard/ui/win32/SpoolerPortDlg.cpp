#include "wizard/ui/win32/SpoolerPortDlg.h"

#include "wizard/ui/win32/WideCast.h"

namespace quispor::win32 {

void SpoolerPortDlg::OnCreatePage() {
  // The list is built here only: ports that come or go later are seen at the
  // next run.
  ports_ = EnumerateSpoolerPorts(spooler_);
  HWND list = GetDlgItem(hwnd(), listId_);
  for (const char16_t* name : filter_(ports_)) {
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(name)));
  }
  // Item 0 of the sorted list; nothing when no name passed the filter.
  if (ports_.count > 0) {
    SendMessageW(list, CB_SETCURSEL, 0, 0);
  }
  SetControlTextKey(controls(), labelId_, labelKey_);
}

void SpoolerPortDlg::ReadPortName(char16_t* portName) { ReadPortListText(hwnd(), listId_, portName); }

}  // namespace quispor::win32
