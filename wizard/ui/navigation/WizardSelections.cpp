#include "wizard/ui/navigation/WizardSelections.h"

#include "wizard/engine/ModelCatalogue.h"

namespace quispor {

WizardSelections::WizardSelections() {
  CopyWideText(modelName, kWideTextCapacity, ModelCatalogue[0].name);
}

}  // namespace quispor
