#include "wizard/ui/navigation/FinishSequences.h"

#include "wizard/ui/text/PoText.h"

namespace quispor {
namespace {

const char16_t* Text(const char* key) {
  const char16_t* text = GetPoText(key);
  return text != nullptr ? text : u"";
}

}  // namespace

void LabelFinishButtons(FinishView& view) {
  view.SetBackButtonText(Text("PO_PRINTER_LAST_INSTALL_ANOTHER"));
  view.SetNextButtonText(Text("PO_PRINTER_LAST_INSTALL_EXIT"));
}

uint32_t RunInstall(const WizardSelections& /*selections*/, FinishView& view) {
  LabelFinishButtons(view);
  // The installation sequence (driver files, driver, printer, default
  // printer, outcome text) goes here.
  return 0;
}

int32_t RunInstall(const InstallServices& services, const WizardSelections& selections, FinishView& view) {
  LabelFinishButtons(view);
  char16_t outcome[kOutcomeCapacity] = {};
  const int32_t result = RunInstallSequence(services, selections.setAsDefault, selections.modelIndex,
                                            selections.modelName, selections.portName, ProcessInstallState(), outcome);
  view.SetFinishText(outcome);
  return result;
}

uint32_t RunUninstall(FinishView& view) {
  LabelFinishButtons(view);
  // The removal sequence (printers, forms, drivers, packages, outcome text)
  // goes here.
  return 0;
}

}  // namespace quispor
