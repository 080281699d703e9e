// The wizard's uninstall sequence, run when the finish page is entered after
// the user chose uninstall.
#pragma once

#include <cstddef>
#include <cstdint>

#include "wizard/removal/RemovalServices.h"
#include "wizard/shared/SequenceReport.h"

namespace quispor::removal {

inline constexpr std::size_t kFinishTextCapacity = 260;  // 259 + terminator

// Removes, one driver after the other, every installed driver of the maker's
// models (those printers use, then those left without one) with its
// printers, forms and driver package, then every other package of the
// maker's, and stops at the first failure. Reports its start, a progress
// line per driver and per such package, and then the outcome. 0, 3010 when
// everything is gone but a package's deletion completes at the next
// restart, or the first failing code.
uint32_t RunUninstall(RemovalServices& services, SequenceReport& report);

// The model whose driver package goes with driverName: the first catalogue
// row named exactly so (case counts), or the previous driver's.
int32_t ModelIndexFor(const char16_t* driverName, int32_t previous);

}  // namespace quispor::removal
