#include "wizard/unattended/RemovalListing.h"

#include <algorithm>

#include "wizard/engine/ModelCatalogue.h"
#include "wizard/engine/PrinterScan.h"
#include "wizard/removal/PackageCleanup.h"
#include "wizard/removal/PrinterRemoval.h"
#include "wizard/removal/RunUninstall.h"

namespace quispor::unattended {
namespace {

void AddOnce(std::vector<std::u16string>& list, const std::u16string& text) {
  if (std::find(list.begin(), list.end(), text) == list.end()) {
    list.push_back(text);
  }
}

}  // namespace

RemovalPlan ListRemoval(removal::RemovalServices& services) {
  RemovalPlan plan;
  InstalledPrinterList installed;
  ScanInstalledPrinters(services.spooler, ModelCatalogue, modelCount, installed);
  int32_t modelIndex = 0;
  removal::PrinterNameList printers;
  removal::FormNameList forms;
  for (const InstalledPrinter& record : installed.records) {
    plan.drivers.emplace_back(record.driverName);
    modelIndex = removal::ModelIndexFor(record.driverName, modelIndex);
    if (removal::GetPrinterByDriverName(services.spooler, record.driverName, printers) == 0) {
      plan.printers.insert(plan.printers.end(), printers.names.begin(), printers.names.end());
      if (!printers.names.empty()) {
        removal::GetMyForms(services.spooler, printers.names.front().c_str(), forms);
        for (const std::u16string& form : forms.names) {
          AddOnce(plan.forms, form);
        }
      }
    }
    char16_t package[removal::kPackageNameCapacity] = {};
    if (removal::GetMyOemInfFile(services, package, modelIndex) == 1) {
      AddOnce(plan.packages, package);
    }
  }
  return plan;
}

}  // namespace quispor::unattended
