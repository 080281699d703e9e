// The user's choices for one run of the wizard. The host owns the one
// instance; the pages write it and the finish sequences read it.
#pragma once

#include <cstdint>

#include "wizard/ui/navigation/PortKind.h"
#include "wizard/engine/WideText.h"

namespace quispor {

struct WizardSelections {
  WizardSelections();  // modelName starts as the first catalogue model's name

  bool uninstall = false;
  uint16_t modelIndex = 0;                    // index into ModelCatalogue
  char16_t modelName[kWideTextCapacity] = {};
  bool setAsDefault = true;
  PortKind portKind = PORT_USB;
  char16_t portName[kWideTextCapacity] = {};  // filled by the shown port page at next
  char16_t ipAddress[kWideTextCapacity] = {};
  int32_t tcpPortNumber = 0;
};

}  // namespace quispor
