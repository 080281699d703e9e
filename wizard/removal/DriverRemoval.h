// Removal of one model driver: its printers, forms, the spooler driver, the
// driver package and a device re-enumeration.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "wizard/removal/PrinterRemoval.h"
#include "wizard/removal/RemovalServices.h"
#include "wizard/shared/SequenceReport.h"

namespace quispor::removal {

// The lists one run reuses from driver to driver, and the packages its
// drivers' removals deleted.
struct RemovalLists {
  PrinterNameList printers;
  FormNameList forms;
  std::vector<std::u16string> packagesDeleted;
};

// 0 on success (3010 when the package's deletion completes at the next
// restart), else the Windows error code that stopped it: of the printers,
// the driver or pnputil. driverName is used as the spooler spells it;
// modelIndex picks the data file of the package search. The printers, the
// driver and the package are reported as steps when steps is given.
uint32_t UninstallOneDriver(RemovalServices& services, RemovalLists& lists, const char16_t* driverName,
                            int32_t modelIndex, SequenceReport* steps = nullptr);

}  // namespace quispor::removal
