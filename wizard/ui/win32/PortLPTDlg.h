// Parallel page (template 205).
#pragma once

#include "wizard/ui/pages/WizardIds.h"
#include "wizard/ui/win32/SpoolerPortDlg.h"

namespace quispor::win32 {

class CPortLPTDlg final : public SpoolerPortDlg {
 public:
  explicit CPortLPTDlg(platform::Spooler& spooler)
      : SpoolerPortDlg(spooler, &ParallelPortNames, IDC_LPT_PORT_LIST, IDC_INPUT_LPT, "PO_INPUT_LPT") {}
};

}  // namespace quispor::win32
