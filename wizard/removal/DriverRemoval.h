// Removal of one model driver: its printers, forms, the spooler driver, the
// driver package and a device re-enumeration.
#pragma once

#include <cstdint>

#include "wizard/removal/PrinterRemoval.h"
#include "wizard/removal/RemovalServices.h"
#include "wizard/shared/SequenceReport.h"

namespace quispor::removal {

// The lists one run reuses from driver to driver.
struct RemovalLists {
  PrinterNameList printers;
  FormNameList forms;
};

// 0 on success, else the Windows error code that stopped it. driverName is
// used as the spooler spells it; modelIndex picks the data file of the
// package search. The printers, the driver and the package are reported as
// steps when steps is given.
uint32_t UninstallOneDriver(RemovalServices& services, RemovalLists& lists, const char16_t* driverName,
                            int32_t modelIndex, SequenceReport* steps = nullptr);

}  // namespace quispor::removal
