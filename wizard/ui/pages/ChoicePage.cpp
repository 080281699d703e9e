#include "wizard/ui/pages/ChoicePage.h"

#include "wizard/engine/ModelCatalogue.h"
#include "wizard/ui/pages/WizardIds.h"

namespace quispor {

ChoicePage::ChoicePage(DialogView& view, platform::Spooler& spooler, bool commandLineUninstall)
    : view_(view), spooler_(spooler), commandLineUninstall_(commandLineUninstall) {}

void ChoicePage::Create() {
  RefreshPrinterScan();
  Preselect();
  SetControlTextKey(view_, IDC_RADIO_INSTALL, "PO_RADIO_INSTALL");
  SetControlTextKey(view_, IDC_RADIO_UNINSTALL, "PO_RADIO_UNINSTALL");
  SetControlTextKey(view_, IDC_INSTALL_INFO, "PO_RADIO_INSTALL_INFO");
  SetControlTextKey(view_, IDC_UNINSTALL_INFO, "PO_RADIO_UNINSTALL_INFO");
}

void ChoicePage::RefreshPrinterScan() {
  printers_.records.clear();
  printers_.count = 0;
  ScanInstalledPrinters(spooler_, ModelCatalogue, modelCount, printers_);
}

void ChoicePage::Preselect() {
  const bool uninstall = commandLineUninstall_ || printers_.count > 0;
  view_.SetCheck(IDC_RADIO_INSTALL, !uninstall);
  view_.SetCheck(IDC_RADIO_UNINSTALL, uninstall);
  view_.ShowControl(IDC_RADIO_UNINSTALL, uninstall);
  view_.ShowControl(IDC_UNINSTALL_INFO, uninstall);
}

bool ChoicePage::IsUninstallChosen() { return view_.IsChecked(IDC_RADIO_UNINSTALL); }

}  // namespace quispor
