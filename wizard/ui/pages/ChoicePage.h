// The install-or-uninstall choice page and its pre-selection rule.
#pragma once

#include "wizard/engine/PrinterScan.h"
#include "wizard/engine/platform/Spooler.h"
#include "wizard/ui/pages/DialogView.h"

namespace quispor {

class ChoicePage {
 public:
  ChoicePage(DialogView& view, platform::Spooler& spooler, bool commandLineUninstall);

  // Everything the page does at creation after centring itself.
  void Create();

  // Empties the page's printer list and scans the spooler into it.
  void RefreshPrinterScan();
  // Uninstall checked and shown when "-uninstall" was given or a printer of
  // the maker's models is installed; otherwise install checked and the
  // uninstall choice hidden.
  void Preselect();
  bool IsUninstallChosen();

  const InstalledPrinterList& printers() const { return printers_; }

 private:
  DialogView& view_;
  platform::Spooler& spooler_;
  const bool commandLineUninstall_;
  InstalledPrinterList printers_;
};

}  // namespace quispor
