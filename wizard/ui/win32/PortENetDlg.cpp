#include "wizard/ui/win32/PortENetDlg.h"

#include <commctrl.h>

#include "wizard/engine/WideText.h"
#include "wizard/ui/ports/EnetPort.h"
#include "wizard/ui/pages/WizardIds.h"
#include "wizard/ui/win32/WideCast.h"

namespace quispor::win32 {
namespace {

// A private address that a printer fresh from the box does not have, so the
// user sees at once that it must be typed.
constexpr DWORD kDefaultAddress = MAKEIPADDRESS(192, 168, 1, 100);
constexpr int kPortNumberChars = 64;  // 63 characters and the terminator

}  // namespace

void CPortENetDlg::OnCreatePage() {
  SendDlgItemMessageW(hwnd(), IDC_IP_ADDRESS, IPM_SETADDRESS, 0, static_cast<LPARAM>(kDefaultAddress));
  SetDlgItemTextW(hwnd(), IDC_TCP_PORT_NUMBER, L"9100");
  SetControlTextKey(controls(), IDC_INPUT_IP_ADDR, "PO_INPUT_IP_ADDR");
}

void CPortENetDlg::ReadPortName(char16_t* portName) {
  char16_t address[kWideTextCapacity] = {};
  GetWindowTextW(GetDlgItem(hwnd(), IDC_IP_ADDRESS), W(address), static_cast<int>(kWideTextCapacity));
  char16_t number[kPortNumberChars] = {};
  GetWindowTextW(GetDlgItem(hwnd(), IDC_TCP_PORT_NUMBER), W(number), kPortNumberChars);
  const EnetPortServices services{platform_.registry, platform_.spooler, platform_.userMessages};
  ReadEnetPortName(services, address, number, selections_.ipAddress, selections_.tcpPortNumber, portName);
}

}  // namespace quispor::win32
