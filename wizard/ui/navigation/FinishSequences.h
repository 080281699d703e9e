// The two sequences that run when the finish page is entered, and the finish
// page as the report they write to.
#pragma once

#include <cstdint>

#include "wizard/engine/install/Install.h"
#include "wizard/shared/SequenceReport.h"
#include "wizard/ui/navigation/FinishView.h"
#include "wizard/ui/navigation/WizardSelections.h"

namespace quispor {

// A sequence's start relabels the two buttons ("Install Another Printer",
// "Close"); its texts replace the finish page's text.
class FinishPageReport final : public SequenceReport {
 public:
  explicit FinishPageReport(FinishView& view) : view_(view) {}
  void SequenceStarted() override;
  void ShowText(const char16_t* text) override;

 private:
  FinishView& view_;
};

// The installation of the chosen model on portName with the engine's
// services. Returns the installation's result; the host does not use it.
int32_t RunInstall(const InstallServices& services, const WizardSelections& selections, SequenceReport& report);

}  // namespace quispor
