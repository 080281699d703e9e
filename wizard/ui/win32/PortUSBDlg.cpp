#include "wizard/ui/win32/PortUSBDlg.h"

#include "wizard/engine/usb/UsbPorts.h"
#include "wizard/ui/pages/WizardIds.h"
#include "wizard/ui/win32/ComboPortList.h"

namespace quispor::win32 {

void CPortUSBDlg::OnCreatePage() {
  SearchUsbPorts();
  SetControlTextKey(controls(), IDC_INPUT_USB, "PO_INPUT_USB");
  SetControlTextKey(controls(), IDC_USB_INFO, "PO_INFO_USB");
  SetControlTextKey(controls(), IDC_SEARCH_USB, "PO_SEARCH_USB");
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
  ComboPortList list(GetDlgItem(hwnd(), IDC_USB_PORT_LIST));
  const UsbSearchServices services{platform_.deviceSetup, platform_.registry, platform_.spooler};
  SetUSBPortName(services, list, selections_.modelIndex, ProcessUsbDeviceTable(), ProcessListedUsbPorts());
}

void CPortUSBDlg::ReadPortName(char16_t* portName) { ReadPortListText(hwnd(), IDC_USB_PORT_LIST, portName); }

}  // namespace quispor::win32
