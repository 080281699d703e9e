// What the spooler already holds of the maker's models: which installed
// printers use a catalogue driver, and whether a driver name is installed.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "wizard/engine/ModelCatalogue.h"
#include "wizard/engine/platform/Spooler.h"

namespace quispor {

// A name as the scan stores it: at most 63 characters and a terminator.
using PrinterNameField = std::array<char16_t, kModelNameCapacity>;

// A catalogue model's driver that at least one installed printer uses.
struct InstalledPrinter {
  char16_t driverName[kModelNameCapacity] = {};  // as the spooler spelled it for the first printer
  std::vector<PrinterNameField> printerNames;   // in enumeration order; grows as needed
  uint32_t printerCount = 0;                    // == printerNames.size()
};

// At most one record per catalogue row, in the order first found.
struct InstalledPrinterList {
  std::vector<InstalledPrinter> records;
  uint16_t count = 0;  // == records.size()
};

// Empties list, then fills it from the spooler's local and connected
// printers (EnumPrintersW flags 6, name "", level 2). A printer belongs to a
// row when its driver name equals the row's name without regard to ASCII
// case; printers of the same driver (again without regard to case) share a
// record. Silent: a failed enumeration leaves the list empty.
void ScanInstalledPrinters(platform::Spooler& spooler, const PrinterModel* rows, uint16_t count,
                           InstalledPrinterList& list);

// A connection to another computer's shared queue rather than a printer of
// this spooler: marked network but not local, or named \\server\queue.
bool IsPrinterConnection(const platform::PrinterInfo2W& printer);

// True when an installed printer driver (EnumPrinterDriversW, the running
// program's environment, level 1) has this name without regard to ASCII case.
bool IsDriverInstalled(platform::Spooler& spooler, const char16_t* name);

// The installed printer drivers (as IsDriverInstalled lists them) whose name
// equals a row's name without regard to ASCII case, in enumeration order and
// spelled as the spooler spells them. 0, or the code of the failing
// enumeration (122 when its buffer cannot be had).
uint32_t InstalledCatalogueDrivers(platform::Spooler& spooler, const PrinterModel* rows, uint16_t count,
                                   std::vector<std::u16string>& names);

}  // namespace quispor
