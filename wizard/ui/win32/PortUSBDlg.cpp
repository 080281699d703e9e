#include "wizard/ui/win32/PortUSBDlg.h"

#include "wizard/ui/pages/WizardIds.h"

namespace quispor::win32 {

void CPortUSBDlg::OnCreatePage() {
  SearchUsbPorts();
  SetItemTextKey(hwnd(), IDC_INPUT_USB, "PO_INPUT_USB");
  SetItemTextKey(hwnd(), IDC_USB_INFO, "PO_INFO_USB");
  SetItemTextKey(hwnd(), IDC_SEARCH_USB, "PO_SEARCH_USB");
}

bool CPortUSBDlg::OnCommand(int id, int notifyCode, HWND) {
  if (id == IDC_SEARCH_USB && notifyCode == BN_CLICKED) {
    RefreshPorts();
    return true;
  }
  return false;
}

void CPortUSBDlg::RefreshPorts() {
  const LRESULT count = SendDlgItemMessageW(hwnd(), IDC_USB_PORT_LIST, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) SendDlgItemMessageW(hwnd(), IDC_USB_PORT_LIST, CB_DELETESTRING, 0, 0);
  SearchUsbPorts();
}

void CPortUSBDlg::SearchUsbPorts() {
  // The USB port search plugs in here: it adds one item per USB printer port
  // to list 1008 and selects the first one found. Until then the list stays
  // empty.
}

void CPortUSBDlg::ReadPortName(char16_t* portName) { ReadPortListText(hwnd(), IDC_USB_PORT_LIST, portName); }

}  // namespace quispor::win32
