#include "wizard/unattended/RemovalListing.h"

#include <algorithm>

#include "wizard/removal/PrinterRemoval.h"
#include "wizard/removal/RemovalTargets.h"

namespace quispor::unattended {
namespace {

void AddOnce(std::vector<std::u16string>& list, const std::u16string& text) {
  if (std::find(list.begin(), list.end(), text) == list.end()) {
    list.push_back(text);
  }
}

}  // namespace

RemovalPlan ListRemoval(removal::RemovalServices& services, uint32_t* error) {
  RemovalPlan plan;
  removal::RemovalTargets targets;
  *error = removal::FindRemovalTargets(services, targets);
  removal::PrinterNameList printers;
  removal::FormNameList forms;
  for (const removal::DriverTarget& driver : targets.drivers) {
    plan.drivers.push_back(driver.name);
    if (removal::GetPrinterByDriverName(services.spooler, driver.name.c_str(), printers) == 0) {
      plan.printers.insert(plan.printers.end(), printers.names.begin(), printers.names.end());
      if (!printers.names.empty()) {
        removal::GetMyForms(services.spooler, printers.names.front().c_str(), forms);
        for (const std::u16string& form : forms.names) {
          AddOnce(plan.forms, form);
        }
      }
    }
  }
  plan.packages = targets.packages;
  return plan;
}

}  // namespace quispor::unattended
