// Entry points of the two sequences that run when the finish page is entered.
//
// PLACEHOLDERS: the real driver installation and removal plug in here. For
// now both only relabel the two buttons, which is every sequence's first
// step, and leave the finish text as it is.
#pragma once

#include <cstdint>

#include "wizard/engine/install/Install.h"
#include "wizard/ui/navigation/FinishView.h"
#include "wizard/ui/navigation/WizardSelections.h"

namespace quispor {

// The buttons' labels on the finish page, set first by either sequence.
void LabelFinishButtons(FinishView& view);

// The buttons' relabelling alone, without services (the host runs the
// overload below); kept for the navigation tests.
uint32_t RunInstall(const WizardSelections& selections, FinishView& view);

// The installation of the chosen model on portName with the engine's
// services: relabels the buttons, installs, and writes the outcome into the
// finish text. Returns the installation's result; the host does not use it.
int32_t RunInstall(const InstallServices& services, const WizardSelections& selections, FinishView& view);

// Removal of every printer and driver of the maker's models.
uint32_t RunUninstall(FinishView& view);

}  // namespace quispor
