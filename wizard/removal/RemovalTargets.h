// What is left of the maker's models on this machine, found once per run:
// the removal works through it and /whatif lists it, so both always agree.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "wizard/removal/RemovalServices.h"

namespace quispor::removal {

struct DriverTarget {
  std::u16string name;  // as the spooler spells it
  int32_t modelIndex;   // the model whose package the driver's removal deletes
};

struct RemovalTargets {
  // The drivers that installed printers use, in the order of the printer
  // scan; then the maker's drivers that no printer uses any more (a removal
  // that stopped half-way leaves them), in the spooler's order.
  std::vector<DriverTarget> drivers;
  // Every driver-store package (oemN.inf) that names a model's data file, in
  // search order: once the drivers are gone, no driver of theirs is left.
  std::vector<std::u16string> packages;
};

// Fills targets. 0, or the code of the failing driver enumeration: without
// it the removal cannot know what stays installed.
uint32_t FindRemovalTargets(RemovalServices& services, RemovalTargets& targets);

}  // namespace quispor::removal
