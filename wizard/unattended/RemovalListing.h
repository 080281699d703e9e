// What a removal would delete, found the way the removal finds it, with
// nothing deleted: /uninstall /whatif.
#pragma once

#include <cstdint>

#include "wizard/removal/RemovalServices.h"
#include "wizard/unattended/ResultFile.h"

namespace quispor::unattended {

// What the removal finds to delete (FindRemovalTargets): every driver of the
// maker's models, the printers the removal would delete with each (exact
// driver name, as it collects them), the forms it would delete with the
// first, and the driver packages it would have pnputil delete. *error: 0, or
// the code of the failing driver enumeration (the list is then incomplete).
RemovalPlan ListRemoval(removal::RemovalServices& services, uint32_t* error);

}  // namespace quispor::unattended
