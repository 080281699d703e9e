// Choice page (template 207): install or uninstall.
#pragma once

#include "wizard/engine/platform/Spooler.h"
#include "wizard/ui/pages/ChoicePage.h"
#include "wizard/ui/win32/PageDialog.h"

namespace quispor::win32 {

class CInstallUninstallDlg final : public PageDialog {
 public:
  CInstallUninstallDlg(platform::Spooler& spooler, bool commandLineUninstall)
      : page_(controls(), spooler, commandLineUninstall) {}

  bool IsUninstallChosen() { return page_.IsUninstallChosen(); }
  void RefreshPrinterScan() { page_.RefreshPrinterScan(); }
  void Preselect() { page_.Preselect(); }

 private:
  void OnCreatePage() override { page_.Create(); }
  ChoicePage page_;
};

}  // namespace quispor::win32
