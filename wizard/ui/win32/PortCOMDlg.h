// Serial page (template 204).
#pragma once

#include "wizard/ui/pages/WizardIds.h"
#include "wizard/ui/win32/SpoolerPortDlg.h"

namespace quispor::win32 {

class CPortCOMDlg final : public SpoolerPortDlg {
 public:
  explicit CPortCOMDlg(platform::Spooler& spooler)
      : SpoolerPortDlg(spooler, &SerialPortNames, IDC_COM_PORT_LIST, IDC_INPUT_COM, "PO_INPUT_COM") {}
};

}  // namespace quispor::win32
