// Ethernet page (template 203): printer address and TCP port number.
#pragma once

#include "wizard/engine/platform/Platform.h"
#include "wizard/ui/navigation/WizardSelections.h"
#include "wizard/ui/win32/PortPageDialog.h"

namespace quispor::win32 {

class CPortENetDlg final : public PortPageDialog {
 public:
  CPortENetDlg(platform::Platform& platform, WizardSelections& selections)
      : platform_(platform), selections_(selections) {}
  void ReadPortName(char16_t* portName) override;

 private:
  void OnCreatePage() override;
  platform::Platform& platform_;
  WizardSelections& selections_;
};

}  // namespace quispor::win32
