#include "wizard/ui/navigation/FinishSequences.h"

#include "wizard/shared/PoText.h"

namespace quispor {

void FinishPageReport::SequenceStarted() {
  view_.SetBackButtonText(PoTextOrEmpty("PO_PRINTER_LAST_INSTALL_ANOTHER"));
  view_.SetNextButtonText(PoTextOrEmpty("PO_PRINTER_LAST_INSTALL_EXIT"));
}

void FinishPageReport::ShowText(const char16_t* text) { view_.SetFinishText(text); }

int32_t RunInstall(const InstallServices& services, const WizardSelections& selections, SequenceReport& report) {
  const InstallChoices choices{selections.setAsDefault, selections.modelIndex, selections.modelName,
                               selections.portName};
  return RunInstallSequence(services, choices, ProcessInstallState(), report);
}

}  // namespace quispor
