// USB page (template 202): the USB printer ports found, with a search button.
#pragma once

#include "wizard/engine/platform/Platform.h"
#include "wizard/ui/navigation/WizardSelections.h"
#include "wizard/ui/win32/PortPageDialog.h"

namespace quispor::win32 {

class CPortUSBDlg final : public PortPageDialog {
 public:
  CPortUSBDlg(platform::Platform& platform, const WizardSelections& selections)
      : platform_(platform), selections_(selections) {}
  void ReadPortName(char16_t* portName) override;
  // Empties the list and searches the USB printer ports again.
  void RefreshPorts();

 private:
  void OnCreatePage() override;
  bool OnCommand(int id, int notifyCode, HWND) override;
  void SearchUsbPorts();

  platform::Platform& platform_;
  const WizardSelections& selections_;
};

}  // namespace quispor::win32
