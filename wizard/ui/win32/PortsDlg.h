// Ports page (template 201): model, default printer, port kind.
#pragma once

#include "wizard/ui/pages/PortsPage.h"
#include "wizard/ui/win32/PageDialog.h"

namespace quispor::win32 {

class CPortsDlg final : public PageDialog {
 public:
  explicit CPortsDlg(WizardSelections& selections) : page_(controls(), selections) {}

 private:
  void OnCreatePage() override { page_.Create(); }
  bool OnCommand(int id, int notifyCode, HWND) override {
    page_.OnCommand(id, notifyCode);
    return true;
  }
  PortsPage page_;
};

}  // namespace quispor::win32
