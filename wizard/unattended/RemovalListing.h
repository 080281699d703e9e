// What a removal would delete, found the way the removal finds it, with
// nothing deleted: /uninstall /whatif.
#pragma once

#include "wizard/removal/RemovalServices.h"
#include "wizard/unattended/ResultFile.h"

namespace quispor::unattended {

// Every driver of the maker's models that an installed printer uses, the
// printers the removal would delete with it (exact driver name, as it
// collects them), the forms it would delete with the first, and the driver
// package it would have pnputil delete.
RemovalPlan ListRemoval(removal::RemovalServices& services);

}  // namespace quispor::unattended
